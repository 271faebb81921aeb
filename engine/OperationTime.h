#pragma once
// What an operation asks of the pin interface, counted on the engine itself, so
// that its time on a port follows the protocol as it is: the calls and waits of a
// real operation, run against a driver that only counts them.

#include <cstdint>

#include "corvant/PortSpeed.h"

namespace velmora {

// A full read of a chip with these memory sizes (program memory, EEPROM, IDs,
// device ID, configuration), as a blank chip answers it. Runs the read on an
// engine of its own with the counting driver installed: call it while no
// operation runs.
corvant::PinWork countFullRead(std::int32_t programMemorySize, std::int32_t eepromSize);

// The full read of a 32 KB / 256-byte chip that the slow-port judgement uses,
// counted once.
const corvant::PinWork& referenceFullRead();

} // namespace velmora
