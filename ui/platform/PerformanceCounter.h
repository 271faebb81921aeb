#pragma once
// Platform layer: the high-resolution counter the delay library waits on, read directly
// (QueryPerformanceCounter on Windows; the monotonic raw clock in nanoseconds elsewhere,
// matching the delay library's frequency of 10^9).

#include <cstdint>

namespace velmora::platform {

bool readPerformanceCounter(std::int64_t& count);

} // namespace velmora::platform
