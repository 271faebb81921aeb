#include "signalling/HW_Cntrl.h"

#include "signalling/PinDriver.h"

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

// Waits in 5 us units. Every one is a minimum: library calls only add to it.
constexpr std::uint32_t EntryParkUnits = 40000;      // 200 ms, Vpp off with data parked high
constexpr std::uint32_t EntryLinesLowUnits = 1;      // data and clock low before Vpp rises
constexpr std::uint32_t EntryVppHoldUnits = 2;       // 10 us, more than the 2 us hold before data (P12)
constexpr std::uint32_t ExitSettleUnits = 1;
constexpr std::uint32_t HalfClockUnits = 1;          // each clock phase, high and low
constexpr std::uint32_t CommandGapUnits = 1;         // between command and operand, and after the operand
constexpr std::uint32_t KeyMclrPulseUnits = 1;       // MCLR high "briefly" before the key; no minimum is given

constexpr int CommandBits = 4;
constexpr int OperandBits = 16;
constexpr int ReadPaddingBits = 8;  // operand low byte the device ignores before it answers
constexpr std::size_t ReadDataBits = 8;
// A batching driver resolves a block's reads in one stream, and each stream ends in
// a drain and a pause while the host prepares the next (a few ms): 512 bytes, about
// 110 ms on the pins, keep that under 5 %, and fit the queue's own limits.
constexpr std::uint32_t BatchedReadBlockBytes = 512;
constexpr std::uint32_t EntryKey = 0x4D434850;  // "MCHP"
constexpr int EntryKeyBits = 32;

bool writeLines()
{
    const PinState& pins = pinState();
    return currentPinDriver().programmerWrite(pins.vpp, pins.data, pins.clock);
}

bool setLinesAndWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock)
{
    PinState& pins = pinState();
    pins.vpp = vpp;
    pins.data = data;
    pins.clock = clock;
    return writeLines();
}

bool wait(std::uint32_t units)
{
    return currentPinDriver().delay(units);
}

// Sends the low `count` bits of `bits`, least significant first; higher bits never travel.
bool clockOutBits(std::uint32_t bits, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!ClockOutBit(static_cast<std::uint8_t>(bits & 1U))) {
            return false;
        }
        bits >>= 1;
    }
    return true;
}

// The key alone travels most significant bit first.
bool clockOutBitsMsbFirst(std::uint32_t bits, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        if (!ClockOutBit(static_cast<std::uint8_t>((bits >> i) & 1U))) {
            return false;
        }
    }
    return true;
}

bool idleAndWait(std::uint32_t units)
{
    return IdleLines() && wait(units);
}

// Raises the clock with the data bit; the target latches it when the clock falls.
bool clockHigh(std::uint8_t bit)
{
    PinState& pins = pinState();
    pins.data = bit;
    pins.clock = 1;
    return writeLines() && wait(HalfClockUnits);
}

bool clockLow()
{
    pinState().clock = 0;
    return writeLines() && wait(HalfClockUnits);
}

// One clock pulse sampling the target's data output; the level is in once the driver
// has flushed. Data high releases the line so the target can drive it.
bool clockInLater(std::uint8_t* level)
{
    return clockHigh(1) && currentPinDriver().programmerReadLater(level) && clockLow();
}

// A read command, the padding byte and eight clocks whose sampled levels land
// in bits once the driver has flushed.
bool queueReadByte(std::uint8_t command, std::span<std::uint8_t, ReadDataBits> bits)
{
    if (!(clockOutBits(command, CommandBits) && idleAndWait(CommandGapUnits)
            && clockOutBits(0, ReadPaddingBits) && idleAndWait(CommandGapUnits)))
        return false;
    for (std::uint8_t& bit : bits) {
        if (!clockInLater(&bit))
            return false;
    }
    return idleAndWait(CommandGapUnits);
}

// The first level sampled is bit 0.
std::uint8_t assembledByte(std::span<const std::uint8_t, ReadDataBits> bits)
{
    std::uint8_t value = 0;
    for (std::size_t i = 0; i < ReadDataBits; ++i) {
        if (bits[i] != 0)
            value = static_cast<std::uint8_t>(value | 1U << i);
    }
    return value;
}

} // namespace

bool EnterProgMode()
{
    currentPinDriver().beginSession();
    return setLinesAndWrite(0, 1, 0) && wait(EntryParkUnits)
        && setLinesAndWrite(0, 0, 0) && wait(EntryLinesLowUnits)
        && setLinesAndWrite(1, 0, 0) && wait(EntryVppHoldUnits);
}

