#pragma once
// Calibration and busy-wait of the delay library, over any PerformanceCounter. The
// library's exports run one instance over the platform counter.
//
// Delay reads only what init() wrote, so several threads may wait at once provided
// init() ran before any of them started.

#include <cstdint>

#include "pendrel/PerformanceCounter.h"
#include "pendrel/pendrel.h"

namespace pendrel {

enum class DelayInitStatus : std::int32_t {
    Ready = PENDREL_READY,
    NoCounter = PENDREL_NO_COUNTER,
    SlowCounter = PENDREL_SLOW_COUNTER,
};

class DelayCore {
public:
    static constexpr std::int64_t MinFrequency = 200000;          // one count per 5 us unit
    static constexpr std::int64_t ProvisionalFrequency = 400000;  // stored before asking the platform
    static constexpr std::int64_t UnitsPerSecond = 200000;

    explicit DelayCore(PerformanceCounter& counter);

    DelayInitStatus init();
    // Busy-waits `units` times 5 us; false when a counter read failed.
    bool delay(std::uint32_t units) const;

    std::int64_t frequency() const { return frequency_; }
    long double ticksPerUnit() const { return ticksPerUnit_; }
    // Counter counts that delay(units) waits after its first reading.
    std::int64_t tickCount(std::uint32_t units) const;

private:
    bool waitUntil(std::int64_t start, std::int64_t end) const;
    bool waitAcrossWrap(std::int64_t start, std::int64_t end) const;

    PerformanceCounter& counter_;
    std::int64_t frequency_ = 1;
    long double ticksPerUnit_ = 0.0L;
};

} // namespace pendrel
