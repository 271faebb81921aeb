#include "devicedata/ParseHexDigits.h"
#include "devicedata/ParseMaskBytes.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr ConfigBlock kUntouched{0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5,
                                 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5};

TEST(ParseHexDigits, FoldsOneToEightDigits)
{
    EXPECT_EQ(ParseHexDigits("0", 7u), 0u);
    EXPECT_EQ(ParseHexDigits("F", 7u), 0xFu);
    EXPECT_EQ(ParseHexDigits("1a2B", 7u), 0x1A2Bu);
    EXPECT_EQ(ParseHexDigits("FFFFFFFF", 7u), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexDigits("00000001", 7u), 1u);
}

TEST(ParseHexDigits, OtherTextGivesTheDefault)
{
    for (const char* text : {"", "123456789", "G", "1g", " 1", "1 ", "0x1", "-1", "$1"})
        EXPECT_EQ(ParseHexDigits(text, 0xDEADu), 0xDEADu) << '"' << text << '"';
}

TEST(ParseMaskBytes, ReadsFourteenTokens)
{
    ConfigBlock bytes = kUntouched;
    ASSERT_TRUE(ParseMaskBytes("00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40", bytes));
    const ConfigBlock expected{0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
    EXPECT_EQ(bytes, expected);
}

TEST(ParseMaskBytes, SpacingCaseAndTokenLength)
{
    ConfigBlock bytes = kUntouched;
    ASSERT_TRUE(ParseMaskBytes(" 1  2  3  4  5  6  7  8  9  a  b  c  d  ff  ", bytes));
    const ConfigBlock expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0xC, 0xD, 0xFF};
    EXPECT_EQ(bytes, expected);

    // A long token passes when its value is still a byte.
    ASSERT_TRUE(ParseMaskBytes("0ff 00000001 0 0 0 0 0 0 0 0 0 0 0 c5", bytes));
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[13], 0xC5);
}

TEST(ParseMaskBytes, RejectsAndLeavesTheOutputUntouched)
{
    const char* bad[] = {
        "",
        "   ",
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F",        // 13 tokens
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40 00",  // 15 tokens
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 100",    // token above 0xFF
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 000000040",  // nine digits
        "00\t27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40",    // tab separator
        "00,27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40",
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 4G",
        "0x00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40",
        "00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F 40 ;",
    };
    for (const char* text : bad) {
        ConfigBlock bytes = kUntouched;
        EXPECT_FALSE(ParseMaskBytes(text, bytes)) << '"' << text << '"';
        EXPECT_EQ(bytes, kUntouched) << '"' << text << '"';
    }
}

TEST(ParseMaskBytes, FifteenthTokenFailsEvenAtTheVeryEnd)
{
    ConfigBlock bytes = kUntouched;
    EXPECT_FALSE(ParseMaskBytes("1 2 3 4 5 6 7 8 9 10 11 12 13 14 1", bytes));
    EXPECT_FALSE(ParseMaskBytes("1 2 3 4 5 6 7 8 9 10 11 12 13 14 1 ", bytes));
    EXPECT_EQ(bytes, kUntouched);
}

} // namespace
} // namespace velmora
