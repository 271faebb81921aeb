#include "platform/PerformanceCounter.h"

#include <time.h>

namespace velmora::platform {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

clockid_t chooseClock()
{
#if defined(CLOCK_MONOTONIC_RAW)
    timespec probe{};
    if (clock_gettime(CLOCK_MONOTONIC_RAW, &probe) == 0)
        return CLOCK_MONOTONIC_RAW;
#endif
    return CLOCK_MONOTONIC;
}

clockid_t counterClock()
{
    static const clockid_t clock = chooseClock();
    return clock;
}

} // namespace

bool performanceFrequency(std::int64_t& countsPerSecond)
{
    timespec probe{};
    if (clock_gettime(counterClock(), &probe) != 0)
        return false;
    countsPerSecond = kNanosecondsPerSecond;
    return true;
}

bool readPerformanceCounter(std::int64_t& count)
{
    timespec now{};
    if (clock_gettime(counterClock(), &now) != 0)
        return false;
    count = static_cast<std::int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
    return true;
}

} // namespace velmora::platform
