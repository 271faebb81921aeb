#include "devicedata/ParseHexDigits.h"
#include "devicedata/ParseMaskBytes.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ParseHexDigits, OneToEightDigitsOrTheDefault)
{
    EXPECT_EQ(ParseHexDigits("0", 7u), 0u);
    EXPECT_EQ(ParseHexDigits("1a2B", 7u), 0x1A2Bu);
    EXPECT_EQ(ParseHexDigits("FFFFFFFF", 7u), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexDigits("00000001", 7u), 1u);
    for (const char* text : {"", "123456789", "G", "1g", " 1", "1 ", "0x1", "-1", "$1"})
        EXPECT_EQ(ParseHexDigits(text, 0xDEADu), 0xDEADu) << '"' << text << '"';
}

TEST(ParseMaskBytes, FourteenTokensWithAnySpacing)
{
    ConfigBlock bytes{};
    ASSERT_TRUE(ParseMaskBytes("00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40", bytes));
    EXPECT_EQ(bytes, (ConfigBlock{0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}));
    ASSERT_TRUE(ParseMaskBytes("  1  2  3  4  5  6  7  8  9  a  b  c  d  ff  ", bytes));
    EXPECT_EQ(bytes, (ConfigBlock{1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0xC, 0xD, 0xFF}));
    // A long token passes when its value is still a byte.
    ASSERT_TRUE(ParseMaskBytes("0ff 00000001 0 0 0 0 0 0 0 0 0 0 0 c5", bytes));
    EXPECT_EQ(bytes, (ConfigBlock{0xFF, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC5}));
}

TEST(ParseMaskBytes, RejectsAndLeavesTheOutputUntouched)
{
    const char* bad[] = {
        "",
        "   ",
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F",             // 13 tokens
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40 00",       // 15 tokens
        "1 2 3 4 5 6 7 8 9 10 11 12 13 14 1 ",                // 15 tokens, trailing space
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 100",         // above 0xFF
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 000000040",   // nine digits
        "00\t27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40",         // tab separator
        "00,27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40",
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 4G",
        "0x00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40",
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40 ;",
    };
    for (const char* text : bad) {
        ConfigBlock bytes;
        bytes.fill(0xA5);
        EXPECT_FALSE(ParseMaskBytes(text, bytes)) << '"' << text << '"';
        EXPECT_EQ(bytes[0], 0xA5) << '"' << text << '"';
        EXPECT_EQ(bytes[13], 0xA5) << '"' << text << '"';
    }
}

} // namespace
} // namespace velmora
