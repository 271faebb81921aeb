#pragma once
// What the low-level interface test window drives: the pin-interface library's pin
// calls, the delay library, and the platform's high-resolution counter. The program
// uses the imported libraries; tests put a scripted stand-in in their place.

#include <cstdint>

namespace velmora {

class LowLevelAccess {
public:
    virtual ~LowLevelAccess() = default;
    virtual bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) = 0;
    virtual bool programmerRead(std::uint8_t& level) = 0;
    virtual std::int64_t performanceFrequency() = 0;
    virtual bool readPerformanceCounter(std::int64_t& count) = 0;
    // units of 5 us
    virtual bool delay(std::uint32_t units) = 0;
};

// corvant's ProgrammerWrite/ProgrammerRead, pendrel's GetPerformanceFrequency and Delay,
// and the counter pendrel itself reads.
LowLevelAccess& importedLowLevelAccess();

} // namespace velmora
