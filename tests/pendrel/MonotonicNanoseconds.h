#pragma once
// The raw monotonic clock the library itself waits on, to measure its waits from outside.

#include <cstdint>
#include <ctime>

inline std::int64_t monotonicNanoseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
