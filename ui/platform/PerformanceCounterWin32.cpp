#include "ui/platform/PerformanceCounter.h"

#include <windows.h>

namespace velmora::platform {

bool readPerformanceCounter(std::int64_t& count)
{
    LARGE_INTEGER value;
    if (!QueryPerformanceCounter(&value))
        return false;
    count = value.QuadPart;
    return true;
}

} // namespace velmora::platform
