#pragma once
// A stand-in for a streaming programmer: runs ProgrammerStream's steps call by call
// on another PinDriver (a recording driver, the simulated chip), so a batched
// session can be compared call for call with the per-call path. Counts exchanges
// and fails the ones it is told to fail before any step reaches the lines. Safe to
// use from an engine worker while the test thread waits.

#include <atomic>
#include <cstddef>

#include "signalling/StreamingPinDriver.h"

namespace velmora::test {

class StepReplay {
public:
    explicit StepReplay(PinDriver& lines) : lines_(lines) {}

    // Bound to this object; answers the "takes streams?" question with takesStreams.
    StepRunner runner();
    // Exchange k (1-based, the question not counted) fails; 0 fails none.
    void failExchange(std::size_t k) { failing_ = k; }
    std::size_t exchanges() const { return exchanges_; }

    std::atomic<bool> takesStreams {true};

private:
    bool run(std::span<const std::uint32_t> steps, std::span<std::uint8_t> levels);

    PinDriver& lines_;
    std::atomic<std::size_t> failing_ {0};
    std::atomic<std::size_t> exchanges_ {0};
};

} // namespace velmora::test
