#include "sim/SimulatedChip.h"

#include <string>

#include "sim/Pic18Instruction.h"
#include "sim/SimMessages.h"
#include "sim/TextFormat.h"

namespace velmora::sim {

namespace {

namespace msg = messages;

constexpr int kCommandBits = 4;
constexpr int kFrameBits = 20;
constexpr int kStartClock = 3;           // the fourth command clock
constexpr int kLastInputClock = 11;      // operand clock 8 of a read
constexpr int kFirstOutputClock = 12;    // operand clock 9 of a read
constexpr std::uint32_t kEntryKey = 0x4D434850;   // "MCHP", clocked in MSb first
constexpr int kEntryKeyBits = 32;

// The key entry's waits as each family's guide numbers them: DS41398B P18 and P15,
// the J guides P19 and P12.
std::string_view keyDelayParameter(ChipFamily family)
{
    return isJFamily(family) ? msg::kParamP19 : msg::kParamP18;
}

std::string_view keyEntryHoldParameter(ChipFamily family)
{
    return isJFamily(family) ? msg::kParamP12 : msg::kParamP15;
}

std::uint32_t reversedBits(std::uint32_t value)
{
    std::uint32_t reversed = 0;
    for (int i = 0; i < kEntryKeyBits; ++i, value >>= 1)
        reversed = (reversed << 1) | (value & 1);
    return reversed;
}

} // namespace

SimulatedChip::SimulatedChip(const ChipModel& model, FaultSet faults)
    : model_(model)
    , faults_(faults)
    , timing_(timingFor(model))
    , memory_(model, faults_)
    , core_(model, faults_, memory_, events_)
{
}

void SimulatedChip::setLines(SimTime time, McLr mclr, bool data, bool clock)
{
    if (faults_.vppNeverArrives)
        mclr = McLr::Low;
    if (faults_.chipAbsent) {
        data_ = data;
        return;
    }
    core_.advanceTo(time);
    if (mclr != mclr_)
        mclrChanged(time, mclr, data, clock);
    if (data != data_)
        dataChanged(time, data);
    if (clock != clock_) {
        clock_ = clock;
        if (clock)
            clockRose(time);
        else
            clockFell(time, data);
    }
}

void SimulatedChip::setPgm(SimTime time, bool pgm)
{
    if (faults_.chipAbsent || pgm == pgm_)
        return;
    core_.advanceTo(time);
    pgm_ = pgm;
    events_.pgm(time, pgm);
    if (pgm) {
        pgmRise_ = time;
        return;
    }
    if (programMode_ && entry_ == Entry::LowVoltage) {
        events_.violation(time, ViolationKind::PgmFellInProgramMode, msg::kParamP18,
                          std::string(msg::kPgmFellInProgramMode));
        leaveProgramMode(time);
        resetSerial();
    }
}

void SimulatedChip::mclrChanged(SimTime time, McLr mclr, bool data, bool clock)
{
    const McLr before = mclr_;
    mclr_ = mclr;
    outsideModeReported_ = false;
    // A J part has no VIHH: MCLR above VDD is a fault however the chip was before.
    if (mclr == McLr::Vihh && isJFamily(model_.family)) {
        leaveProgramMode(time);
        resetSerial();
        events_.violation(time, ViolationKind::HighVoltageOnMclr, msg::kParamVihh,
                          std::string(msg::kHighVoltageOnMclr));
        return;
    }
    if (mclr == McLr::Low) {
        leaveProgramMode(time);
        resetSerial();
        mclrFell_ = time;
        keyStarted_ = false;
        key_ = 0;
        keyBits_ = 0;
        return;
    }
    // Only a rise out of reset enters; VDD and VIHH are both "high" once there.
    if (before != McLr::Low)
        return;
    const Entry entry = mclr == McLr::Vihh ? Entry::HighVoltage : Entry::LowVoltage;
    const bool byKey = entry == Entry::LowVoltage && hasKeyEntry(model_.family);
    if (byKey && !keyEntryAllowed(time))
        return;
    if (entry == Entry::LowVoltage && !byKey && !lowVoltageEntryAllowed(time))
        return;
    if (data || clock) {
        events_.violation(time, ViolationKind::EntryWithLinesHigh, msg::kParamEntry,
                          std::string(msg::kEntryWithLinesHigh));
        return;
    }
    programMode_ = true;
    entry_ = entry;
    enteredByKey_ = byKey;
    entryTime_ = time;
    sawClock_ = false;
    phaseReported_ = false;
    setupHoldReported_ = false;
    resetSerial();
    core_.enterProgramMode(entry == Entry::LowVoltage);
    events_.programMode(time, true, entry);
}

// MCLR at VDD enters program/verify mode only with PGM high and the LVP bit set;
// otherwise the chip leaves reset and runs its program, as a real one does.
bool SimulatedChip::lowVoltageEntryAllowed(SimTime time)
{
    if (!pgm_)
        return false;
    if ((memory_.config()[kConfig4L] & kLvpBit) == 0) {
        events_.note(time, msg::kNoteLvpOff);
        return false;
    }
    if (time - pgmRise_ < timing_.pgmSetup)
        events_.violation(time, ViolationKind::PgmSetupTooShort, msg::kParamP15,
                          std::string(msg::kPgmSetupTooShort) + durationText(time - pgmRise_));
    return true;
}

// MCLR back at VDD behind the key enters only after 4D434850h, MSb first, with P18 and
// P20 kept (P19 and P20 on the J parts) and the LVP bit set where the chip has one; MCLR
// at VDD without any key just lets the chip run.
bool SimulatedChip::keyEntryAllowed(SimTime time)
{
    if (keyBits_ == 0)
        return false;
    if (keyBits_ < kEntryKeyBits || key_ != kEntryKey) {
        std::string detail = std::string(msg::kWrongEntryKey) + hexDigits(key_, 8) + "h";
        if (keyBits_ < kEntryKeyBits)
            detail += ", " + std::to_string(keyBits_) + std::string(msg::kEntryKeyShort);
        else if (reversedBits(key_) == kEntryKey)
            detail += msg::kEntryKeyLsbFirst;
        events_.violation(time, ViolationKind::WrongEntryKey, msg::kParamEntryKey, std::move(detail));
        return false;
    }
    if (firstKeyClock_ - mclrFell_ < timing_.keyDelay) {
        events_.violation(time, ViolationKind::KeyTooSoonAfterMclr, keyDelayParameter(model_.family),
                          std::string(msg::kKeyTooSoonAfterMclr) + durationText(firstKeyClock_ - mclrFell_));
        return false;
    }
    if (time - lastKeyClockFall_ < timing_.keyToMclr) {
        events_.violation(time, ViolationKind::MclrTooSoonAfterKey, msg::kParamP20,
                          std::string(msg::kMclrTooSoonAfterKey) + durationText(time - lastKeyClockFall_));
        return false;
    }
    if (hasLvpBit(model_) && (memory_.config()[kConfig4L] & kLvpBit) == 0) {
        events_.note(time, msg::kNoteKeyLvpOff);
        return false;
    }
    return true;
}

void SimulatedChip::leaveProgramMode(SimTime time)
{
    if (!programMode_)
        return;
    core_.leaveProgramMode(time);
    programMode_ = false;
    events_.programMode(time, false, entry_);
}

void SimulatedChip::dataChanged(SimTime time, bool data)
{
    data_ = data;
    if (!programMode_)
        return;
    if (lastFallLatched_ && time - lastFall_ < timing_.dataSetupHold && !setupHoldReported_) {
        setupHoldReported_ = true;
        events_.violation(time, ViolationKind::DataSetupHoldTooShort, msg::kParamP3P4,
                          std::string(msg::kDataSetupHoldTooShort));
    }
    lastDataChange_ = time;
    if (data)
        core_.dataRose(time);
}

void SimulatedChip::clockRose(SimTime time)
{
    if (listeningForKey()) {
        if (!keyStarted_) {
            keyStarted_ = true;
            firstKeyClock_ = time;
        }
        return;
    }
    if (!programMode_) {
        if (!outsideModeReported_) {
            outsideModeReported_ = true;
            events_.violation(time, ViolationKind::ClockOutsideProgramMode, msg::kParamMode,
                              std::string(msg::kClockOutsideProgramMode));
        }
        return;
    }
    if (!core_.acceptClock(time)) {
        clockLost_ = true;
        return;
    }
    if (!sawClock_) {
        sawClock_ = true;
        if (enteredByKey_ && time - entryTime_ < timing_.keyEntryHold) {
            events_.violation(time, ViolationKind::KeyEntryHoldTooShort, keyEntryHoldParameter(model_.family),
                              std::string(msg::kKeyEntryHoldTooShort) + durationText(time - entryTime_));
            leaveProgramMode(time);
            resetSerial();
            outsideModeReported_ = true;
            return;
        }
        if (!enteredByKey_ && time - entryTime_ < timing_.entryHold)
            events_.violation(time, ViolationKind::EntryHoldTooShort, msg::kParamP12,
                              std::string(msg::kEntryHoldTooShort) + durationText(time - entryTime_));
    } else if (time - lastFall_ < timing_.clockPhase && !phaseReported_) {
        phaseReported_ = true;
        events_.violation(time, ViolationKind::ClockPhaseTooShort, msg::kParamP2,
                          std::string(msg::kClockPhaseTooShort) + durationText(time - lastFall_));
    }
    if (turnaroundPending_) {
        turnaroundPending_ = false;
        if (time - lastFall_ < timing_.readTurnaround)
            events_.violation(time, ViolationKind::ReadTurnaroundTooShort, msg::kParamP6,
                              std::string(msg::kReadTurnaroundTooShort) + durationText(time - lastFall_));
    }
    lastRise_ = time;
    if (position_ == kStartClock)
        core_.startClockRose(time);
    if (readCommand_ && position_ >= kFirstOutputClock) {
        driving_ = true;
        outputBit_ = ((readByte_ >> (position_ - kFirstOutputClock)) & 1) != 0;
    }
}

void SimulatedChip::clockFell(SimTime time, bool data)
{
    if (listeningForKey()) {
        key_ = (key_ << 1) | (data ? 1U : 0U);
        ++keyBits_;
        lastKeyClockFall_ = time;
        return;
    }
    if (!programMode_)
        return;
    if (clockLost_) {
        clockLost_ = false;
        return;
    }
    if (time - lastRise_ < timing_.clockPhase && !phaseReported_) {
        phaseReported_ = true;
        events_.violation(time, ViolationKind::ClockPhaseTooShort, msg::kParamP2,
                          std::string(msg::kClockPhaseTooShort) + durationText(time - lastRise_));
    }
    lastFall_ = time;
    const bool output = readCommand_ && position_ >= kFirstOutputClock;
    lastFallLatched_ = !output;
    if (!output) {
        if (time - lastDataChange_ < timing_.dataSetupHold && !setupHoldReported_) {
            setupHoldReported_ = true;
            events_.violation(time, ViolationKind::DataSetupHoldTooShort, msg::kParamP3P4,
                              std::string(msg::kDataSetupHoldTooShort));
        }
        const unsigned bit = data ? 1U : 0U;
        if (position_ < kCommandBits)
            command_ = static_cast<std::uint8_t>(command_ | (bit << position_));
        else
            operand_ = static_cast<std::uint16_t>(operand_ | (bit << (position_ - kCommandBits)));
    }
    if (position_ == kStartClock) {
        core_.startClockFell(time, command_);
        readCommand_ = isReadCommand(command_);
        if (readCommand_)
            readByte_ = core_.startRead(time, command_);
    }
    if (readCommand_ && position_ == kLastInputClock)
        turnaroundPending_ = true;
    if (++position_ == kFrameBits)
        finishFrame(time);
}

void SimulatedChip::finishFrame(SimTime time)
{
    const DecodedCommand decoded {time, command_, operand_, readCommand_, readByte_};
    resetSerial();
    events_.command(decoded);
    if (decoded.isRead)
        core_.readFinished(time, decoded.command);
    else
        core_.execute(time, decoded.command, decoded.operand);
}

void SimulatedChip::resetSerial()
{
    position_ = 0;
    command_ = 0;
    operand_ = 0;
    readCommand_ = false;
    readByte_ = 0;
    driving_ = false;
    outputBit_ = true;
    clockLost_ = false;
    turnaroundPending_ = false;
    lastFallLatched_ = false;
}

} // namespace velmora::sim
