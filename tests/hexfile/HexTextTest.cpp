// Line splitting, record validation and the record checksum.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "hexfile/HexLineChecksum.h"
#include "hexfile/HexLineReader.h"
#include "hexfile/HexRecord.h"

namespace velmora {
namespace {

// Hands out its text a few bytes at a time, so lines and CR LF pairs straddle reads;
// fails instead of ending when failAtEnd is set.
class TrickleSource final : public ByteSource {
public:
    TrickleSource(std::string text, std::size_t step, bool failAtEnd = false)
        : text_(std::move(text)), step_(step), failAtEnd_(failAtEnd) {}

    std::optional<std::size_t> read(std::span<char> buffer) override
    {
        const std::size_t count = std::min({buffer.size(), step_, text_.size() - position_});
        if (count == 0 && failAtEnd_)
            return std::nullopt;
        std::memcpy(buffer.data(), text_.data() + position_, count);
        position_ += count;
        return count;
    }

private:
    std::string text_;
    std::size_t step_;
    bool failAtEnd_;
    std::size_t position_ = 0;
};

struct ReadLine {
    std::string text;
    std::uint64_t number;
};

std::vector<ReadLine> readLines(const std::string& text, std::size_t step)
{
    TrickleSource source(text, step);
    HexLineReader reader(source);
    std::vector<ReadLine> lines;
    while (reader.next() == HexLineReader::Status::Line)
        lines.push_back({std::string(reader.line()), reader.lineNumber()});
    return lines;
}

TEST(HexLineReader, EveryKindOfLineEndCountsOnceWhereverTheReadsSplitIt)
{
    const std::string text = "a\r\nb\nc\rd\n\r\n\ne";
    for (std::size_t step : {1u, 2u, 3u, 1000u}) {
        const std::vector<ReadLine> lines = readLines(text, step);
        const std::vector<std::string> expected = {"a", "b", "c", "d", "", "", "e"};
        ASSERT_EQ(lines.size(), expected.size()) << "step " << step;
        for (std::size_t index = 0; index < lines.size(); ++index) {
            EXPECT_EQ(lines[index].text, expected[index]) << "step " << step;
            EXPECT_EQ(lines[index].number, index + 1);
        }
    }
}

TEST(HexLineReader, TrailingLineEndAddsNoLineButABlankLastLineCounts)
{
    EXPECT_EQ(readLines("x\r\n", 7).size(), 1u);
    EXPECT_EQ(readLines("x\r\n  ", 7).size(), 2u);
    EXPECT_TRUE(readLines("", 7).empty());
}

TEST(HexLineReader, DropsSpacesAndBellsKeepsNulAndCase)
{
    const std::string text = std::string(" :1\a0 aB") + '\0' + "c\n";
    const std::vector<ReadLine> lines = readLines(text, 3);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, std::string(":10aB") + '\0' + "c");
}

TEST(HexLineReader, HugeLinesStayBoundedAndFlaggedOnlyWhenTheCleanTextIsTooLong)
{
    const std::string record = ":00000001FF";
    const std::string spaced = ":" + std::string(3'000'000, ' ') + record.substr(1) + "\n";
    const std::string longComment = std::string(3'000'000, 'x') + "\n";
    TrickleSource source(spaced + longComment, 1 << 20);
    HexLineReader reader(source);
    ASSERT_EQ(reader.next(), HexLineReader::Status::Line);
    EXPECT_EQ(reader.line(), record);
    EXPECT_FALSE(reader.overlong());
    ASSERT_EQ(reader.next(), HexLineReader::Status::Line);
    EXPECT_TRUE(reader.overlong());
    EXPECT_EQ(reader.line().size(), kMaxRecordTextLength);
    EXPECT_EQ(reader.next(), HexLineReader::Status::End);
}

TEST(HexLineReader, ReportsAFailedRead)
{
    TrickleSource source("line one\n", 4, true);
    HexLineReader reader(source);
    ASSERT_EQ(reader.next(), HexLineReader::Status::Line);
    EXPECT_EQ(reader.next(), HexLineReader::Status::ReadError);
}

TEST(HexLineChecksum, SumsTheByteGroupsAfterTheColon)
{
    EXPECT_EQ(HexLineChecksum(":020000040000"), 0xFA);
    EXPECT_EQ(HexLineChecksum(":0200000400F0"), 0x0A);
    EXPECT_EQ(HexLineChecksum(":00000001"), 0xFF);
    EXPECT_EQ(HexLineChecksum(":10000000" + std::string(32, 'F')), 0x00);
    // A group that is not hex counts as 0; a lone trailing digit is no group.
    EXPECT_EQ(HexLineChecksum(":02ZZ0004"), 0xFA);
    EXPECT_EQ(HexLineChecksum(":0200000400005"), 0xFA);
    EXPECT_EQ(HexLineChecksum(":"), 0x00);
}

TEST(HexRecord, DecodesAValidRecordInEitherCase)
{
    HexRecord record;
    ASSERT_EQ(record.parse(":0300300002337a1e"), HexRecord::Status::Valid);
    EXPECT_EQ(record.length(), 3);
    EXPECT_EQ(record.offset(), 0x0030);
    EXPECT_EQ(record.type(), 0);
    EXPECT_EQ(std::vector<std::uint8_t>(record.data().begin(), record.data().end()),
              (std::vector<std::uint8_t>{0x02, 0x33, 0x7A}));
}

TEST(HexRecord, RejectsMalformedTextAndWrongChecksums)
{
    const std::string full255 = ":FF000000" + std::string(510, '0') + "01";
    HexRecord record;
    EXPECT_EQ(record.parse(full255), HexRecord::Status::Valid);
    EXPECT_EQ(record.data().size(), 255u);

    for (const char* bad : {":00000001F", ":0000000", ":0000000GFF", ":0200000000FF", ":00000001FF00",
                            ":0200000400", ":000000x1FF"})
        EXPECT_EQ(record.parse(bad), HexRecord::Status::FormatError) << bad;
    EXPECT_EQ(record.parse(":00000001FE"), HexRecord::Status::ChecksumError);
    EXPECT_EQ(record.parse(":0200000400F00B"), HexRecord::Status::ChecksumError);
}

} // namespace
} // namespace velmora
