#pragma once
// HEX text already in memory (a pasted file, a test, the fuzzer) as a ByteSource.

#include <algorithm>
#include <cstring>
#include <string_view>

#include "hexfile/ByteSource.h"

namespace velmora {

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : remaining_(bytes) {}

    std::optional<std::size_t> read(std::span<char> buffer) override
    {
        const std::size_t count = std::min(buffer.size(), remaining_.size());
        if (count != 0)
            std::memcpy(buffer.data(), remaining_.data(), count);
        remaining_.remove_prefix(count);
        return count;
    }

private:
    std::string_view remaining_;
};

} // namespace velmora
