// The simulator's own HEX reader and writer: any record length, both line ends, both
// address record kinds, every malformed record refused, and writer output that reads back.

#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "corvant/sim/IntelHex.h"

namespace velmora::sim {
namespace {

using Bytes = std::map<std::uint32_t, std::uint8_t>;

HexParseResult parse(std::string_view text, Bytes& bytes)
{
    return parseIntelHex(text, [&bytes](std::uint32_t address, std::uint8_t value) { bytes[address] = value; });
}

TEST(IntelHex, ReadsRecordsOfAnyLengthWithCrLfOrLf)
{
    // A 1-byte record, a 32-byte record, an empty data record, LF and CR LF mixed, a blank line.
    const std::string text =
        ":020000040000FA\n"
        ":01000000AB54\r\n"
        "\n"
        ":2000100000112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFFE0\r\n"
        ":00002000E0\n"
        ":00000001FF\r\n";
    Bytes bytes;
    const auto result = parse(text, bytes);
    ASSERT_TRUE(result.ok) << result.error << " at line " << result.line;
    EXPECT_EQ(bytes.size(), 33U);
    EXPECT_EQ(bytes.at(0x0000), 0xAB);
    EXPECT_EQ(bytes.at(0x0010), 0x00);
    EXPECT_EQ(bytes.at(0x002F), 0xFF);
}

TEST(IntelHex, LinearAddressesRunOnSegmentAddressesWrap)
{
    Bytes bytes;
    ASSERT_TRUE(parse(":0200000400F00A\n:02FFFF001122CD\n:00000001FF\n", bytes).ok);
    EXPECT_EQ(bytes.at(0xF0FFFF), 0x11);
    EXPECT_EQ(bytes.at(0xF10000), 0x22);

    Bytes segmented;
    ASSERT_TRUE(parse(":020000021000EC\n:02FFFF001122CD\n:00000001FF\n", segmented).ok);
    EXPECT_EQ(segmented.at(0x1FFFF), 0x11);
    EXPECT_EQ(segmented.at(0x10000), 0x22) << "offset wraps inside the 64 KB segment";
}

TEST(IntelHex, RefusesMalformedRecordsWithTheirLine)
{
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {":01000000AB55\n:00000001FF\n", 1},           // checksum
        {":01000000AB\n:00000001FF\n", 1},             // too short
        {":02000000AB54\n:00000001FF\n", 1},           // count does not match
        {"\n01000000AB54\n:00000001FF\n", 2},          // no colon
        {":010000G0AB54\n:00000001FF\n", 1},           // not hex
        {":01000006AB4E\n:00000001FF\n", 1},           // unknown type
        {":0100000400FB\n:00000001FF\n", 1},           // address record of 1 byte
        {":01000000AB54\n", 1},                        // no end-of-file record
    };
    for (const Case& c : cases) {
        Bytes bytes;
        const auto result = parse(c.text, bytes);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.line, c.line) << c.text;
        EXPECT_FALSE(result.error.empty()) << c.text;
    }
}

TEST(IntelHex, WriterOutputReadsBackAcrossA64KBoundary)
{
    std::vector<std::uint8_t> data(40);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    IntelHexWriter writer;
    writer.data(0xFFF0, data);
    writer.data(0x300000, std::vector<std::uint8_t> {0x12});
    const std::string text = writer.finish();

    EXPECT_NE(text.find(":020000040001F9\r\n"), std::string::npos) << "a new upper address at 10000h";
    EXPECT_EQ(text.substr(text.size() - 13), ":00000001FF\r\n");
    Bytes bytes;
    ASSERT_TRUE(parse(text, bytes).ok);
    ASSERT_EQ(bytes.size(), data.size() + 1);
    for (std::size_t i = 0; i < data.size(); ++i)
        EXPECT_EQ(bytes.at(0xFFF0 + static_cast<std::uint32_t>(i)), data[i]);
    EXPECT_EQ(bytes.at(0x300000), 0x12);
}

} // namespace
} // namespace velmora::sim
