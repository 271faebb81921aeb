#include "platform/PerformanceCounter.h"

#include <windows.h>

namespace velmora::platform {

namespace {

bool query(BOOL(WINAPI* call)(LARGE_INTEGER*), std::int64_t& result)
{
    LARGE_INTEGER value{};
    if (!call(&value))
        return false;
    result = value.QuadPart;
    return true;
}

} // namespace

bool performanceFrequency(std::int64_t& countsPerSecond)
{
    return query(QueryPerformanceFrequency, countsPerSecond);
}

bool readPerformanceCounter(std::int64_t& count)
{
    return query(QueryPerformanceCounter, count);
}

} // namespace velmora::platform
