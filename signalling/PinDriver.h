#pragma once
// The binding between the ICSP layer and the outside world: the pin-interface
// library's ProgrammerWrite/ProgrammerRead and the delay library's Delay. Tests and
// the simulated chip install their own driver with setPinDriver. The low-level test
// window drives this same binding (ui/LowLevelAccess); the library's back ends
// (corvant/PinBackend) sit below its C exports and take ordered moves, no waits.

#include <cstdint>

#include "signalling/PinState.h"

namespace velmora {

class PinDriver {
public:
    virtual ~PinDriver() = default;
    virtual bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) = 0;
    virtual bool programmerRead(std::uint8_t* level) = 0;
    virtual bool delay(std::uint32_t units) = 0;   // units of 5 us
};

PinDriver& importedPinDriver();          // corvant's ProgrammerWrite/ProgrammerRead + pendrel's Delay
void setPinDriver(PinDriver* driver);    // nullptr restores the imported driver
PinDriver& currentPinDriver();
PinState& pinState();                    // the one process-wide pin state
void resetPinState();                    // all four levels 0 (start of a test)

} // namespace velmora
