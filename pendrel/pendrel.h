#pragma once
// pendrel: busy-wait delays in 5 us units on the platform's high-resolution counter.
// The four exports keep plain integers in and out so any caller can import them by name.

#include <stdbool.h>
#include <stdint.h>

#if defined(_WIN32)
#  define PENDREL_CALL __stdcall
#  if defined(PENDREL_BUILDING)
#    define PENDREL_API __declspec(dllexport)
#  else
#    define PENDREL_API __declspec(dllimport)
#  endif
#else
#  define PENDREL_CALL
#  define PENDREL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// DelayInit's results; callers read its low byte as a signed byte.
enum PendrelStatus {
    PENDREL_READY = 0,
    PENDREL_NO_COUNTER = -1,    // all bits set
    PENDREL_SLOW_COUNTER = -2,  // slower than 200000 Hz
};

PENDREL_API int32_t PENDREL_CALL DelayInit(void);
// Waits n units of 5 us; false when a counter read failed.
PENDREL_API bool PENDREL_CALL Delay(uint32_t n);
PENDREL_API int64_t PENDREL_CALL GetPerformanceFrequency(void);
PENDREL_API int64_t PENDREL_CALL GetMinPerformanceFrequency(void);

#ifdef __cplusplus
}
#endif
