#pragma once
// ICSP signalling: the PIC18 serial programming protocol as pin-level steps over the
// process-wide PinState and the current PinDriver. Every operation returns false at
// the first write, read or wait that fails and leaves the remaining steps undone.
// Commands travel in the low four bits of a byte, operands as 16 bits, both least
// significant bit first. Only the engine's worker thread calls these.

#include <cstdint>

#include "signalling/IcspCommand.h"
#include "signalling/PinState.h"

namespace velmora {

// Raises Vpp with data and clock low; takes at least 200.015 ms.
bool EnterProgMode();
// All three lines low.
bool ExitProgMode();

// One clock pulse carrying `bit` (passed on unchanged as the data level).
bool ClockOutBit(std::uint8_t bit);
// As ClockOutBit with the clock held high 1.005 ms: the programming pulse.
bool ClockOutBitHeld(std::uint8_t bit);
// One clock pulse sampling the target's data output; level is 0 on failure.
bool ClockInBit(std::uint8_t& level);
// Data and clock low, Vpp unchanged; no wait.
bool IdleLines();

bool SendCommand(std::uint8_t command, std::uint16_t operand);
// SendCommand with the lines idle 5.1 ms between command and operand (bulk erase).
bool SendCommandEraseWait(std::uint8_t command, std::uint16_t operand);
// SendCommand whose fourth command clock is the programming pulse.
bool SendCommandProgramWait(std::uint8_t command, std::uint16_t operand);
// Sends a read command and shifts in the byte the device returns; value is 0 on failure.
bool SendCommandReadByte(std::uint8_t command, std::uint8_t& value);

inline bool SendCommand(IcspCommand command, std::uint16_t operand)
{
    return SendCommand(commandCode(command), operand);
}

inline bool SendCommandEraseWait(IcspCommand command, std::uint16_t operand)
{
    return SendCommandEraseWait(commandCode(command), operand);
}

inline bool SendCommandProgramWait(IcspCommand command, std::uint16_t operand)
{
    return SendCommandProgramWait(commandCode(command), operand);
}

inline bool SendCommandReadByte(IcspCommand command, std::uint8_t& value)
{
    return SendCommandReadByte(commandCode(command), value);
}

} // namespace velmora
