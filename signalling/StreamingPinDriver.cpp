#include "signalling/StreamingPinDriver.h"

#include <algorithm>
#include <utility>

#include "corvant/corvant.h"

namespace velmora {

namespace {
// The most one wait step carries: its units live below the kind bits.
constexpr std::uint32_t kMostStepUnits = CORVANT_STEP_WAIT - 1;
} // namespace

StreamingPinDriver::StreamingPinDriver(PinDriver& perCall, StepRunner runner)
    : perCall_(perCall)
    , runner_(std::move(runner))
{
}

bool StreamingPinDriver::programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock)
{
    if (!batching_)
        return perCall_.programmerWrite(vpp, data, clock);
    return queue(CORVANT_STEP_WRITE | (vpp != 0 ? 4U : 0U) | (data != 0 ? 2U : 0U) | (clock != 0 ? 1U : 0U));
}

bool StreamingPinDriver::programmerRead(std::uint8_t* level)
{
    if (!batching_)
        return perCall_.programmerRead(level);
    return programmerReadLater(level) && flush();
}

bool StreamingPinDriver::delay(std::uint32_t units)
{
    if (!batching_)
        return perCall_.delay(units);
    do {
        const std::uint32_t part = std::min(units, kMostStepUnits);
        queuedWaitUnits_ += part;
        if (!queue(CORVANT_STEP_WAIT | part))
            return false;
        units -= part;
    } while (units > 0);
    return true;
}

void StreamingPinDriver::beginSession()
{
    // Asked at every entry: the port may have changed since the last session.
    if (!batching_)
        batching_ = runner_ && runner_({}, {});
}

bool StreamingPinDriver::endSession()
{
    const bool sent = flush();
    batching_ = false;
    return sent;
}

bool StreamingPinDriver::programmerReadLater(std::uint8_t* level)
{
    if (!batching_)
        return perCall_.programmerReadLater(level);
    if (level == nullptr)
        return false;
    pending_.push_back(level);
    return queue(CORVANT_STEP_READ);
}

bool StreamingPinDriver::flush()
{
    if (steps_.empty())
        return true;
    // Taken off the queue before they run, so that nothing is sent twice and no
    // pending level is written later, even when the runner throws.
    const std::vector<std::uint32_t> steps = std::exchange(steps_, {});
    const std::vector<std::uint8_t*> pending = std::exchange(pending_, {});
    queuedWaitUnits_ = 0;
    std::vector<std::uint8_t> levels(pending.size());
    const bool ran = runner_(steps, levels);
    // After a failure the levels say nothing; the lines are as far as the stream got
    // and the step that flushed reports it.
    for (std::size_t i = 0; i < pending.size(); ++i)
        *pending[i] = ran && levels[i] != 0 ? 1 : 0;
    return ran;
}

bool StreamingPinDriver::queue(std::uint32_t step)
{
    steps_.push_back(step);
    if (steps_.size() < kFlushSteps && queuedWaitUnits_ < kFlushWaitUnits)
        return true;
    return flush();
}

} // namespace velmora
