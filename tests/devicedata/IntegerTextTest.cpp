#include "devicedata/IntegerText.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ParseInteger, Numbers)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"32768", 32768}, {"$8000", 32768}, {"x8000", 32768}, {"X8000", 32768}, {"0x8000", 32768},
        {"0X8000", 32768}, {"$0008000", 32768}, {"0xaBcD", 0xABCD}, {"   42", 42}, {"\t 42", 42},
        {"+42", 42}, {"-42", -42}, {"  -$10", -16}, {"+0x10", 16}, {"-0", 0}, {"007", 7},
        {"2147483647", kMax}, {"-2147483648", kMin}, {"00000000002147483647", kMax},
        // Eight hex digits are a 32-bit word; a minus sign negates the value they name.
        {"0xFFFFFFFF", -1}, {"$80000000", kMin}, {"0x7FFFFFFF", kMax}, {"-0x80000000", kMin},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseInteger(text), value) << '"' << text << '"';
}

TEST(ParseInteger, NotNumbers)
{
    for (const char* text : {"", " ", "-", "+", "$", "0x", "x", "12k", "1 2", "12 ", "0x1G", "--1", "+-1",
                             "- 1", "0b1", "1.0", "$ 1", "0x-1", "1e3", "2147483648", "-2147483649",
                             "4294967296", "99999999999999999999", "-0x80000001", "-0xFFFFFFFF",
                             "0x100000000", "0x000000001"})
        EXPECT_EQ(ParseInteger(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(ParseInteger(std::string_view("1\0", 2)), std::nullopt);
}

} // namespace
} // namespace velmora
