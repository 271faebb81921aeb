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

    // Batching. A driver whose programmer takes writes, waits and reads as one timed
    // stream may queue them inside a programming session and send them together,
    // which is what makes such a programmer fast. Every default acts at once, so a
    // driver that never batches (the test drivers, the engine's counter, the wiring
    // check, the low-level window) sees exactly the three calls above.

    // Programming mode is being entered: from here on calls may be queued.
    virtual void beginSession() {}
    // Programming mode has been left, or the operation is over: whatever is queued
    // is sent, and calls act at once again. False when that sending failed; the
    // session is over all the same. Harmless outside a session.
    virtual bool endSession() { return true; }
    // Whether calls are being queued now (a read block then resolves many bytes in
    // one exchange).
    virtual bool batching() const { return false; }
    // A read whose level is needed only once flush() has returned; *level must stay
    // valid until then. A queued step's failure shows at the call that sends it.
    virtual bool programmerReadLater(std::uint8_t* level) { return programmerRead(level); }
    // Everything queued has reached the lines and every pending level is in.
    virtual bool flush() { return true; }
};

PinDriver& importedPinDriver();          // corvant's ProgrammerWrite/ProgrammerRead + pendrel's Delay
void setPinDriver(PinDriver* driver);    // nullptr restores the imported driver
PinDriver& currentPinDriver();
PinState& pinState();                    // the one process-wide pin state
void resetPinState();                    // all four levels 0 (start of a test)

} // namespace velmora
