#include <gtest/gtest.h>

#include <climits>

#include "ui/WindowPlacement.h"

namespace velmora {
namespace {

struct Case {
    const char* what;
    WindowBounds saved;
    WindowBounds area;
    WindowBounds fitted;
};

TEST(WindowPlacementTest, SavedBoundsFitTheAvailableArea)
{
    constexpr WindowBounds desk{0, 0, 1280, 720};
    const Case cases[] = {
        {"fits already", {47, 44, 521, 421}, desk, {47, 44, 521, 421}},
        {"exactly the area", desk, desk, desk},
        {"largest numbers", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, desk, {0, 0, 1280, 720}},
        {"from a larger desk", {3000, 2000, 521, 421}, desk, {759, 299, 521, 421}},
        {"left and above", {-5000, -40, 600, 400}, desk, {0, 0, 600, 400}},
        {"too small and negative", {10, 10, -7, 0}, desk, {10, 10, 200, 100}},
        {"smallest numbers", {INT_MIN, INT_MIN, INT_MIN, INT_MIN}, desk, {0, 0, 200, 100}},
        {"second screen under a panel", {5000, 0, 900, 900}, {1280, 32, 800, 568}, {1280, 32, 800, 568}},
        {"screen below the minimum", {50, 50, 521, 421}, {10, 20, 160, 80}, {10, 20, 200, 100}},
    };
    for (const Case& c : cases) {
        const WindowBounds fitted = FitWindowBounds(c.saved, c.area);
        EXPECT_EQ(fitted.left, c.fitted.left) << c.what;
        EXPECT_EQ(fitted.top, c.fitted.top) << c.what;
        EXPECT_EQ(fitted.width, c.fitted.width) << c.what;
        EXPECT_EQ(fitted.height, c.fitted.height) << c.what;
    }
}

} // namespace
} // namespace velmora
