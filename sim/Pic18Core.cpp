#include "sim/Pic18Core.h"

#include <algorithm>
#include <string>

#include "sim/AddressMap.h"
#include "sim/EraseOptions.h"
#include "sim/Pic18Instruction.h"
#include "sim/SimMessages.h"
#include "sim/TextFormat.h"

namespace velmora::sim {

namespace {

namespace msg = messages;

constexpr std::uint32_t kRowEraseSize = 64;
constexpr std::uint32_t kJRowEraseSize = 1024;
// Programs of one flash byte allowed between erases: once on DS39687E and DS39688C
// parts, twice on DS39644G parts (section 2.3 note).
constexpr int kJProgramLimit = 1;
constexpr int kJ6x8xProgramLimit = 2;
// The forced bits of a J configuration word: 1111b in each odd byte's upper nibble,
// CONFIG1H bit 3 clear (DS39687E Table 5-2 notes).
constexpr std::uint8_t kForcedUpperNibble = 0xF0;
constexpr std::uint32_t kConfig1HOffset = 1;
constexpr std::uint8_t kConfig1HBit3 = 0x08;
constexpr std::uint8_t kEraseKeyEnable = 0x80;       // 3C0004h bit 7 in every erase option
constexpr std::uint8_t kMultiPanelEnable = 0x40;     // 3C0006h

std::uint8_t lowByte(std::uint16_t word) { return static_cast<std::uint8_t>(word & 0xFF); }
std::uint8_t highByte(std::uint16_t word) { return static_cast<std::uint8_t>(word >> 8); }

} // namespace

Pic18Core::Pic18Core(const ChipModel& model, const FaultSet& faults, ChipMemory& memory, ChipEvents& events)
    : model_(model)
    , faults_(faults)
    , memory_(memory)
    , events_(events)
    , timing_(timingFor(model))
    , holding_(model)
{
}

void Pic18Core::enterProgramMode(bool lowVoltage)
{
    // Leaving reset: the J parts load their configuration registers from flash.
    memory_.loadConfigFromFlash();
    resetRegisters();
    lowVoltage_ = lowVoltage;
}

void Pic18Core::leaveProgramMode(SimTime time)
{
    advanceTo(time);
    if (armed_ != Armed::None) {
        if (pulseActive_)
            events_.violation(time, ViolationKind::OperationCutByVppOff, msg::kParamP9,
                              std::string(msg::kVppOffDuringPulse));
        else
            events_.violation(time, ViolationKind::ProgrammingNeverStarted, msg::kParamSequence,
                              std::string(msg::kProgrammingNeverStarted));
    }
    if (erasing_)
        events_.violation(time, ViolationKind::OperationCutByVppOff, msg::kParamP11,
                          std::string(msg::kVppOffDuringErase));
    if (eepromWriting_)
        events_.violation(time, ViolationKind::OperationCutByVppOff, msg::kParamP11A,
                          std::string(msg::kVppOffDuringEepromWrite));
    if (rowErasing_)
        events_.violation(time, ViolationKind::OperationCutByVppOff, msg::kParamRowErase,
                          std::string(msg::kVppOffDuringRowErase));
    resetRegisters();
}

void Pic18Core::resetRegisters()
{
    w_ = 0;
    tblptr_ = 0;
    tablat_ = 0;
    eecon1_ = 0;
    eedata_ = 0;
    eeadr_ = 0;
    eeadrh_ = 0;
    eraseKeyLow_ = 0;
    eraseKeyHigh_ = 0;
    panelControl_ = 0;
    programCounter_ = 0;
    gotoPending_ = false;
    tableWritesLocked_ = false;
    configLatchValue_ = 0xFF;
    armed_ = Armed::None;
    armedCommandsToSkip_ = 0;
    programTarget_ = ProgramTarget::None;
    pulseActive_ = false;
    erasing_ = false;
    eraseEnd_ = kNever;
    eepromWriting_ = false;
    eepromWriteEnd_ = kNever;
    rowErasing_ = false;
    rowEraseEnd_ = kNever;
    nextDeadline_ = kNever;
    dischargeUntil_ = SimTime {};
    writeAwaitingPoll_ = false;
    pollSawWriteDone_ = false;
    holding_.reset();
}

void Pic18Core::completeDue(SimTime time)
{
    if (erasing_ && time >= eraseEnd_) {
        erasing_ = false;
        if (!faults_.eraseDoesNothing)
            memory_.erase(erase_);
        events_.note(eraseEnd_, msg::kNoteEraseDone);
    }
    if (eepromWriting_ && time >= eepromWriteEnd_) {
        eepromWriting_ = false;
        memory_.writeEepromCell(eepromWriteCell_, eepromWriteValue_);
        eecon1_ &= static_cast<std::uint8_t>(~kWr);
        writeAwaitingPoll_ = true;
        events_.note(eepromWriteEnd_, msg::kNoteEepromWriteDone);
    }
    if (rowErasing_ && time >= rowEraseEnd_) {
        rowErasing_ = false;
        performRowErase(rowEraseEnd_, rowEraseAddress_);
        writeAwaitingPoll_ = true;
    }
    updateDeadline();
}

void Pic18Core::updateDeadline()
{
    nextDeadline_ = std::min({erasing_ ? eraseEnd_ : kNever, eepromWriting_ ? eepromWriteEnd_ : kNever,
                              rowErasing_ ? rowEraseEnd_ : kNever});
}

bool Pic18Core::acceptClock(SimTime time)
{
    if (erasing_) {
        if (!eraseClockReported_) {
            eraseClockReported_ = true;
            events_.violation(time, ViolationKind::ClockDuringErase, msg::kParamP11,
                              std::string(msg::kClockDuringErase));
        }
        return false;
    }
    if (time < dischargeUntil_ && !dischargeReported_) {
        dischargeReported_ = true;
        events_.violation(time, ViolationKind::DischargeTooShort, msg::kParamP10,
                          std::string(msg::kDischargeTooShort)
                              + durationText(time - (dischargeUntil_ - timing_.discharge)));
    }
    return true;
}

void Pic18Core::dataRose(SimTime time)
{
    if (!erasing_ || eraseDataReported_)
        return;
    eraseDataReported_ = true;
    events_.violation(time, ViolationKind::DataHighDuringErase, msg::kParamP11,
                      std::string(msg::kDataHighDuringErase));
}

void Pic18Core::startClockRose(SimTime time)
{
    if (armed_ != Armed::Programming && armed_ != Armed::RowErase)
        return;
    pulseActive_ = true;
    pulseStart_ = time;
}

void Pic18Core::startClockFell(SimTime time, std::uint8_t command)
{
    // The K families start a row erase or EEPROM write on the second command after WR.
    if (armedCommandsToSkip_ > 0) {
        --armedCommandsToSkip_;
        return;
    }
    const Armed armed = armed_;
    armed_ = Armed::None;
    switch (armed) {
    case Armed::None:
        return;
    case Armed::RowErase:
        if (isSelfTimedFamily(model_.family)) {
            startSelfTimedRowErase(time);
            return;
        }
        [[fallthrough]];
    case Armed::Programming: {
        const SimTime held = pulseActive_ ? time - pulseStart_ : SimTime {};
        pulseActive_ = false;
        if (command != static_cast<std::uint8_t>(ChipCommand::CoreInstruction))
            events_.violation(time, ViolationKind::NotNopAfterStartProgramming, msg::kParamSequence,
                              std::string(msg::kNotNopAfterStartProgramming) + commandBitsText(command));
        const SimTime needed = armed == Armed::Programming ? requiredPulse() : timing_.rowErasePulse;
        if (held < needed) {
            events_.violation(time, ViolationKind::ProgrammingPulseTooShort, pulseParameter(armed, needed),
                              std::string(msg::kProgrammingPulseTooShort) + durationText(held)
                                  + std::string(msg::kNothingProgrammed));
            holding_.reset();
            if (armed == Armed::RowErase)
                eecon1_ &= static_cast<std::uint8_t>(~kWr);
        } else if (armed == Armed::Programming) {
            performProgramming(time);
        } else {
            performRowErase(time, tblptr_);
        }
        dischargeUntil_ = time + timing_.discharge;
        dischargeReported_ = false;
        return;
    }
    case Armed::BulkErase:
        erasing_ = true;
        erase_ = armedErase_;
        eraseEnd_ = time + timing_.bulkErase;
        dischargeUntil_ = eraseEnd_ + timing_.discharge;
        dischargeReported_ = false;
        eraseClockReported_ = false;
        eraseDataReported_ = false;
        events_.note(time, std::string(msg::kNoteEraseStarted) + hexDigits(armedEraseKeys_, 4));
        updateDeadline();
        return;
    case Armed::EepromWrite:
        eepromWriting_ = true;
        eepromWriteEnd_ = faults_.eepromWriteNeverEnds ? kNever : time + timing_.eepromWrite;
        events_.note(time, std::string(msg::kNoteEepromWriteStarted) + hexDigits(eepromWriteCell_, 4));
        updateDeadline();
        return;
    }
}

std::uint8_t Pic18Core::startRead(SimTime time, std::uint8_t command)
{
    finishPendingGoto(time, command, 0);
    switch (static_cast<ChipCommand>(command)) {
    case ChipCommand::TableRead:
        tablat_ = memory_.readTable(tblptr_);
        break;
    case ChipCommand::TableReadPostInc:
        tablat_ = memory_.readTable(tblptr_);
        tblptr_ = postIncrementForRead(tblptr_);
        break;
    case ChipCommand::TableReadPostDec:
        tablat_ = memory_.readTable(tblptr_);
        tblptr_ = (tblptr_ - 1) & kTablePointerMask;
        break;
    case ChipCommand::TableReadPreInc:
        tblptr_ = (tblptr_ + 1) & kTablePointerMask;
        tablat_ = memory_.readTable(tblptr_);
        break;
    default:  // 0010: TABLAT as it stands
        break;
    }
    return tablat_;
}

void Pic18Core::readFinished(SimTime time, std::uint8_t command)
{
    if (!pollSawWriteDone_ || command != static_cast<std::uint8_t>(ChipCommand::ShiftOutTablat))
        return;
    // The programmer now knows the self-timed write is over; PGC stays low for P10.
    pollSawWriteDone_ = false;
    dischargeUntil_ = time + timing_.discharge;
    dischargeReported_ = false;
}

void Pic18Core::execute(SimTime time, std::uint8_t command, std::uint16_t operand)
{
    finishPendingGoto(time, command, operand);
    switch (static_cast<ChipCommand>(command)) {
    case ChipCommand::CoreInstruction:
        executeInstruction(time, operand);
        return;
    case ChipCommand::TableWrite:
        tableWrite(time, operand);
        return;
    case ChipCommand::TableWritePostInc2:
        tableWrite(time, operand);
        tblptr_ = (tblptr_ + 2) & kTablePointerMask;
        return;
    case ChipCommand::TableWrite1110:
        tableWrite(time, operand);
        if (hasSingleWriteBuffer(model_.family)) {
            startProgramming(time);
            tblptr_ = (tblptr_ + 2) & kTablePointerMask;
        } else {
            tblptr_ = (tblptr_ - 2) & kTablePointerMask;
        }
        return;
    case ChipCommand::TableWriteStart:
        tableWrite(time, operand);
        startProgramming(time);
        return;
    default:
        events_.violation(time, ViolationKind::UnsupportedCommand, msg::kParamCommand,
                          std::string(msg::kUnsupportedCommand) + commandBitsText(command));
        return;
    }
}

void Pic18Core::finishPendingGoto(SimTime time, std::uint8_t command, std::uint16_t operand)
{
    if (!gotoPending_)
        return;
    const bool secondWord = command == static_cast<std::uint8_t>(ChipCommand::CoreInstruction)
        && (operand & kSecondWordMask) == static_cast<std::uint16_t>(Opcode::SecondWord);
    if (secondWord)
        return;
    gotoPending_ = false;
    events_.violation(time, ViolationKind::UnsupportedInstruction, msg::kParamInstruction,
                      std::string(msg::kGotoWithoutSecondWord));
}

void Pic18Core::executeInstruction(SimTime time, std::uint16_t word)
{
    if (gotoPending_) {
        // GOTO k: k<19:8> in the second word, k<7:0> in the first; k counts words.
        gotoPending_ = false;
        programCounter_ = (((static_cast<std::uint32_t>(word) & 0x0FFF) << 8) | gotoLowByte_) << 1;
        return;
    }
    if (word == static_cast<std::uint16_t>(Opcode::Nop)) {
        executeNop(time);
        return;
    }
    const std::uint8_t operand = lowByte(word);
    const auto pattern = static_cast<Opcode>(word & kOpcodeHighByte);
    std::uint8_t value = 0;
    switch (pattern) {
    case Opcode::Movlw:
        w_ = operand;
        return;
    case Opcode::Movwf:
        if (!writeRegister(time, operand, w_))
            unsupported(time, word);
        return;
    case Opcode::Clrf:
        if (!writeRegister(time, operand, 0))
            unsupported(time, word);
        return;
    case Opcode::MovfToW:
        if (!readRegister(operand, value)) {
            unsupported(time, word);
            return;
        }
        w_ = value;
        return;
    case Opcode::IncfToF:
        if (!readRegister(operand, value) || !writeRegister(time, operand, static_cast<std::uint8_t>(value + 1)))
            unsupported(time, word);
        return;
    case Opcode::GotoFirstWord:
        gotoPending_ = true;
        gotoLowByte_ = operand;
        return;
    default:
        break;
    }
    if ((word & kSecondWordMask) == static_cast<std::uint16_t>(Opcode::SecondWord))
        return;  // a lone second word executes as a NOP
    const auto bitOpcode = static_cast<Opcode>(word & kBitOpcodeMask);
    const bool bitInstruction = bitOpcode == Opcode::Bsf || bitOpcode == Opcode::Bcf;
    if (!bitInstruction || operand != static_cast<std::uint8_t>(Sfr::Eecon1)) {
        unsupported(time, word);
        return;
    }
    const auto bit = static_cast<std::uint8_t>(1U << ((word >> 9) & 7));
    const std::uint8_t current = eecon1_ & static_cast<std::uint8_t>(~(kRd | kWr));
    if (bitOpcode == Opcode::Bsf)
        writeEecon1(time, static_cast<std::uint8_t>(current | bit));
    else
        writeEecon1(time, static_cast<std::uint8_t>(current & ~bit));
}

void Pic18Core::executeNop(SimTime time)
{
    if ((eraseKeyLow_ & kEraseKeyEnable) == 0)
        return;
    EraseSelection selection;
    if (!armEraseFromKeys(time, selection))
        return;
    armed_ = Armed::BulkErase;
    armedErase_ = selection;
}

bool Pic18Core::armEraseFromKeys(SimTime time, EraseSelection& selection)
{
    const std::uint8_t low = eraseKeyLow_;
    const std::uint8_t high = eraseKeyHigh_;
    armedEraseKeys_ = static_cast<std::uint16_t>((high << 8) | low);
    eraseKeyLow_ = 0;
    eraseKeyHigh_ = 0;
    selection = eraseSelectionFor(model_, high, low, memory_.anyCodeBlockProtected());
    if (!selection.empty())
        return true;
    events_.violation(time, ViolationKind::InvalidEraseOption, msg::kParamEraseKey,
                      std::string(msg::kInvalidEraseOption) + hexDigits(armedEraseKeys_, 4));
    return false;
}

bool Pic18Core::readRegister(std::uint8_t address, std::uint8_t& value)
{
    switch (static_cast<Sfr>(address)) {
    case Sfr::Tblptru: value = static_cast<std::uint8_t>(tblptr_ >> 16); return true;
    case Sfr::Tblptrh: value = static_cast<std::uint8_t>(tblptr_ >> 8); return true;
    case Sfr::Tblptrl: value = static_cast<std::uint8_t>(tblptr_); return true;
    case Sfr::Tablat: value = tablat_; return true;
    case Sfr::Eecon1:
        value = eecon1_;
        if (writeAwaitingPoll_ && (eecon1_ & kWr) == 0) {
            writeAwaitingPoll_ = false;
            pollSawWriteDone_ = true;
        }
        return true;
    case Sfr::Eecon2: value = 0; return true;
    case Sfr::Eedata: value = eedata_; return true;
    case Sfr::Eeadr: value = eeadr_; return true;
    case Sfr::Eeadrh: value = eeadrh_; return true;
    }
    return false;
}

bool Pic18Core::writeRegister(SimTime time, std::uint8_t address, std::uint8_t value)
{
    switch (static_cast<Sfr>(address)) {
    case Sfr::Tblptru:
        tblptr_ = (tblptr_ & 0x00FFFF) | (static_cast<std::uint32_t>(value) << 16 & kTablePointerMask);
        return true;
    case Sfr::Tblptrh:
        tblptr_ = (tblptr_ & 0x3F00FF) | (static_cast<std::uint32_t>(value) << 8);
        return true;
    case Sfr::Tblptrl:
        tblptr_ = (tblptr_ & 0x3FFF00) | value;
        return true;
    case Sfr::Tablat: tablat_ = value; return true;
    case Sfr::Eecon1: writeEecon1(time, value); return true;
    // The 55h/AAh unlock is accepted and not required in program/verify mode.
    case Sfr::Eecon2: return true;
    case Sfr::Eedata: eedata_ = value; return true;
    case Sfr::Eeadr: eeadr_ = value; return true;
    case Sfr::Eeadrh:
        // Only as many bits as the EEPROM needs above EEADR; 256-byte parts have none.
        eeadrh_ = model_.eepromSize > 256 ? static_cast<std::uint8_t>(value & ((model_.eepromSize - 1) >> 8)) : 0;
        return true;
    }
    return false;
}

void Pic18Core::writeEecon1(SimTime time, std::uint8_t value)
{
    value &= isJFamily(model_.family) ? kJEecon1Implemented : kEecon1Implemented;
    const bool wasWriting = (eecon1_ & kWr) != 0;
    // WR and RD are set by software and cleared only by the hardware.
    eecon1_ = static_cast<std::uint8_t>((value & ~(kRd | kWr)) | (eecon1_ & kWr));
    if ((value & kRd) != 0)
        readEeprom(time);
    if ((value & kWr) == 0)
        return;
    if (wasWriting) {
        events_.violation(time, ViolationKind::WriteWhileBusy, msg::kParamP11A, std::string(msg::kWriteWhileBusy));
        return;
    }
    startWrite(time);
}

void Pic18Core::startWrite(SimTime time)
{
    if ((eecon1_ & kWren) == 0) {
        events_.violation(time, ViolationKind::WriteWithoutWren, msg::kParamWren, std::string(msg::kWriteWithoutWren));
        return;
    }
    if (isJFamily(model_.family)) {
        startJRowErase(time);
        return;
    }
    const bool program = (eecon1_ & kEepgd) != 0;
    const bool config = (eecon1_ & kCfgs) != 0;
    if (!program && !config) {
        if (model_.eepromSize == 0) {
            events_.violation(time, ViolationKind::UnsupportedInstruction, msg::kParamInstruction,
                              std::string(msg::kNoDataEeprom));
            return;
        }
        if (memory_.isEepromWriteProtected()) {
            events_.violation(time, ViolationKind::WriteProtected, msg::kParamProtection,
                              std::string(msg::kEepromWriteProtected));
            return;
        }
        eecon1_ |= kWr;
        eepromWriteCell_ = eepromCell();
        eepromWriteValue_ = eedata_;
        arm(Armed::EepromWrite);
        return;
    }
    if (program && !config && (eecon1_ & kFree) != 0 && hasSingleWriteBuffer(model_.family)) {
        eecon1_ |= kWr;
        arm(Armed::RowErase);
        return;
    }
    events_.violation(time, ViolationKind::UnsupportedInstruction, msg::kParamInstruction,
                      std::string(msg::kUnsupportedWrKind) + hexDigits(eecon1_, 2));
}

// WR with FREE is the only WR a J part takes in ICSP: BSF WREN, TBLPTR, BSF FREE, BSF WR,
// then a NOP whose fourth clock is held (DS39687E Table 3-2, DS39688C section 3.1.2).
void Pic18Core::startJRowErase(SimTime time)
{
    if ((eecon1_ & kFree) == 0) {
        events_.violation(time, ViolationKind::UnsupportedInstruction, msg::kParamInstruction,
                          std::string(msg::kUnsupportedWrKind) + hexDigits(eecon1_, 2));
        return;
    }
    if (model_.family == ChipFamily::J6X8X) {
        events_.violation(time, ViolationKind::NoRowErase, msg::kParamRowErase, std::string(msg::kNoRowErase));
        return;
    }
    eecon1_ |= kWr;
    arm(Armed::RowErase);
}

// BSF WR; NOP; NOP on the K families ("starts on the 4th clock of this instruction"),
// the next command's fourth clock on the others.
void Pic18Core::arm(Armed armed)
{
    armed_ = armed;
    armedCommandsToSkip_ = isSelfTimedFamily(model_.family) ? 1 : 0;
}

void Pic18Core::startSelfTimedRowErase(SimTime time)
{
    pulseActive_ = false;
    rowErasing_ = true;
    rowEraseAddress_ = tblptr_;
    rowEraseEnd_ = time + timing_.rowErase;
    updateDeadline();
}

void Pic18Core::readEeprom(SimTime time)
{
    if ((eecon1_ & (kEepgd | kCfgs)) != 0) {
        events_.violation(time, ViolationKind::UnsupportedInstruction, msg::kParamInstruction,
                          std::string(msg::kUnsupportedRead) + hexDigits(eecon1_, 2));
        return;
    }
    eedata_ = model_.eepromSize == 0 ? 0 : memory_.readEeprom(eepromCell());
}

std::uint32_t Pic18Core::eepromCell() const
{
    if (model_.eepromSize == 0)
        return 0;
    return ((static_cast<std::uint32_t>(eeadrh_) << 8) | eeadr_) & (model_.eepromSize - 1);
}

void Pic18Core::tableWrite(SimTime time, std::uint16_t word)
{
    const std::uint32_t address = tblptr_;
    const bool odd = (address & 1) != 0;
    const std::uint8_t byte = odd ? highByte(word) : lowByte(word);
    // The newer parts' ID block is a whole write buffer wide; latches past the eight
    // IDs exist but program nothing.
    const bool idBuffer = hasSingleWriteBuffer(model_.family) && !isJFamily(model_.family)
        && address >= kIdAddress && address < kIdAddress + model_.writeBufferSize;
    switch (idBuffer ? AddressSpace::Ids : memory_.spaceOf(address)) {
    case AddressSpace::Code:
    case AddressSpace::Ids:
        if (tableWritesLocked_) {
            events_.violation(time, ViolationKind::WriteProtected, msg::kParamProtection,
                              std::string(msg::kTableWriteLocked));
            return;
        }
        holding_.load(address, word);
        return;
    case AddressSpace::Config:
        if (isJFamily(model_.family)) {
            events_.violation(time, ViolationKind::UnimplementedTarget, msg::kParamAddress,
                              std::string(msg::kVolatileConfigWrite) + hexDigits(address, 6));
            return;
        }
        // Configuration bytes go one at a time: LSB to an even address, MSB to an odd one.
        configLatchAddress_ = address;
        configLatchValue_ = byte;
        return;
    case AddressSpace::Registers:
        writeControlRegister(time, address, byte);
        return;
    default:
        events_.violation(time, ViolationKind::UnimplementedTarget, msg::kParamAddress,
                          std::string(msg::kUnimplementedTarget) + hexDigits(address, 6));
        return;
    }
}

void Pic18Core::writeControlRegister(SimTime time, std::uint32_t address, std::uint8_t value)
{
    const bool newer = hasSingleWriteBuffer(model_.family);
    if (address == kEraseKeyLowAddress) {
        eraseKeyLow_ = value;
        return;
    }
    if (address == kEraseKeyHighAddress && newer) {
        eraseKeyHigh_ = value;
        return;
    }
    if (address == kPanelControlAddress && !newer) {
        panelControl_ = value;
        return;
    }
    events_.violation(time, ViolationKind::UnimplementedTarget, msg::kParamAddress,
                      std::string(msg::kUnimplementedTarget) + hexDigits(address, 6));
}

void Pic18Core::startProgramming(SimTime time)
{
    if (needsWrenToProgram(model_.family) && (eecon1_ & kWren) == 0) {
        events_.violation(time, ViolationKind::WriteWithoutWren, msg::kParamWren,
                          std::string(msg::kProgrammingWithoutWren));
        holding_.reset();
        return;
    }
    armed_ = Armed::Programming;
    armedCommandsToSkip_ = 0;
    programTarget_ = ProgramTarget::None;
    programAddress_ = tblptr_;
    const bool configSelected = (eecon1_ & kCfgs) != 0;
    switch (memory_.spaceOf(tblptr_)) {
    case AddressSpace::Code:
    case AddressSpace::Ids:
        if (configSelected) {
            events_.violation(time, ViolationKind::ConfigSelectMismatch, msg::kParamCfgs,
                              std::string(msg::kConfigSelectMismatch) + hexDigits(tblptr_, 6));
            holding_.reset();
            return;
        }
        if (memory_.spaceOf(tblptr_) == AddressSpace::Ids && multiPanel())
            events_.violation(time, ViolationKind::IdWriteInMultiPanelMode, msg::kParamPanelMode,
                              std::string(msg::kIdWriteInMultiPanelMode));
        programTarget_ = ProgramTarget::Flash;
        return;
    case AddressSpace::Config:
        if (!configSelected) {
            events_.violation(time, ViolationKind::ConfigSelectMismatch, msg::kParamCfgs,
                              std::string(msg::kConfigSelectMismatch) + hexDigits(tblptr_, 6));
            return;
        }
        programTarget_ = ProgramTarget::Config;
        return;
    default:
        return;  // the table write has reported the address already
    }
}

void Pic18Core::performProgramming(SimTime time)
{
    if (programTarget_ == ProgramTarget::Config) {
        programConfig(time);
        return;
    }
    if (programTarget_ != ProgramTarget::Flash)
        return;
    const ProgrammingPlan plan = holding_.take(programAddress_, multiPanel());
    if (plan.regionMismatch)
        events_.violation(time, ViolationKind::WriteRegionMismatch, msg::kParamSequence,
                          std::string(msg::kWriteRegionMismatch) + hexDigits(programAddress_, 6));
    for (const ProgrammingBlock& block : plan.blocks)
        programBlock(time, block);
}

void Pic18Core::programBlock(SimTime time, const ProgrammingBlock& block)
{
    const std::uint32_t end = block.base + block.size;
    if (failsProgramming(block.base, end))
        return;
    for (std::uint32_t i = 0; i < block.size; ++i) {
        const std::uint32_t address = block.base + i;
        const auto space = memory_.spaceOf(address);
        const bool exists = space == AddressSpace::Code || space == AddressSpace::Ids;
        if (exists && block.bytes[i] != 0xFF && memory_.isWriteProtected(address)) {
            events_.violation(time, ViolationKind::WriteProtected, msg::kParamProtection,
                              std::string(msg::kWriteProtected) + hexDigits(block.base, 6));
            return;
        }
    }
    if (isJFamily(model_.family))
        checkJFlashRules(time, block);
    for (std::uint32_t i = 0; i < block.size; ++i)
        memory_.programFlashByte(block.base + i, block.bytes[i]);
    events_.note(time, std::string(msg::kNoteProgrammed) + hexDigits(block.base, 6));
}

// What the J documents require of every write; the chip programs the bytes regardless.
void Pic18Core::checkJFlashRules(SimTime time, const ProgrammingBlock& block)
{
    const int limit = model_.family == ChipFamily::J6X8X ? kJ6x8xProgramLimit : kJProgramLimit;
    const std::uint32_t configBase = model_.flashConfigAddress();
    bool forcedBitsBroken = false;
    bool programmedTooOften = false;
    for (std::uint32_t i = 0; i < block.size; ++i) {
        const std::uint32_t address = block.base + i;
        const std::uint8_t value = block.bytes[i];
        if (value == 0xFF)
            continue;
        programmedTooOften = programmedTooOften || memory_.timesProgrammed(address) >= limit;
        if (address < configBase)
            continue;
        const std::uint32_t offset = address - configBase;
        const bool odd = (offset & 1) != 0;
        forcedBitsBroken = forcedBitsBroken || (odd && (value & kForcedUpperNibble) != kForcedUpperNibble)
            || (offset == kConfig1HOffset && (value & kConfig1HBit3) != 0);
    }
    if (forcedBitsBroken)
        events_.violation(time, ViolationKind::ForcedConfigBits, msg::kParamForcedBits,
                          std::string(msg::kForcedConfigBits) + hexDigits(configBase, 6));
    if (programmedTooOften)
        events_.violation(time, ViolationKind::ProgrammedTooOften, msg::kParamProgramCount,
                          std::string(msg::kProgrammedTooOften) + hexDigits(block.base, 6));
}

void Pic18Core::programConfig(SimTime time)
{
    if (configLatchAddress_ != programAddress_)
        events_.violation(time, ViolationKind::WriteRegionMismatch, msg::kParamSequence,
                          std::string(msg::kWriteRegionMismatch) + hexDigits(programAddress_, 6));
    if (memory_.isWriteProtected(programAddress_)) {
        events_.violation(time, ViolationKind::WriteProtected, msg::kParamProtection,
                          std::string(msg::kWriteProtected) + hexDigits(programAddress_, 6));
        return;
    }
    if (failsProgramming(programAddress_, programAddress_ + 1))
        return;
    const auto index = static_cast<int>(programAddress_ - kConfigAddress);
    memory_.programConfigByte(index, configValueToProgram(time, index));
    events_.note(time, std::string(msg::kNoteProgrammed) + hexDigits(programAddress_, 6));
    // Older chips: once code protection covers the block the program counter sits in,
    // the protection logic refuses further table writes (hence their GOTO 100000h).
    if (model_.family == ChipFamily::PanelWrite && memory_.isCodeProtected(programCounter_))
        tableWritesLocked_ = true;
}

// The LVP bit clears only in high-voltage program/verify mode (DS39622L section 5.3):
// written 0 after a low-voltage entry, it stays 1.
std::uint8_t Pic18Core::configValueToProgram(SimTime time, int index) const
{
    if (!lowVoltage_ || index != kConfig4L || (configLatchValue_ & kLvpBit) != 0
        || (memory_.config()[kConfig4L] & kLvpBit) == 0)
        return configLatchValue_;
    events_.note(time, msg::kNoteLvpKept);
    return static_cast<std::uint8_t>(configLatchValue_ | kLvpBit);
}

void Pic18Core::performRowErase(SimTime time, std::uint32_t address)
{
    eecon1_ &= static_cast<std::uint8_t>(~kWr);
    const AddressSpace space = memory_.spaceOf(address);
    // The K families erase the ID locations as one row too (DS41398B section 3.4).
    if (space == AddressSpace::Ids && isSelfTimedFamily(model_.family)) {
        memory_.erase(EraseSelection {.ids = true});
        events_.note(time, std::string(msg::kNoteRowErased) + hexDigits(kIdAddress, 6));
        return;
    }
    if (space != AddressSpace::Code)
        return;
    // The J parts' CP0 lives in the last row; only a bulk erase clears it (DS39687E section 3.1.2).
    if (memory_.isWriteProtected(address) || (isJFamily(model_.family) && memory_.isCodeProtected(address))) {
        events_.violation(time, ViolationKind::WriteProtected, msg::kParamProtection,
                          std::string(msg::kWriteProtected) + hexDigits(address, 6));
        return;
    }
    const std::uint32_t rowSize = isJFamily(model_.family) ? kJRowEraseSize : kRowEraseSize;
    const std::uint32_t row = address & ~(rowSize - 1);
    if (failsProgramming(row, row + rowSize))
        return;
    memory_.eraseRow(address, rowSize);
    events_.note(time, std::string(msg::kNoteRowErased) + hexDigits(row, 6));
}

// P10 names the held row erase on DS39687E; P9A a configuration pulse longer than code's.
std::string_view Pic18Core::pulseParameter(Armed armed, SimTime needed) const
{
    const bool twoByFourJ = model_.family == ChipFamily::J10 || model_.family == ChipFamily::J2X4X;
    if (armed == Armed::RowErase && twoByFourJ)
        return msg::kParamP10;
    return needed == timing_.programPulse ? msg::kParamP9 : msg::kParamP9A;
}

SimTime Pic18Core::requiredPulse() const
{
    if (programTarget_ == ProgramTarget::Config)
        return timing_.configPulse;
    if (programAddress_ >= kIdAddress)
        return timing_.idPulse;
    return timing_.programPulse;
}

std::uint32_t Pic18Core::postIncrementForRead(std::uint32_t pointer) const
{
    // A post-increment read wraps at the end of implemented program memory.
    if (pointer + 1 == model_.programMemorySize)
        return 0;
    return (pointer + 1) & kTablePointerMask;
}

bool Pic18Core::multiPanel() const
{
    return model_.family == ChipFamily::PanelWrite && (panelControl_ & kMultiPanelEnable) != 0;
}

bool Pic18Core::failsProgramming(std::uint32_t begin, std::uint32_t end) const
{
    return faults_.programFailsAt && *faults_.programFailsAt >= begin && *faults_.programFailsAt < end;
}

void Pic18Core::unsupported(SimTime time, std::uint16_t word)
{
    events_.violation(time, ViolationKind::UnsupportedInstruction, msg::kParamInstruction,
                      std::string(msg::kUnsupportedInstruction) + hexDigits(word, 4));
}

} // namespace velmora::sim
