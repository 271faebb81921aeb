// POSIX counter: nanoseconds of a monotonic clock. CLOCK_MONOTONIC_RAW is preferred
// because NTP does not slew it, so a wait can never run short by the slew rate.

#include "pendrel/PlatformCounter.h"

#include <time.h>

namespace pendrel {

namespace {

constexpr std::int64_t NanosecondsPerSecond = 1000000000;

clockid_t chooseClock()
{
#if defined(CLOCK_MONOTONIC_RAW)
    timespec probe {};
    if (clock_gettime(CLOCK_MONOTONIC_RAW, &probe) == 0) {
        return CLOCK_MONOTONIC_RAW;
    }
#endif
    return CLOCK_MONOTONIC;
}

class PosixCounter final : public PerformanceCounter {
public:
    bool frequency(std::int64_t& countsPerSecond) override
    {
        timespec probe {};
        if (clock_gettime(clock_, &probe) != 0) {
            return false;
        }
        countsPerSecond = NanosecondsPerSecond;
        return true;
    }

    bool read(std::int64_t& count) override
    {
        timespec now {};
        if (clock_gettime(clock_, &now) != 0) {
            return false;
        }
        count = static_cast<std::int64_t>(now.tv_sec) * NanosecondsPerSecond + now.tv_nsec;
        return true;
    }

private:
    const clockid_t clock_ = chooseClock();
};

} // namespace

PerformanceCounter& platformCounter()
{
    static PosixCounter counter;
    return counter;
}

} // namespace pendrel
