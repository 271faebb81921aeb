#include "devicedata/IntegerText.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ParseInteger, EveryPrefixNamesTheSameValue)
{
    for (const char* text : {"32768", "$8000", "x8000", "X8000", "0x8000", "0X8000", "0x8000", "$0008000"})
        EXPECT_EQ(ParseInteger(text), 32768) << text;
    EXPECT_EQ(ParseInteger("0xaBcD"), 0xABCD);
}

TEST(ParseInteger, LeadingBlanksAndSign)
{
    EXPECT_EQ(ParseInteger("   42"), 42);
    EXPECT_EQ(ParseInteger("\t 42"), 42);
    EXPECT_EQ(ParseInteger("+42"), 42);
    EXPECT_EQ(ParseInteger("-42"), -42);
    EXPECT_EQ(ParseInteger("  -$10"), -16);
    EXPECT_EQ(ParseInteger("+0x10"), 16);
    EXPECT_EQ(ParseInteger("-0"), 0);
    EXPECT_EQ(ParseInteger("007"), 7);
}

TEST(ParseInteger, DecimalMustFitSigned32Bits)
{
    EXPECT_EQ(ParseInteger("2147483647"), kMax);
    EXPECT_EQ(ParseInteger("-2147483648"), kMin);
    EXPECT_EQ(ParseInteger("00000000002147483647"), kMax);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInteger("-2147483649"), std::nullopt);
    EXPECT_EQ(ParseInteger("4294967296"), std::nullopt);
    EXPECT_EQ(ParseInteger("99999999999999999999999999"), std::nullopt);
}

TEST(ParseInteger, EightHexDigitsAreA32BitWord)
{
    EXPECT_EQ(ParseInteger("0xFFFFFFFF"), -1);
    EXPECT_EQ(ParseInteger("$80000000"), kMin);
    EXPECT_EQ(ParseInteger("0x7FFFFFFF"), kMax);
    EXPECT_EQ(ParseInteger("-0x80000000"), kMin);
    EXPECT_EQ(ParseInteger("-0x80000001"), std::nullopt);
    EXPECT_EQ(ParseInteger("-0xFFFFFFFF"), std::nullopt);
    // The digit count limits hex, leading zeros included.
    EXPECT_EQ(ParseInteger("0x100000000"), std::nullopt);
    EXPECT_EQ(ParseInteger("0x000000001"), std::nullopt);
}

TEST(ParseInteger, AnythingElseIsNotANumber)
{
    for (const char* text : {"", " ", "-", "+", "$", "0x", "x", "12k", "1 2", "12 ", "0x1G", "--1",
                             "+-1", "- 1", "0b1", "1.0", "$ 1", "0x-1", "1e3", "０"})
        EXPECT_EQ(ParseInteger(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(ParseInteger(std::string_view("1\0", 2)), std::nullopt);
}

} // namespace
} // namespace velmora
