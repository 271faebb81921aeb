#pragma once
// Where the HEX writer puts its text: a file (SaveHexFile's ReplacingFile) or memory.

#include <string_view>

namespace velmora {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Takes all of bytes; false when they could not be written.
    virtual bool write(std::string_view bytes) = 0;
};

} // namespace velmora
