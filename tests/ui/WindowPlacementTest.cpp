#include <gtest/gtest.h>

#include <climits>

#include "ui/WindowPlacement.h"

namespace velmora {
namespace {

struct Case {
    const char* what;
    WindowBounds saved;
    WindowBounds fitted;
};

constexpr WindowBounds kDesk{0, 0, 1280, 720};

TEST(WindowPlacementTest, SavedBoundsFitTheAvailableArea)
{
    const Case cases[] = {
        {"fits already", {47, 44, 521, 421}, {47, 44, 521, 421}},
        {"exactly the area", {0, 0, 1280, 720}, {0, 0, 1280, 720}},
        {"largest numbers", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {0, 0, 1280, 720}},
        {"from a larger desk", {3000, 2000, 521, 421}, {759, 299, 521, 421}},
        {"left and above", {-5000, -40, 600, 400}, {0, 0, 600, 400}},
        {"overhangs the right edge", {1000, 100, 600, 400}, {680, 100, 600, 400}},
        {"too small and negative", {10, 10, -7, 0}, {10, 10, 200, 100}},
        {"smallest numbers", {INT_MIN, INT_MIN, INT_MIN, INT_MIN}, {0, 0, 200, 100}},
    };
    for (const Case& c : cases) {
        const WindowBounds fitted = FitWindowBounds(c.saved, kDesk);
        EXPECT_EQ(fitted.left, c.fitted.left) << c.what;
        EXPECT_EQ(fitted.top, c.fitted.top) << c.what;
        EXPECT_EQ(fitted.width, c.fitted.width) << c.what;
        EXPECT_EQ(fitted.height, c.fitted.height) << c.what;
    }
}

TEST(WindowPlacementTest, AreaOffTheOriginAndSmallerThanTheMinimum)
{
    // A second screen right of the first, with a panel along its top.
    const WindowBounds fitted = FitWindowBounds({5000, 0, 900, 900}, {1280, 32, 800, 568});
    EXPECT_EQ(fitted.left, 1280);
    EXPECT_EQ(fitted.top, 32);
    EXPECT_EQ(fitted.width, 800);
    EXPECT_EQ(fitted.height, 568);

    // The minimum size wins over a tiny screen; the window starts at its corner.
    const WindowBounds tiny = FitWindowBounds({50, 50, 521, 421}, {10, 20, 160, 80});
    EXPECT_EQ(tiny.left, 10);
    EXPECT_EQ(tiny.top, 20);
    EXPECT_EQ(tiny.width, 200);
    EXPECT_EQ(tiny.height, 100);
}

} // namespace
} // namespace velmora
