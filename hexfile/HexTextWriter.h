#pragma once
// Formats Intel HEX records (upper case, CR LF) into a large buffer and hands it to a
// sink in big chunks, so writing a full-size image costs a few system calls.

#include <cstdint>
#include <span>
#include <vector>

#include "hexfile/ByteSink.h"

namespace velmora {

class HexTextWriter {
public:
    explicit HexTextWriter(ByteSink& sink);

    // ":" LL AAAA "00" data CC; at most 255 bytes.
    void dataRecord(std::uint16_t offset, std::span<const std::uint8_t> bytes);
    // ":02000004" + the upper 16 address bits + CC.
    void extendedLinearAddress(std::uint16_t upperBits);
    // ":00000001FF".
    void endOfFile();
    // Hands over what is still buffered; false when the sink failed at any point.
    bool finish();

private:
    void record(std::uint8_t type, std::uint16_t offset, std::span<const std::uint8_t> bytes);
    void flush();

    ByteSink& sink_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

} // namespace velmora
