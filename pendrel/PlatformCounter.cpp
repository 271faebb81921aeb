// The delay core's view of the platform's own counter.

#include "pendrel/PlatformCounter.h"

#include "platform/PerformanceCounter.h"

namespace pendrel {

namespace {

class SystemCounter final : public PerformanceCounter {
public:
    bool frequency(std::int64_t& countsPerSecond) override
    {
        return velmora::platform::performanceFrequency(countsPerSecond);
    }
    bool read(std::int64_t& count) override { return velmora::platform::readPerformanceCounter(count); }
};

} // namespace

PerformanceCounter& platformCounter()
{
    static SystemCounter counter;
    return counter;
}

} // namespace pendrel
