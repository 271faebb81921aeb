#include <gtest/gtest.h>

#include <string>

#include "ui/ElidedText.h"

namespace velmora {
namespace {

TEST(ElidedTextTest, ShortTextWholeLongTextItsEndsAndLength)
{
    EXPECT_EQ(ElideMiddle(""), "");
    EXPECT_EQ(ElideMiddle(std::string(120, 'a')), std::string(120, 'a'));
    EXPECT_EQ(ElideMiddle("abcdefgh", 4), "ab ... [8 bytes] ... gh");

    const std::string port = "GPIO:" + std::string(10235, 'x');
    const std::string shown = ElideMiddle(port);
    EXPECT_EQ(shown, "GPIO:" + std::string(55, 'x') + " ... [10240 bytes] ... " + std::string(60, 'x'));
}

TEST(ElidedTextTest, NeverSplitsAUtf8Character)
{
    // Each "é" is two bytes; the first two and the last two bytes would split one each.
    EXPECT_EQ(ElideMiddle("aébcdéf", 4), "a ... [9 bytes] ... f");
}

} // namespace
} // namespace velmora
