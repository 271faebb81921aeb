#pragma once
// The raw monotonic clock the library itself waits on, to measure its waits from outside.

#include <cstdint>

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <ctime>
#endif

// Counts per second of the counter the library waits on.
inline std::int64_t platformCounterFrequency()
{
#if defined(_WIN32)
    LARGE_INTEGER frequency {};
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
#else
    return 1000000000;
#endif
}

inline std::int64_t monotonicNanoseconds()
{
#if defined(_WIN32)
    LARGE_INTEGER frequency {};
    LARGE_INTEGER now {};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    // Seconds and remainder apart, so the product cannot overflow for any uptime.
    const std::int64_t seconds = now.QuadPart / frequency.QuadPart;
    const std::int64_t rest = now.QuadPart % frequency.QuadPart;
    return seconds * 1000000000 + rest * 1000000000 / frequency.QuadPart;
#else
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
#endif
}
