#include "hexfile/HexLineReader.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

// Big enough that a full-size file needs only a dozen reads, small enough for the cache.
constexpr std::size_t kChunkSize = 256 * 1024;

constexpr char kSpace = ' ';
constexpr char kBell = '\a';

bool isRemoved(char c)
{
    return c == kSpace || c == kBell;
}

std::size_t findByte(const std::vector<char>& chunk, std::size_t from, std::size_t to, char wanted)
{
    const void* found = std::memchr(chunk.data() + from, wanted, to - from);
    if (found == nullptr)
        return to;
    return static_cast<std::size_t>(static_cast<const char*>(found) - chunk.data());
}

} // namespace

HexLineReader::HexLineReader(ByteSource& source) : source_(source), chunk_(kChunkSize) {}

bool HexLineReader::refill()
{
    if (sourceEnded_ || readFailed_)
        return false;
    const std::optional<std::size_t> count = source_.read(chunk_);
    if (!count) {
        readFailed_ = true;
        return false;
    }
    position_ = 0;
    filled_ = std::min(*count, chunk_.size());
    nextCr_ = 0;
    nextLf_ = 0;
    if (filled_ == 0)
        sourceEnded_ = true;
    return filled_ != 0;
}

std::size_t HexLineReader::findLineEnd()
{
    if (nextCr_ < position_ || nextCr_ == 0)
        nextCr_ = findByte(chunk_, position_, filled_, '\r');
    if (nextLf_ < position_ || nextLf_ == 0)
        nextLf_ = findByte(chunk_, position_, filled_, '\n');
    return std::min(nextCr_, nextLf_);
}

void HexLineReader::append(const char* begin, const char* end)
{
    const auto length = static_cast<std::size_t>(end - begin);
    const bool clean = std::memchr(begin, kSpace, length) == nullptr && std::memchr(begin, kBell, length) == nullptr;
    if (clean) {
        const std::size_t room = line_.size() - lineLength_;
        const std::size_t copied = std::min(room, length);
        std::memcpy(line_.data() + lineLength_, begin, copied);
        lineLength_ += copied;
        overlong_ = overlong_ || copied < length;
        return;
    }
    for (const char* c = begin; c != end; ++c) {
        if (isRemoved(*c))
            continue;
        if (lineLength_ == line_.size()) {
            overlong_ = true;
            return;
        }
        line_[lineLength_++] = *c;
    }
}

HexLineReader::Status HexLineReader::next()
{
    lineLength_ = 0;
    overlong_ = false;
    bool lineHasBytes = false;
    for (;;) {
        if (position_ == filled_ && !refill()) {
            if (readFailed_)
                return Status::ReadError;
            if (!lineHasBytes)
                return Status::End;
            ++lineNumber_;
            return Status::Line;
        }
        if (skipLineFeed_) {
            // The LF of a CR LF pair, possibly at the start of the next chunk.
            skipLineFeed_ = false;
            if (chunk_[position_] == '\n') {
                ++position_;
                continue;
            }
        }
        const std::size_t lineEnd = findLineEnd();
        if (lineEnd != position_) {
            append(chunk_.data() + position_, chunk_.data() + lineEnd);
            lineHasBytes = true;
        }
        position_ = lineEnd;
        if (lineEnd == filled_)
            continue;
        skipLineFeed_ = chunk_[lineEnd] == '\r';
        ++position_;
        ++lineNumber_;
        return Status::Line;
    }
}

} // namespace velmora
