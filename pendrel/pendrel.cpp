// The four exports of the delay library. Loading the library does not calibrate the
// timer: the program calls DelayInit itself, once, before any thread waits.

#include "pendrel/pendrel.h"

#include "pendrel/DelayCore.h"
#include "pendrel/PlatformCounter.h"

namespace {

pendrel::DelayCore& delayCore()
{
    static pendrel::DelayCore core(pendrel::platformCounter());
    return core;
}

} // namespace

extern "C" {

PENDREL_API int32_t PENDREL_CALL DelayInit(void)
{
    return static_cast<int32_t>(delayCore().init());
}

PENDREL_API bool PENDREL_CALL Delay(uint32_t n)
{
    return delayCore().delay(n);
}

PENDREL_API int64_t PENDREL_CALL GetPerformanceFrequency(void)
{
    return delayCore().frequency();
}

PENDREL_API int64_t PENDREL_CALL GetMinPerformanceFrequency(void)
{
    return pendrel::DelayCore::MinFrequency;
}

} // extern "C"
