#pragma once
// A performance counter whose readings the test chooses: first the scripted values,
// then counting on from the last one by a fixed step (wrapping like the hardware).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "pendrel/PerformanceCounter.h"

class ScriptedCounter final : public pendrel::PerformanceCounter {
public:
    // nullopt: the platform has no counter (frequency and every read fail).
    explicit ScriptedCounter(std::optional<std::int64_t> frequency)
        : frequency_(frequency)
    {
    }

    // Readings begin here and count up by one.
    void startAt(std::int64_t first) { script({first}); }
    void script(std::vector<std::int64_t> readings) { script_ = std::move(readings); }
    // The k-th read (1-based) fails.
    void failAtRead(std::size_t k) { failingRead_ = k; }

    std::size_t reads() const { return reads_; }
    // Counts from the first reading to the last, across a wrap.
    std::int64_t countsWaited() const
    {
        return static_cast<std::int64_t>(static_cast<std::uint64_t>(last_) - static_cast<std::uint64_t>(first_));
    }

    bool frequency(std::int64_t& countsPerSecond) override
    {
        if (!frequency_) {
            return false;
        }
        countsPerSecond = *frequency_;
        return true;
    }

    bool read(std::int64_t& count) override
    {
        ++reads_;
        if (!frequency_ || reads_ == failingRead_) {
            return false;
        }
        if (reads_ <= script_.size()) {
            last_ = script_[reads_ - 1];
        } else {
            last_ = static_cast<std::int64_t>(static_cast<std::uint64_t>(last_) + 1U);
        }
        if (reads_ == 1) {
            first_ = last_;
        }
        count = last_;
        return true;
    }

private:
    std::optional<std::int64_t> frequency_;
    std::vector<std::int64_t> script_ {0};
    std::size_t failingRead_ = 0;
    std::size_t reads_ = 0;
    std::int64_t first_ = 0;
    std::int64_t last_ = 0;
};
