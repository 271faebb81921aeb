#include "tests/support/RecordingPinDriver.h"

namespace velmora::test {

bool RecordingPinDriver::programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock)
{
    const std::lock_guard lock(mutex_);
    const bool succeeded = !countAndCheckFault(PinCallKind::Write);
    calls_.push_back({.kind = PinCallKind::Write, .succeeded = succeeded, .time = now_, .vpp = vpp, .data = data, .clock = clock});
    return succeeded;
}

bool RecordingPinDriver::programmerRead(std::uint8_t* level)
{
    const std::lock_guard lock(mutex_);
    const bool succeeded = !countAndCheckFault(PinCallKind::Read);
    std::uint8_t sampled = 1;
    if (succeeded) {
        sampled = idleDataIn_;
        if (!dataIn_.empty()) {
            sampled = dataIn_.front();
            dataIn_.pop_front();
        }
    }
    *level = sampled;
    calls_.push_back({.kind = PinCallKind::Read, .succeeded = succeeded, .time = now_, .level = sampled});
    return succeeded;
}

bool RecordingPinDriver::delay(std::uint32_t units)
{
    const std::lock_guard lock(mutex_);
    const bool succeeded = !countAndCheckFault(PinCallKind::Delay);
    calls_.push_back({.kind = PinCallKind::Delay, .succeeded = succeeded, .time = now_, .units = units});
    if (succeeded) {
        now_ += units;
    }
    return succeeded;
}

void RecordingPinDriver::scriptDataIn(const std::vector<std::uint8_t>& levels)
{
    const std::lock_guard lock(mutex_);
    dataIn_.insert(dataIn_.end(), levels.begin(), levels.end());
}

void RecordingPinDriver::scriptDataInByte(std::uint8_t value)
{
    const std::lock_guard lock(mutex_);
    for (int bit = 0; bit < 8; ++bit) {
        dataIn_.push_back(static_cast<std::uint8_t>((value >> bit) & 1U));
    }
}

void RecordingPinDriver::setIdleDataIn(std::uint8_t level)
{
    const std::lock_guard lock(mutex_);
    idleDataIn_ = level;
}

void RecordingPinDriver::failAtCall(std::size_t k)
{
    const std::lock_guard lock(mutex_);
    faults_.push_back({std::nullopt, k});
}

void RecordingPinDriver::failAtCall(PinCallKind kind, std::size_t k)
{
    const std::lock_guard lock(mutex_);
    faults_.push_back({kind, k});
}

std::vector<PinCall> RecordingPinDriver::calls() const
{
    const std::lock_guard lock(mutex_);
    return calls_;
}

std::size_t RecordingPinDriver::callCount() const
{
    const std::lock_guard lock(mutex_);
    return totalCount_;
}

std::size_t RecordingPinDriver::callCount(PinCallKind kind) const
{
    const std::lock_guard lock(mutex_);
    switch (kind) {
    case PinCallKind::Write:
        return writeCount_;
    case PinCallKind::Read:
        return readCount_;
    case PinCallKind::Delay:
        return delayCount_;
    }
    return 0;
}

std::uint64_t RecordingPinDriver::now() const
{
    const std::lock_guard lock(mutex_);
    return now_;
}

void RecordingPinDriver::clear()
{
    const std::lock_guard lock(mutex_);
    calls_.clear();
    totalCount_ = writeCount_ = readCount_ = delayCount_ = 0;
    now_ = 0;
    dataIn_.clear();
    idleDataIn_ = 0;
    faults_.clear();
}

bool RecordingPinDriver::countAndCheckFault(PinCallKind kind)
{
    ++totalCount_;
    std::size_t& kindCount = kind == PinCallKind::Write ? writeCount_
        : kind == PinCallKind::Read                      ? readCount_
                                                         : delayCount_;
    ++kindCount;
    for (const Fault& fault : faults_) {
        if (fault.kind && *fault.kind != kind) {
            continue;
        }
        const std::size_t index = fault.kind ? kindCount : totalCount_;
        if (index == fault.call) {
            return true;
        }
    }
    return false;
}

} // namespace velmora::test
