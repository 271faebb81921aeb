#pragma once
// How a protocol generation reads code-space memory: the pointer set to an address,
// then blocks of consecutive bytes. blockSize() is the most it reads in one exchange;
// the frame checks for a cancel and posts between blocks.

#include <cstdint>
#include <span>

#include "devicedata/MemoryImage.h"

namespace velmora {

class BlockSource {
public:
    virtual std::uint32_t blockSize() const = 0;
    virtual bool pointAt(Address address) = 0;
    // Fills `into` from the pointer on and leaves the pointer after it; when the block
    // ends the area, the pointer may stay on its last byte.
    virtual bool readBlock(std::span<std::uint8_t> into, bool endsArea) = 0;

protected:
    ~BlockSource() = default;
};

} // namespace velmora
