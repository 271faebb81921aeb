#pragma once
// A PIC18F as it looks from the programmer's four lines. The owner reports every
// change of MCLR, PGD and PGC (and PGM) with a timestamp and samples the data-in level; the chip
// decodes the serial ICSP protocol (4-bit commands and 16-bit operands, LSB first,
// latched on the falling PGC edge), answers reads on PGD, keeps its memory and
// records every protocol or timing mistake it sees.
//
// Not thread-safe: one thread at a time drives it, in time order.

#include <vector>

#include "sim/ChipEvents.h"
#include "sim/ChipMemory.h"
#include "sim/ChipModel.h"
#include "sim/FaultSet.h"
#include "sim/Pic18Core.h"
#include "sim/SimTime.h"
#include "sim/TimingParameters.h"

namespace velmora::sim {

// The level the programmer drives MCLR/VPP to: reset, VDD (run mode, or low-voltage
// program/verify mode when PGM is high, or the entry key came, and LVP is set) or VIHH
// (high-voltage entry).
enum class McLr : std::uint8_t { Low, Vdd, Vihh };

class SimulatedChip {
public:
    explicit SimulatedChip(const ChipModel& model, FaultSet faults = {});
    SimulatedChip(const SimulatedChip&) = delete;
    SimulatedChip& operator=(const SimulatedChip&) = delete;

    // All three lines take these levels at `time` (never earlier than the last call);
    // vpp is MCLR at VIHH or low.
    void setLines(SimTime time, bool vpp, bool data, bool clock)
    {
        setLines(time, vpp ? McLr::Vihh : McLr::Low, data, clock);
    }
    void setLines(SimTime time, McLr mclr, bool data, bool clock);
    // The PGM pin (RB5), which only a low-voltage entry uses.
    void setPgm(SimTime time, bool pgm);
    // The data-in line: the programmer's PGD level ANDed with the chip's output
    // while the chip drives PGD, as through the programmer's pull-up.
    bool dataIn() const { return !faults_.dataInStuckLow && (driving_ ? data_ && outputBit_ : data_); }
    // Whether the chip drives PGD (a read's data bits), and the level it drives: for a
    // programmer whose PGD output reaches the pin through a series resistor, where the
    // chip's level wins.
    bool drivesData() const { return driving_; }
    bool dataOut() const { return outputBit_; }

    bool inProgramMode() const { return programMode_; }
    const ChipModel& model() const { return model_; }
    const FaultSet& faults() const { return faults_; }
    ChipMemory& memory() { return memory_; }
    const ChipMemory& memory() const { return memory_; }
    std::uint32_t tablePointer() const { return core_.tablePointer(); }

    const std::vector<Violation>& violations() const { return events_.violations(); }
    void clearViolations() { events_.clearViolations(); }
    void addObserver(SimObserver* observer) { events_.addObserver(observer); }
    void removeObserver(SimObserver* observer) { events_.removeObserver(observer); }

private:
    void mclrChanged(SimTime time, McLr mclr, bool data, bool clock);
    bool lowVoltageEntryAllowed(SimTime time);
    bool keyEntryAllowed(SimTime time);
    // While MCLR is low, a chip with key entry shifts PGD in on every falling PGC edge.
    bool listeningForKey() const { return mclr_ == McLr::Low && hasKeyEntry(model_.family); }
    void leaveProgramMode(SimTime time);
    void dataChanged(SimTime time, bool data);
    void clockRose(SimTime time);
    void clockFell(SimTime time, bool data);
    void finishFrame(SimTime time);
    void resetSerial();

    const ChipModel& model_;
    const FaultSet faults_;      // before memory_ and core_, which keep references to it
    const TimingParameters timing_;
    ChipEvents events_;
    ChipMemory memory_;
    Pic18Core core_;

    McLr mclr_ = McLr::Low;
    bool pgm_ = false;
    Entry entry_ = Entry::HighVoltage;
    bool data_ = false;
    bool clock_ = false;
    bool programMode_ = false;
    bool enteredByKey_ = false;

    // The entry key as clocked in since MCLR last fell (K22).
    SimTime mclrFell_ {};
    SimTime firstKeyClock_ {};
    SimTime lastKeyClockFall_ {};
    bool keyStarted_ = false;
    std::uint32_t key_ = 0;
    int keyBits_ = 0;

    // Serial framing: position 0..3 command bits, 4..19 operand bits.
    int position_ = 0;
    std::uint8_t command_ = 0;
    std::uint16_t operand_ = 0;
    bool readCommand_ = false;
    std::uint8_t readByte_ = 0;
    bool driving_ = false;
    bool outputBit_ = true;
    bool clockLost_ = false;       // this pulse was clocked while an erase ran
    bool turnaroundPending_ = false;

    SimTime entryTime_ {};
    SimTime pgmRise_ {};
    SimTime lastRise_ {};
    SimTime lastFall_ {};
    SimTime lastDataChange_ {};
    bool sawClock_ = false;
    bool lastFallLatched_ = false;

    // Pin-timing mistakes repeat on every clock: each is reported once per Vpp period.
    bool phaseReported_ = false;
    bool setupHoldReported_ = false;
    bool outsideModeReported_ = false;
};

} // namespace velmora::sim
