#pragma once
// The simulator's own small Intel HEX reader and writer, for chip image files. It
// shares nothing with the program's HEX loader on purpose: the simulated chip judges
// the program, so it must not inherit its assumptions.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace velmora::sim {

struct HexParseResult {
    bool ok = false;
    int line = 0;          // 1-based line of the first error
    std::string error;
};

// Accepts any record length, CR LF or LF line ends, blank lines, upper- or lower-case
// digits, record types 00 to 05; requires an end-of-file record. Calls `store` for
// every data byte with its 32-bit address, in file order.
HexParseResult parseIntelHex(std::string_view text,
                             const std::function<void(std::uint32_t address, std::uint8_t value)>& store);

// Builds INHX32 text: extended linear address records where the upper 16 bits
// change, data records of at most 16 bytes, CR LF line ends.
class IntelHexWriter {
public:
    void data(std::uint32_t address, std::span<const std::uint8_t> bytes);
    // Appends the end-of-file record and hands out the text.
    std::string finish();

private:
    void record(std::uint8_t type, std::uint16_t offset, std::span<const std::uint8_t> bytes);

    std::string text_;
    std::uint32_t upper_ = 0;
};

} // namespace velmora::sim
