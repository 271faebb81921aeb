// Splitting a file into lines, and the record checksum.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "hexfile/HexLineChecksum.h"
#include "hexfile/HexLineReader.h"

namespace velmora {
namespace {

// Hands out its text a few bytes per read, so lines and CR LF pairs straddle reads.
class TrickleSource final : public ByteSource {
public:
    TrickleSource(std::string text, std::size_t step) : text_(std::move(text)), step_(step) {}
    std::optional<std::size_t> read(std::span<char> buffer) override
    {
        const std::size_t count = std::min({buffer.size(), step_, text_.size() - position_});
        std::memcpy(buffer.data(), text_.data() + position_, count);
        position_ += count;
        return count;
    }

private:
    std::string text_;
    std::size_t step_;
    std::size_t position_ = 0;
};

std::vector<std::string> readLines(const std::string& text, std::size_t step)
{
    TrickleSource source(text, step);
    HexLineReader reader(source);
    std::vector<std::string> lines;
    while (reader.next() == HexLineReader::Status::Line) {
        lines.emplace_back(reader.line());
        EXPECT_EQ(reader.lineNumber(), lines.size());
    }
    return lines;
}

TEST(HexLineReader, CrLfCrAndLfEachEndOneLineWhereverTheReadsSplitThem)
{
    const std::string nul(1, '\0');
    for (std::size_t step : {1u, 2u, 3u, 1000u}) {
        EXPECT_EQ(readLines("a\r\nb\nc\rd\n\r\n\n :1\a0 aB" + nul + "c", step),
                  (std::vector<std::string>{"a", "b", "c", "d", "", "", ":10aB" + nul + "c"}))
            << "step " << step;
        EXPECT_EQ(readLines("x\r\n", step).size(), 1u);
        EXPECT_EQ(readLines("x\r\n  ", step).size(), 2u);
    }
    EXPECT_TRUE(readLines("", 7).empty());
}

TEST(HexLineReader, HugeLinesStayBoundedAndAreOverlongOnlyWhenTheirCleanTextIs)
{
    const std::string spaced = ":" + std::string(3'000'000, ' ') + "00000001FF\n";
    TrickleSource source(spaced + std::string(3'000'000, 'x') + "\n", 1 << 20);
    HexLineReader reader(source);
    ASSERT_EQ(reader.next(), HexLineReader::Status::Line);
    EXPECT_EQ(reader.line(), ":00000001FF");
    EXPECT_FALSE(reader.overlong());
    ASSERT_EQ(reader.next(), HexLineReader::Status::Line);
    EXPECT_TRUE(reader.overlong());
    EXPECT_EQ(reader.line().size(), kMaxRecordTextLength);
    EXPECT_EQ(reader.next(), HexLineReader::Status::End);
}

TEST(HexLineChecksum, SumsTheByteGroupsAfterTheColonCountingNonHexAsZero)
{
    EXPECT_EQ(HexLineChecksum(":0200000400F0"), 0x0A);
    EXPECT_EQ(HexLineChecksum(":02ZZ0004"), 0xFA);
    EXPECT_EQ(HexLineChecksum(":0200000400005"), 0xFA); // a lone trailing digit is no group
    EXPECT_EQ(HexLineChecksum(":"), 0x00);
}

} // namespace
} // namespace velmora
