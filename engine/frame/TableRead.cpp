#include "engine/frame/TableRead.h"

#include <algorithm>
#include <vector>

#include "engine/EngineTexts.h"

namespace velmora {

bool TableRead::read(Address first, std::uint32_t count, const ByteVisitor& visit)
{
    return readBlocks(first, count, nullptr, false, visit);
}

bool TableRead::readCounting(Address first, std::uint32_t count, const ByteVisitor& visit)
{
    return readBlocks(first, count, nullptr, true, visit);
}

bool TableRead::readPresent(Address first, std::uint32_t count, const Presence& present, const ByteVisitor& visit)
{
    return readBlocks(first, count, &present, false, visit);
}

std::uint32_t TableRead::blockAt(Address first, std::uint32_t index, std::uint32_t count,
                                 const Presence* present) const
{
    const std::uint32_t most = std::min(source_.blockSize(), count - index);
    std::uint32_t n = 1;
    while (n < most && (present == nullptr || (*present)(first + index + n)))
        ++n;
    return n;
}

bool TableRead::readBlocks(Address first, std::uint32_t count, const Presence* present, bool countingProgress,
                           const ByteVisitor& visit)
{
    PostingBlock& post = frame_.post();
    post.postProcessText(texts::kWriteInstruction);
    if (!source_.pointAt(first) || !frame_.check())
        return false;
    bool readingShown = present == nullptr;
    if (readingShown)
        post.postProcessText(texts::kReadByte);
    std::vector<std::uint8_t> block(source_.blockSize());
    const std::uint32_t last = count - 1;
    std::uint32_t pointer = 0;
    for (std::uint32_t i = 0; i < count;) {
        if (!frame_.check())
            return false;
        if (present != nullptr && !(*present)(first + i)) {
            ++i;
            continue;
        }
        const std::uint32_t n = blockAt(first, i, count, present);
        post.postAddress(first + i);
        if (i != pointer) {
            post.postProcessText(texts::kWriteInstruction);
            if (!source_.pointAt(first + i))
                return false;
            readingShown = false;
        }
        if (!readingShown) {
            post.postProcessText(texts::kReadByte);
            readingShown = true;
        }
        const bool endsArea = i + n == count;
        if (!source_.readBlock(std::span(block.data(), n), endsArea))
            return false;
        pointer = endsArea ? last : i + n;
        for (std::uint32_t j = 0; j < n; ++j, ++i) {
            if (j != 0)
                post.postAddress(first + i);
            const AfterByte after = visit(i, block[j]);
            if (after != AfterByte::Next)
                return after == AfterByte::Stop;
            post.postProgress(countingProgress ? percent(i + 1, count) : percent(i, last));
        }
    }
    return true;
}

} // namespace velmora
