#pragma once
// The platform's high-resolution counter as the delay core sees it. The real one
// wraps the operating system's monotonic clock; tests script their own.

#include <cstdint>

namespace pendrel {

class PerformanceCounter {
public:
    virtual ~PerformanceCounter() = default;
    // Counts per second; false when the platform has no high-resolution counter.
    virtual bool frequency(std::int64_t& countsPerSecond) = 0;
    // The current count; false when the counter cannot be read.
    virtual bool read(std::int64_t& count) = 0;
};

} // namespace pendrel
