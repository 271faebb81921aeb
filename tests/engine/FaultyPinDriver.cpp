#include "tests/engine/FaultyPinDriver.h"

namespace velmora::test {

FaultyPinDriver::FaultyPinDriver(PinDriver& inner, std::size_t failingCall)
    : inner_(inner)
    , failingCall_(failingCall)
{
    setPinDriver(this);
}

FaultyPinDriver::~FaultyPinDriver()
{
    setPinDriver(&inner_);
}

bool FaultyPinDriver::passes()
{
    return calls_.size() + 1 != failingCall_;
}

bool FaultyPinDriver::programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock)
{
    std::lock_guard lock(mutex_);
    const bool ok = passes() && inner_.programmerWrite(vpp, data, clock);
    PinCall call;
    call.kind = PinCallKind::Write;
    call.succeeded = ok;
    call.vpp = vpp;
    call.data = data;
    call.clock = clock;
    calls_.push_back(call);
    return ok;
}

bool FaultyPinDriver::programmerRead(std::uint8_t* level)
{
    std::lock_guard lock(mutex_);
    const bool ok = passes() && inner_.programmerRead(level);
    PinCall call;
    call.kind = PinCallKind::Read;
    call.succeeded = ok;
    call.level = ok ? *level : 0;
    calls_.push_back(call);
    return ok;
}

bool FaultyPinDriver::delay(std::uint32_t units)
{
    std::lock_guard lock(mutex_);
    const bool ok = passes() && inner_.delay(units);
    PinCall call;
    call.kind = PinCallKind::Delay;
    call.succeeded = ok;
    call.units = units;
    calls_.push_back(call);
    return ok;
}

std::vector<PinCall> FaultyPinDriver::calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}

} // namespace velmora::test
