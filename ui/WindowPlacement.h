#pragma once
// Where the main window opens. Its saved bounds come from a file that a user may edit
// or carry over from a larger desk, so they are fitted to the screen before use: a
// window larger than the screen costs memory for every pixel, and one beyond the
// screen's edge cannot be reached.

#include "ui/SettingsValues.h"

namespace velmora {

// The smallest the main window may become, whatever the screen or the file says.
inline constexpr std::int32_t kMinimumWindowWidth = 200;
inline constexpr std::int32_t kMinimumWindowHeight = 100;

// The bounds no larger than the area (but not below the minimum size) and moved
// into it as far as they fit; bounds that fit already are kept as they are.
WindowBounds FitWindowBounds(const WindowBounds& saved, const WindowBounds& area);

// FitWindowBounds on the available area of the screen under the bounds' centre, or of
// the primary screen when none is; with no screen at all only the minimum size applies.
WindowBounds FitWindowBoundsToScreen(const WindowBounds& saved);

} // namespace velmora
