#pragma once
// ICSP signalling: the PIC18 serial programming protocol as pin-level steps over the
// process-wide PinState and the current PinDriver. Every operation returns false at
// the first write, read or wait that fails and leaves the remaining steps undone.
// Commands travel in the low four bits of a byte, operands as 16 bits, both least
// significant bit first; only the entry key goes most significant bit first. Only the
// engine's worker thread calls these.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "signalling/IcspCommand.h"
#include "signalling/PinState.h"

namespace velmora {

// The waits a family sets for its writes and erases, in 5 us units, each a minimum.
struct WriteWaits {
    std::uint32_t pulseUnits;      // P9 (P9A): clock held high on top of the half clock
    std::uint32_t dischargeUnits;  // P10: clock low after the pulse
};
struct EraseWaits {
    std::uint32_t eraseUnits;      // P11: lines idle while the bulk erase runs
    std::uint32_t dischargeUnits;  // P10: then still idle before the operand
};
// The key-sequence entry's waits. The documents number them differently (DS41398:
// P18, P20, P15), so they are named by what they separate.
struct KeyEntryWaits {
    std::uint32_t beforeKeyUnits;      // MCLR low to the key's first clock
    std::uint32_t afterKeyUnits;       // the key's last clock low to MCLR high
    std::uint32_t firstCommandUnits;   // MCLR high to the first command
};

// The classic parts' waits: a 1.005 ms pulse (P9 >= 1 ms), 100 us discharge (P10),
// 5 ms bulk erase (P11).
inline constexpr WriteWaits kClassicWriteWaits{200, 20};
inline constexpr EraseWaits kClassicEraseWaits{1000, 20};

// The entries begin a session of the driver (PinDriver::beginSession), ExitProgMode
// ends it, whether or not its own steps went through.
// Raises Vpp with data and clock low; takes at least 200.015 ms.
bool EnterProgMode();
// With MCLR at logic level (the Vpp line) and no PGM line: all lines low, MCLR pulsed
// high and low, the 32-bit key 4D434850h clocked in most significant bit first, then
// MCLR raised and held.
bool EnterProgModeByKey(const KeyEntryWaits& waits);
// All three lines low.
bool ExitProgMode();

// One clock pulse carrying `bit` (passed on unchanged as the data level).
bool ClockOutBit(std::uint8_t bit);
// As ClockOutBit with the clock held high pulseUnits longer: the programming pulse.
bool ClockOutBitHeld(std::uint8_t bit, std::uint32_t pulseUnits = kClassicWriteWaits.pulseUnits);
// One clock pulse sampling the target's data output; level is 0 on failure.
bool ClockInBit(std::uint8_t& level);
// Data and clock low, Vpp unchanged; no wait.
bool IdleLines();

bool SendCommand(std::uint8_t command, std::uint16_t operand);
// SendCommand with the lines idle P11 + P10 between command and operand (bulk erase).
bool SendCommandEraseWait(std::uint8_t command, std::uint16_t operand, const EraseWaits& waits = kClassicEraseWaits);
// SendCommand whose fourth command clock is the programming pulse, followed by P10.
bool SendCommandProgramWait(std::uint8_t command, std::uint16_t operand, const WriteWaits& waits = kClassicWriteWaits);
// Sends a read command and shifts in the byte the device returns; value is 0 on failure.
// A batching driver is flushed: the value is there when this returns.
bool SendCommandReadByte(std::uint8_t command, std::uint8_t& value);
// SendCommandReadByte for each command in turn, values[i] answering commands[i]; the
// same on the wire, but a batching driver resolves all the levels in one flush at the
// end. False, with every value 0, when the sizes differ or a step fails.
bool SendCommandsReadBytes(std::span<const std::uint8_t> commands, std::span<std::uint8_t> values);

// Read commands queued between other steps, each answered by the byte SendCommandReadByte
// would return for it, and all resolved at one flush of a batching driver. The sampled
// levels live here: a queue that goes with reads still pending flushes them first.
class ReadByteQueue {
public:
    // Room for `most` reads between two resolves.
    explicit ReadByteQueue(std::size_t most);
    ~ReadByteQueue();
    ReadByteQueue(const ReadByteQueue&) = delete;
    ReadByteQueue& operator=(const ReadByteQueue&) = delete;

    // The command, the padding and the eight clocks whose levels make its byte; false
    // when a step failed or the queue is full.
    bool queue(std::uint8_t command);
    // Flushes what was queued and hands out the bytes in queue order, values[i]
    // answering the i-th queue(); the queue is then empty. False, with every value 0,
    // when the sizes differ, a queue() or the flush failed. Nothing queued, no flush.
    bool resolve(std::span<std::uint8_t> values);

private:
    std::vector<std::uint8_t> levels_;
    std::size_t count_ = 0;
    bool pending_ = false;
    bool failed_ = false;
};

// How many bytes a block read should resolve together: 512 while the driver batches,
// so a block costs one exchange with the programmer; 1 otherwise, so that a per-call
// driver reads byte by byte and a cancel is felt between any two bytes.
std::uint32_t ReadBlockBytes();

inline bool SendCommand(IcspCommand command, std::uint16_t operand)
{
    return SendCommand(commandCode(command), operand);
}

inline bool SendCommandEraseWait(IcspCommand command, std::uint16_t operand,
                                 const EraseWaits& waits = kClassicEraseWaits)
{
    return SendCommandEraseWait(commandCode(command), operand, waits);
}

inline bool SendCommandProgramWait(IcspCommand command, std::uint16_t operand,
                                   const WriteWaits& waits = kClassicWriteWaits)
{
    return SendCommandProgramWait(commandCode(command), operand, waits);
}

inline bool SendCommandReadByte(IcspCommand command, std::uint8_t& value)
{
    return SendCommandReadByte(commandCode(command), value);
}

} // namespace velmora
