#include "ui/platform/PerformanceCounter.h"

#include <time.h>

namespace velmora::platform {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

clockid_t counterClock()
{
#if defined(CLOCK_MONOTONIC_RAW)
    timespec probe{};
    if (clock_gettime(CLOCK_MONOTONIC_RAW, &probe) == 0)
        return CLOCK_MONOTONIC_RAW;
#endif
    return CLOCK_MONOTONIC;
}

} // namespace

bool readPerformanceCounter(std::int64_t& count)
{
    static const clockid_t clock = counterClock();
    timespec now{};
    if (clock_gettime(clock, &now) != 0)
        return false;
    count = static_cast<std::int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
    return true;
}

} // namespace velmora::platform
