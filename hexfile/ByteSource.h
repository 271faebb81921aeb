#pragma once
// Where the HEX loader takes its bytes from: a file (InputFile.h) or memory.

#include <cstddef>
#include <optional>
#include <span>

namespace velmora {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills the front of buffer; 0 at the end of the data, nullopt on a read failure.
    virtual std::optional<std::size_t> read(std::span<char> buffer) = 0;
};

} // namespace velmora
