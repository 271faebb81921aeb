#pragma once
// What the low-level interface test window drives: the pins and waits through
// the ICSP layer's own binding (PinDriver: the pin-interface library's calls and
// the delay library's Delay), and the platform's high-resolution counter, which
// only this window reads. The program uses the imported libraries; tests put a
// scripted stand-in in their place.

#include <cstdint>

#include "signalling/PinDriver.h"

namespace velmora {

class LowLevelAccess {
public:
    virtual ~LowLevelAccess() = default;
    virtual PinDriver& pins() = 0;
    virtual std::int64_t performanceFrequency() = 0;
    virtual bool readPerformanceCounter(std::int64_t& count) = 0;
};

// The imported PinDriver, pendrel's GetPerformanceFrequency, and the counter
// pendrel itself reads.
LowLevelAccess& importedLowLevelAccess();

} // namespace velmora