bool EnterProgModeByKey(const KeyEntryWaits& waits)
{
    currentPinDriver().beginSession();
    return setLinesAndWrite(0, 0, 0) && wait(EntryLinesLowUnits)
        && setLinesAndWrite(1, 0, 0) && wait(KeyMclrPulseUnits)
        && setLinesAndWrite(0, 0, 0) && wait(waits.beforeKeyUnits)
        && clockOutBitsMsbFirst(EntryKey, EntryKeyBits) && wait(waits.afterKeyUnits)
        && setLinesAndWrite(1, 0, 0) && wait(waits.firstCommandUnits);
}

bool ExitProgMode()
{
    const bool lowered = setLinesAndWrite(0, 0, 0) && wait(ExitSettleUnits);
    // Ended whatever happened: nothing queued may outlive programming mode.
    return currentPinDriver().endSession() && lowered;
}

bool ClockOutBit(std::uint8_t bit)
{
    return clockHigh(bit) && clockLow();
}

bool ClockOutBitHeld(std::uint8_t bit, std::uint32_t pulseUnits)
{
    return clockHigh(bit) && wait(pulseUnits) && clockLow();
}

bool ClockInBit(std::uint8_t& level)
{
    level = 0;
    std::uint8_t sampled = 0;
    if (!clockInLater(&sampled) || !currentPinDriver().flush())
        return false;
    level = sampled != 0 ? 1 : 0;
    pinState().dataIn = level;
    return true;
}

bool IdleLines()
{
    PinState& pins = pinState();
    pins.data = 0;
    pins.clock = 0;
    return writeLines();
}

bool SendCommand(std::uint8_t command, std::uint16_t operand)
{
    return clockOutBits(command, CommandBits) && idleAndWait(CommandGapUnits)
        && clockOutBits(operand, OperandBits) && idleAndWait(CommandGapUnits);
}

bool SendCommandEraseWait(std::uint8_t command, std::uint16_t operand, const EraseWaits& waits)
{
    return clockOutBits(command, CommandBits) && IdleLines() && wait(waits.eraseUnits)
        && wait(waits.dischargeUnits) && clockOutBits(operand, OperandBits) && idleAndWait(CommandGapUnits);
}

bool SendCommandProgramWait(std::uint8_t command, std::uint16_t operand, const WriteWaits& waits)
{
    return clockOutBits(command, CommandBits - 1)
        && ClockOutBitHeld(static_cast<std::uint8_t>((command >> 3) & 1U), waits.pulseUnits)
        && idleAndWait(waits.dischargeUnits) && clockOutBits(operand, OperandBits) && idleAndWait(CommandGapUnits);
}

bool SendCommandReadByte(std::uint8_t command, std::uint8_t& value)
{
    return SendCommandsReadBytes(std::span(&command, 1), std::span(&value, 1));
}

bool SendCommandsReadBytes(std::span<const std::uint8_t> commands, std::span<std::uint8_t> values)
{
    std::ranges::fill(values, 0);
    if (commands.size() != values.size())
        return false;
    ReadByteQueue reads(commands.size());
    for (const std::uint8_t command : commands) {
        if (!reads.queue(command))
            break;
    }
    return reads.resolve(values);
}

ReadByteQueue::ReadByteQueue(std::size_t most)
    : levels_(most * ReadDataBits)
{
}

ReadByteQueue::~ReadByteQueue()
{
    // A read left pending would write into levels_ once they are gone.
    if (pending_)
        currentPinDriver().flush();
}

bool ReadByteQueue::queue(std::uint8_t command)
{
    if (failed_ || (count_ + 1) * ReadDataBits > levels_.size()) {
        failed_ = true;
        return false;
    }
    pending_ = true;
    const auto bits = std::span(levels_).subspan(count_ * ReadDataBits).first<ReadDataBits>();
    ++count_;
    failed_ = !queueReadByte(command, bits);
    return !failed_;
}

bool ReadByteQueue::resolve(std::span<std::uint8_t> values)
{
    std::ranges::fill(values, 0);
    // Flushed even after a failure, so that no pending read outlives levels_.
    const bool flushed = !pending_ || currentPinDriver().flush();
    pending_ = false;
    const std::size_t count = std::exchange(count_, 0);
    if (std::exchange(failed_, false) || !flushed || values.size() != count)
        return false;
    const std::span<const std::uint8_t> levels = std::span(levels_).first(count * ReadDataBits);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = assembledByte(levels.subspan(i * ReadDataBits).first<ReadDataBits>());
    if (!levels.empty())
        pinState().dataIn = levels.back() != 0 ? 1 : 0;
    return true;
}

std::uint32_t ReadBlockBytes()
{
    return currentPinDriver().batching() ? BatchedReadBlockBytes : 1;
}

} // namespace velmora
