#pragma once
// One call that the ICSP layer made on its PinDriver, as a RecordingPinDriver saw it.

#include <cstdint>

namespace velmora::test {

enum class PinCallKind : std::uint8_t {
    Write,
    Read,
    Delay,
};

struct PinCall {
    PinCallKind kind = PinCallKind::Write;
    bool succeeded = true;
    std::uint64_t time = 0;     // virtual time of the call, in 5 us units
    std::uint8_t vpp = 0;       // Write: the three levels passed
    std::uint8_t data = 0;
    std::uint8_t clock = 0;
    std::uint8_t level = 0;     // Read: the level handed back
    std::uint32_t units = 0;    // Delay: the units asked for
    bool operator==(const PinCall&) const = default;
};

} // namespace velmora::test
