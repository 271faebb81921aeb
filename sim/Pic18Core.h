#pragma once
// The command level of the simulated chip: the registers a programmer reaches
// through ICSP, table reads and writes, the holding registers, and the operations
// that take time (programming pulses, bulk erase, EEPROM writes). The serial layer
// (SimulatedChip) hands it whole commands and the edges of each command's fourth
// clock, on which programming and erases start.

#include <cstdint>
#include <limits>
#include <string_view>

#include "sim/ChipEvents.h"
#include "sim/ChipMemory.h"
#include "sim/FaultSet.h"
#include "sim/HoldingRegisters.h"
#include "sim/TimingParameters.h"

namespace velmora::sim {

class Pic18Core {
public:
    Pic18Core(const ChipModel& model, const FaultSet& faults, ChipMemory& memory, ChipEvents& events);

    // lowVoltage: entered with PGM and MCLR at VDD, where the LVP bit cannot be cleared.
    void enterProgramMode(bool lowVoltage);
    // Abandons whatever is still running or waiting, with a violation for each.
    void leaveProgramMode(SimTime time);

    // Completes the self-timed operations that have ended by `time`.
    void advanceTo(SimTime time)
    {
        if (time >= nextDeadline_)
            completeDue(time);
    }

    // False when the clock edge is lost because a bulk erase runs (P11); records P10
    // when the clock comes too soon after programming or an erase.
    bool acceptClock(SimTime time);
    void dataRose(SimTime time);

    // The fourth command clock: rising starts a programming pulse, falling ends it
    // (P9) or starts an erase or EEPROM write armed by the previous command.
    void startClockRose(SimTime time);
    void startClockFell(SimTime time, std::uint8_t command);

    // A read command's byte, known once its 4 command bits are in.
    std::uint8_t startRead(SimTime time, std::uint8_t command);
    void readFinished(SimTime time, std::uint8_t command);
    // Every other command, after its 16-bit operand.
    void execute(SimTime time, std::uint8_t command, std::uint16_t operand);

    std::uint32_t tablePointer() const { return tblptr_; }

private:
    enum class Armed { None, Programming, RowErase, BulkErase, EepromWrite };
    enum class ProgramTarget { None, Flash, Config };

    static constexpr SimTime kNever = SimTime(std::numeric_limits<SimTime::rep>::max());

    void resetRegisters();
    std::uint8_t configValueToProgram(SimTime time, int index) const;
    void completeDue(SimTime time);
    void updateDeadline();

    void executeInstruction(SimTime time, std::uint16_t word);
    void executeNop(SimTime time);
    void finishPendingGoto(SimTime time, std::uint8_t command, std::uint16_t operand);
    bool readRegister(std::uint8_t address, std::uint8_t& value);
    bool writeRegister(SimTime time, std::uint8_t address, std::uint8_t value);
    void writeEecon1(SimTime time, std::uint8_t value);
    void startWrite(SimTime time);
    void arm(Armed armed);
    void startSelfTimedRowErase(SimTime time);
    void startJRowErase(SimTime time);
    void checkJFlashRules(SimTime time, const ProgrammingBlock& block);
    std::string_view pulseParameter(Armed armed, SimTime needed) const;
    void readEeprom(SimTime time);
    std::uint32_t eepromCell() const;

    void tableWrite(SimTime time, std::uint16_t word);
    void writeControlRegister(SimTime time, std::uint32_t address, std::uint8_t value);
    void startProgramming(SimTime time);
    void performProgramming(SimTime time);
    void programBlock(SimTime time, const ProgrammingBlock& block);
    void programConfig(SimTime time);
    void performRowErase(SimTime time, std::uint32_t address);
    SimTime requiredPulse() const;
    bool armEraseFromKeys(SimTime time, EraseSelection& selection);
    std::uint32_t postIncrementForRead(std::uint32_t pointer) const;
    bool multiPanel() const;
    bool failsProgramming(std::uint32_t begin, std::uint32_t end) const;
    void unsupported(SimTime time, std::uint16_t word);

    const ChipModel& model_;
    const FaultSet& faults_;
    ChipMemory& memory_;
    ChipEvents& events_;
    const TimingParameters timing_;
    HoldingRegisters holding_;

    // Registers.
    std::uint8_t w_ = 0;
    std::uint32_t tblptr_ = 0;
    std::uint8_t tablat_ = 0;
    std::uint8_t eecon1_ = 0;
    std::uint8_t eedata_ = 0;
    std::uint8_t eeadr_ = 0;
    std::uint8_t eeadrh_ = 0;
    std::uint8_t eraseKeyLow_ = 0;     // 3C0004h
    std::uint8_t eraseKeyHigh_ = 0;    // 3C0005h
    std::uint8_t panelControl_ = 0;    // 3C0006h
    std::uint32_t programCounter_ = 0;
    bool gotoPending_ = false;
    std::uint8_t gotoLowByte_ = 0;
    bool tableWritesLocked_ = false;
    bool lowVoltage_ = false;

    // Configuration byte latched by the last table write to 300000h..30000Dh.
    std::uint32_t configLatchAddress_ = 0;
    std::uint8_t configLatchValue_ = 0xFF;

    // What the next command's fourth clock starts.
    Armed armed_ = Armed::None;
    int armedCommandsToSkip_ = 0;
    ProgramTarget programTarget_ = ProgramTarget::None;
    std::uint32_t programAddress_ = 0;
    bool pulseActive_ = false;
    SimTime pulseStart_ {};
    EraseSelection armedErase_;
    std::uint16_t armedEraseKeys_ = 0;

    // Self-timed operations in progress.
    bool erasing_ = false;
    SimTime eraseEnd_ = kNever;
    EraseSelection erase_;
    bool eepromWriting_ = false;
    SimTime eepromWriteEnd_ = kNever;
    std::uint32_t eepromWriteCell_ = 0;
    std::uint8_t eepromWriteValue_ = 0;
    bool rowErasing_ = false;          // the K families' self-timed row erase
    SimTime rowEraseEnd_ = kNever;
    std::uint32_t rowEraseAddress_ = 0;
    SimTime nextDeadline_ = kNever;

    // PGC must stay low until then (P10).
    SimTime dischargeUntil_ {};
    bool dischargeReported_ = false;
    bool eraseClockReported_ = false;
    bool eraseDataReported_ = false;
    // After a self-timed write or row erase: the poll that reads WR clear, then the
    // shift-out that carries it out; P10 runs from the end of that shift-out.
    bool writeAwaitingPoll_ = false;
    bool pollSawWriteDone_ = false;
};

} // namespace velmora::sim
