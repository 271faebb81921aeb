#pragma once
// The batching binding: inside a programming session, writes, waits and reads are
// queued as ProgrammerStream's steps (corvant.h) and handed to a step runner as one
// stream; outside a session, and whenever the runner's port takes no streams, every
// call goes to the per-call driver exactly as it would without this class.
//
// A queue is sent when a value is needed at once (programmerRead, flush), when the
// session ends, and when it holds 200 ms of waits or 65536 steps, so that a long
// stretch of writes never leaves the chip far behind the program's view of it.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "signalling/PinDriver.h"

namespace velmora {

// Runs steps as ProgrammerStream does, one level per read step into levels. Given
// no steps, answers whether the open port takes streams at all.
using StepRunner = std::function<bool(std::span<const std::uint32_t> steps, std::span<std::uint8_t> levels)>;

class StreamingPinDriver final : public PinDriver {
public:
    // An empty runner never batches.
    StreamingPinDriver(PinDriver& perCall, StepRunner runner);

    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override;
    bool programmerRead(std::uint8_t* level) override;
    bool delay(std::uint32_t units) override;

    void beginSession() override;
    bool endSession() override;
    bool batching() const override { return batching_; }
    bool programmerReadLater(std::uint8_t* level) override;
    bool flush() override;

    static constexpr std::uint32_t kFlushWaitUnits = 40000;   // 200 ms of queued waits
    static constexpr std::size_t kFlushSteps = 65536;

private:
    // A queued step; sends the queue once it reaches a limit.
    bool queue(std::uint32_t step);

    PinDriver& perCall_;
    StepRunner runner_;
    bool batching_ = false;
    std::vector<std::uint32_t> steps_;
    std::vector<std::uint8_t*> pending_;   // where each queued read's level goes
    std::uint64_t queuedWaitUnits_ = 0;
};

} // namespace velmora
