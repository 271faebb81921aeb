// Windows counter: QueryPerformanceCounter at the frequency the system reports.

#include "pendrel/PlatformCounter.h"

#include <windows.h>

namespace pendrel {

namespace {

class Win32Counter final : public PerformanceCounter {
public:
    bool frequency(std::int64_t& countsPerSecond) override
    {
        LARGE_INTEGER value {};
        if (!QueryPerformanceFrequency(&value)) {
            return false;
        }
        countsPerSecond = value.QuadPart;
        return true;
    }

    bool read(std::int64_t& count) override
    {
        LARGE_INTEGER value {};
        if (!QueryPerformanceCounter(&value)) {
            return false;
        }
        count = value.QuadPart;
        return true;
    }
};

} // namespace

PerformanceCounter& platformCounter()
{
    static Win32Counter counter;
    return counter;
}

} // namespace pendrel
