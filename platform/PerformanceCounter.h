#pragma once
// The operating system's high-resolution counter, read directly: QueryPerformanceCounter
// on Windows, elsewhere a monotonic clock in nanoseconds (CLOCK_MONOTONIC_RAW where it
// exists, because NTP does not slew it, so a wait can never run short by the slew rate).

#include <cstdint>

namespace velmora::platform {

// Counts per second; false when the platform has no high-resolution counter.
bool performanceFrequency(std::int64_t& countsPerSecond);
// The current count; false when the counter cannot be read.
bool readPerformanceCounter(std::int64_t& count);

} // namespace velmora::platform
