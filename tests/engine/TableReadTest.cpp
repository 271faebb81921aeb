// The block-level table read: a protocol that reads several bytes in one exchange
// hands the visitor the same bytes, and the user the same postings, as the classic one
// byte per exchange; only the last byte of an area goes without increment.

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/PostingBlock.h"
#include "engine/frame/OperationFrame.h"
#include "engine/frame/TableRead.h"
#include "tests/engine/LoggingBridge.h"

namespace velmora::test {
namespace {

class IdleRunner final : public RunnerControl {
public:
    bool cancelRequested() const override { return cancel; }
    void operationOpened() override {}
    void operationEnded(OperationOutcome) override {}
    bool cancel = false;
};

struct Block {
    Address first;
    std::size_t size;
    bool endsArea;
    bool operator==(const Block&) const = default;
};

// Answers every byte with its address's low byte and notes each pointer move and block.
class BlockRecorder final : public BlockSource {
public:
    explicit BlockRecorder(std::uint32_t size) : size_(size) {}
    std::uint32_t blockSize() const override { return size_; }
    bool pointAt(Address address) override
    {
        pointer_ = address;
        points.push_back(address);
        return true;
    }
    bool readBlock(std::span<std::uint8_t> into, bool endsArea) override
    {
        blocks.push_back({pointer_, into.size(), endsArea});
        for (std::uint8_t& byte : into)
            byte = static_cast<std::uint8_t>(pointer_++);
        if (afterBlock)
            afterBlock();
        return true;
    }
    std::vector<Address> points;
    std::vector<Block> blocks;
    std::function<void()> afterBlock;

private:
    std::uint32_t size_;
    Address pointer_ = 0;
};

struct Reading {
    std::vector<std::string> postings;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> visited;
    std::vector<Block> blocks;
    std::vector<Address> points;
    bool result = false;
    bool cancelled = false;
};

Reading readWith(std::uint32_t blockSize, Address first, std::uint32_t count, const Presence* present = nullptr,
                 std::size_t cancelAfterBlocks = 0, std::uint32_t stopAt = ~0U)
{
    LoggingBridge bridge;
    PostingBlock post;
    post.setBridge(&bridge);
    IdleRunner runner;
    OperationFrame frame(runner, post);
    BlockRecorder source(blockSize);
    source.afterBlock = [&] { runner.cancel = source.blocks.size() == cancelAfterBlocks; };
    Reading r;
    const ByteVisitor visit = [&](std::uint32_t index, std::uint8_t value) {
        r.visited.emplace_back(index, value);
        return index == stopAt ? AfterByte::Stop : AfterByte::Next;
    };
    TableRead table(frame, source);
    r.result = present != nullptr ? table.readPresent(first, count, *present, visit) : table.read(first, count, visit);
    r.cancelled = frame.cancelled();
    r.postings = bridge.log;
    r.blocks = source.blocks;
    r.points = source.points;
    return r;
}

TEST(TableRead, LargerBlocksGiveTheSameBytesAndPostingsAndEndTheAreaOnce)
{
    const Reading single = readWith(1, 0x200010, 10);
    ASSERT_TRUE(single.result);
    ASSERT_EQ(single.visited.size(), 10U);
    EXPECT_EQ(single.visited.back(), (std::pair<std::uint32_t, std::uint8_t>{9, 0x19}));
    for (std::uint32_t size : {3U, 8U, 16U}) {
        SCOPED_TRACE("block size " + std::to_string(size));
        const Reading r = readWith(size, 0x200010, 10);
        EXPECT_TRUE(r.result);
        EXPECT_EQ(r.visited, single.visited);
        EXPECT_EQ(r.postings, single.postings);
        ASSERT_EQ(r.blocks.size(), (10 + size - 1) / size);
        for (std::size_t b = 0; b < r.blocks.size(); ++b) {
            EXPECT_LE(r.blocks[b].size, size);
            EXPECT_EQ(r.blocks[b].endsArea, b + 1 == r.blocks.size());
        }
    }
}

TEST(TableRead, ThePresentReadTakesRunsOfPresentBytesAndMovesThePointerOverGaps)
{
    const Presence present = [](Address a) { return a != 3 && a != 4 && a != 9; };
    const Reading single = readWith(1, 0, 10, &present);
    const Reading r = readWith(4, 0, 10, &present);
    EXPECT_TRUE(r.result);
    EXPECT_EQ(r.points, (std::vector<Address>{0, 5}));
    EXPECT_EQ(r.blocks, (std::vector<Block>{{0, 3, false}, {5, 4, false}}));
    EXPECT_EQ(r.visited.size(), 7U);
    EXPECT_EQ(r.visited, single.visited);
    EXPECT_EQ(r.postings, single.postings);
}

TEST(TableRead, ACancelIsFeltAtTheNextBlockAndAStopEndsTheReadAsDone)
{
    const Reading cancelled = readWith(4, 0, 10, nullptr, 1);
    EXPECT_FALSE(cancelled.result);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.blocks.size(), 1U);
    EXPECT_EQ(cancelled.visited.size(), 4U);

    const Reading stopped = readWith(4, 0, 10, nullptr, 0, 5);
    EXPECT_TRUE(stopped.result);
    EXPECT_EQ(stopped.blocks.size(), 2U);
    EXPECT_EQ(stopped.visited.size(), 6U);
}

} // namespace
} // namespace velmora::test
