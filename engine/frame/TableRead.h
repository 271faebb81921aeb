#pragma once
// The one loop that reads code-space memory: count bytes from first, read in the
// protocol's blocks and handed to a visitor byte by byte, with a check point before
// every block and the address and progress posted as the visitor consumes them.

#include <cstdint>
#include <functional>

#include "engine/frame/BlockSource.h"
#include "engine/frame/OperationFrame.h"
#include "engine/frame/Percent.h"

namespace velmora {

// What a reading loop does after a byte: go on (progress posted), stop the loop as
// done, or leave the operation (the visitor has recorded why).
enum class AfterByte { Next, Stop, Leave };
using ByteVisitor = std::function<AfterByte(std::uint32_t index, std::uint8_t value)>;
// Whether the image holds a byte at this address; absent bytes need not be read.
using Presence = std::function<bool(Address address)>;

class TableRead {
public:
    TableRead(OperationFrame& frame, BlockSource& source) : frame_(frame), source_(source) {}

    // "Write instruction", pointer at first, check, "Read byte", then every byte with
    // progress index × 100 / (count − 1).
    bool read(Address first, std::uint32_t count, const ByteVisitor& visit);
    // The same with progress (index + 1) × 100 / count, for an area of a few bytes.
    bool readCounting(Address first, std::uint32_t count, const ByteVisitor& visit);
    // Only the present bytes, each run of them after the pointer was moved to it, and
    // "Read byte" posted once the first present byte's address is showing.
    bool readPresent(Address first, std::uint32_t count, const Presence& present, const ByteVisitor& visit);

private:
    bool readBlocks(Address first, std::uint32_t count, const Presence* present, bool countingProgress,
                    const ByteVisitor& visit);
    // The bytes from index on that go into one block: present ones, at most a block.
    std::uint32_t blockAt(Address first, std::uint32_t index, std::uint32_t count, const Presence* present) const;

    OperationFrame& frame_;
    BlockSource& source_;
};

} // namespace velmora
