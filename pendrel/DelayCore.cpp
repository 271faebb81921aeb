#include "pendrel/DelayCore.h"

#include <cmath>
#include <limits>

namespace pendrel {

namespace {

constexpr std::int64_t MaxTicks = std::numeric_limits<std::int64_t>::max();
// 2^63: the first value that no longer fits a signed 64-bit tick count.
constexpr long double TickCountLimit = 9223372036854775808.0L;

// Nearest integer, ties to even, whatever rounding mode the caller has set.
long double roundHalfEven(long double value)
{
    const long double lower = std::floor(value);
    const long double fraction = value - lower;
    if (fraction > 0.5L) {
        return lower + 1.0L;
    }
    if (fraction < 0.5L) {
        return lower;
    }
    return std::fmod(lower, 2.0L) == 0.0L ? lower : lower + 1.0L;
}

} // namespace

DelayCore::DelayCore(PerformanceCounter& counter)
    : counter_(counter)
{
}

DelayInitStatus DelayCore::init()
{
    ticksPerUnit_ = 1.0L;
    frequency_ = ProvisionalFrequency;
    if (!counter_.frequency(frequency_)) {
        frequency_ = 0;
        return DelayInitStatus::NoCounter;
    }
    // A slow counter keeps one count per unit: waits grow longer, never shorter.
    if (frequency_ < MinFrequency) {
        return DelayInitStatus::SlowCounter;
    }
    ticksPerUnit_ = static_cast<long double>(frequency_) / static_cast<long double>(UnitsPerSecond);
    return DelayInitStatus::Ready;
}

std::int64_t DelayCore::tickCount(std::uint32_t units) const
{
    // The extra tick covers the part of a count already gone at the first reading.
    const long double rounded = roundHalfEven(static_cast<long double>(units) * ticksPerUnit_ + 1.0L);
    if (rounded >= TickCountLimit) {
        return MaxTicks;
    }
    const auto ticks = static_cast<std::int64_t>(rounded);
    if (ticks == 1) {
        return 2;
    }
    return ticks <= 0 ? MaxTicks : ticks;
}

bool DelayCore::delay(std::uint32_t units) const
{
    if (units == 0) {
        return true;
    }
    const std::int64_t ticks = tickCount(units);
    std::int64_t start = 0;
    if (!counter_.read(start)) {
        return false;
    }
    const bool wraps = start >= 0 && ticks > MaxTicks - start;
    // Two's complement wrap-around, well defined through the unsigned type.
    const auto end = static_cast<std::int64_t>(static_cast<std::uint64_t>(start) + static_cast<std::uint64_t>(ticks));
    return wraps ? waitAcrossWrap(start, end) : waitUntil(start, end);
}

// Spins until the end value; a reading below the start means the counter jumped
// back, and the wait ends rather than run on for an unknown time.
bool DelayCore::waitUntil(std::int64_t start, std::int64_t end) const
{
    std::int64_t now = start;
    do {
        if (!counter_.read(now)) {
            return false;
        }
    } while (now < end && now >= start);
    return true;
}

// The end lies past the counter's wrap into negative values: first wait for the
// wrap, then for the end.
bool DelayCore::waitAcrossWrap(std::int64_t start, std::int64_t end) const
{
    std::int64_t now = start;
    do {
        if (!counter_.read(now)) {
            return false;
        }
    } while (now >= start && now > end);
    while (now < end && now < start) {
        if (!counter_.read(now)) {
            return false;
        }
    }
    return true;
}

} // namespace pendrel
