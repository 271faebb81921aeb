#include "engine/classic/ClassicIcsp.h"

#include "engine/EngineTexts.h"
#include "signalling/HW_Cntrl.h"

#include <vector>

namespace velmora {

namespace {
constexpr Address kProgrammingControlAddress = 0x3C0006;
constexpr std::uint8_t kEecon1Wr = 1 << 1;
constexpr std::uint8_t kUnlockFirst = 0x55;
constexpr std::uint8_t kUnlockSecond = 0xAA;

// The key entry's waits come with the family's row: a device without them has no key.
EntryMethod usableEntry(EntryWiring wiring, ProgrammingFamily family, const WriteStrategyRules& rules)
{
    const EntryMethod method = entryMethodFor(wiring, family);
    return method == EntryMethod::Key && !rules.keyEntryWaits ? EntryMethod::None : method;
}
} // namespace

ClassicIcsp::ClassicIcsp(StepGuard& guard, const SelectedDevice& device, EntryWiring wiring)
    : guard_(guard)
    , device_(device)
    , rules_(rulesFor(device))
    , entry_(usableEntry(wiring, device.family, rules_))
    , wiring_(wiring)
{
}

bool ClassicIcsp::enter()
{
    switch (entry_) {
    case EntryMethod::VppLine:
        return EnterProgMode() || guard_.fail(texts::kFaultTurningOnVpp);
    case EntryMethod::Key:
        return EnterProgModeByKey(*rules_.keyEntryWaits) || guard_.fail(texts::kFaultTurningOnVpp);
    case EntryMethod::None:
        break;
    }
    switch (wiring_) {
    case EntryWiring::MclrOnly:
        return guard_.fail(texts::kNoKeyEntry);
    case EntryWiring::HighVoltage:
        return guard_.fail(texts::kNoHighVoltageMode);
    case EntryWiring::PgmPin:
        break;
    }
    return guard_.fail(texts::kNoPgmPin);
}

bool ClassicIcsp::leave()
{
    if (entry_ == EntryMethod::None)
        return true;
    return ExitProgMode() || guard_.fail(texts::kFaultTurningOffVpp);
}

std::uint32_t ClassicIcsp::blockSize() const
{
    return ReadBlockBytes();
}

bool ClassicIcsp::readBlock(std::span<std::uint8_t> into, bool endsArea)
{
    std::vector<std::uint8_t> commands(into.size(), commandCode(IcspCommand::TableReadPostIncrement));
    if (endsArea && !commands.empty())
        commands.back() = commandCode(IcspCommand::TableRead);
    return SendCommandsReadBytes(commands, into) || guard_.fail(texts::kFaultReadingByte);
}

bool ClassicIcsp::core(CoreInstruction instruction)
{
    return core(word(instruction));
}

bool ClassicIcsp::core(std::uint16_t instructionWord)
{
    return SendCommand(IcspCommand::CoreInstruction, instructionWord) || guard_.fail(texts::kFaultWritingInstruction);
}

bool ClassicIcsp::tableWrite(IcspCommand command, std::uint16_t operand)
{
    return SendCommand(command, operand) || guard_.fail(texts::kFaultWritingInstruction);
}

bool ClassicIcsp::setTablePointer(Address address)
{
    for (const std::uint16_t instruction : tablePointerWords(address)) {
        if (!core(instruction))
            return false;
    }
    return true;
}

bool ClassicIcsp::setTablePointerChecked(Address address)
{
    for (const std::uint16_t instruction : tablePointerWords(address)) {
        if (!guard_.check() || !core(instruction))
            return false;
    }
    return true;
}

bool ClassicIcsp::loadEepromAddress(std::uint32_t cell)
{
    if (!core(movlw(static_cast<std::uint8_t>(cell))) || !core(CoreInstruction::MovwfEeadr))
        return false;
    if (!device_.longEEAddr)
        return true;
    return core(movlw(static_cast<std::uint8_t>(cell >> 8))) && core(CoreInstruction::MovwfEeadrh);
}

bool ClassicIcsp::latchEepromCell()
{
    return core(CoreInstruction::BsfEecon1Rd) && core(CoreInstruction::MovfEedataW)
        && core(CoreInstruction::MovwfTablat) && core(CoreInstruction::Nop);
}

bool ClassicIcsp::shiftOutTablat(std::uint8_t& value, const char* failureMessage)
{
    return SendCommandReadByte(IcspCommand::ShiftOutTablat, value) || guard_.fail(failureMessage);
}

bool ClassicIcsp::queueShiftOutTablat(ReadByteQueue& reads)
{
    return reads.queue(commandCode(IcspCommand::ShiftOutTablat)) || guard_.fail(texts::kFaultReadingByte);
}

bool ClassicIcsp::resolveReads(ReadByteQueue& reads, std::span<std::uint8_t> values)
{
    return reads.resolve(values) || guard_.fail(texts::kFaultReadingByte);
}

bool ClassicIcsp::startEepromWrite(std::uint8_t value)
{
    if (!core(movlw(value)) || !core(CoreInstruction::MovwfEedata) || !core(CoreInstruction::BsfEecon1Wren))
        return false;
    if (rules_.eepromUnlock
        && (!core(movlw(kUnlockFirst)) || !core(CoreInstruction::MovwfEecon2) || !core(movlw(kUnlockSecond))
            || !core(CoreInstruction::MovwfEecon2)))
        return false;
    return startSelfTimedWrite();
}

bool ClassicIcsp::startRowErase(Address address)
{
    return selectCodeMemory() && core(CoreInstruction::BsfEecon1Wren) && setTablePointer(address)
        && core(CoreInstruction::BsfEecon1Free) && startSelfTimedWrite();
}

bool ClassicIcsp::startSelfTimedWrite()
{
    if (!core(CoreInstruction::BsfEecon1Wr))
        return false;
    for (int i = 0; i < rules_.nopsAfterWriteStart; ++i) {
        if (!core(CoreInstruction::Nop))
            return false;
    }
    return true;
}

bool ClassicIcsp::writing(bool& isWriting)
{
    std::uint8_t eecon1 = 0;
    if (!core(CoreInstruction::MovfEecon1W) || !core(CoreInstruction::MovwfTablat) || !core(CoreInstruction::Nop)
        || !shiftOutTablat(eecon1, texts::kFaultReadingInstruction))
        return false;
    isWriting = (eecon1 & kEecon1Wr) != 0;
    return true;
}

bool ClassicIcsp::waitWhileWriting()
{
    for (;;) {
        bool isWriting = false;
        if (!writing(isWriting) || !guard_.check())
            return false;
        if (!isWriting)
            return true;
    }
}

bool ClassicIcsp::clearWriteEnable()
{
    return core(CoreInstruction::BcfEecon1Wren);
}

bool ClassicIcsp::enableWrites()
{
    return !rules_.writeEnableBeforeWrites || core(CoreInstruction::BsfEecon1Wren);
}

bool ClassicIcsp::selectEeprom()
{
    return core(CoreInstruction::BcfEecon1Eepgd) && core(CoreInstruction::BcfEecon1Cfgs);
}

bool ClassicIcsp::selectCodeMemory()
{
    if (!rules_.selectsMemorySpace)
        return true;
    return core(CoreInstruction::BsfEecon1Eepgd) && core(CoreInstruction::BcfEecon1Cfgs);
}

bool ClassicIcsp::selectConfigurationSpace()
{
    return core(CoreInstruction::BsfEecon1Eepgd) && core(CoreInstruction::BsfEecon1Cfgs);
}

bool ClassicIcsp::writePanelMode(std::uint16_t value)
{
    return setTablePointer(kProgrammingControlAddress) && tableWrite(IcspCommand::TableWrite, value);
}

bool ClassicIcsp::programPulse(WriteKind kind)
{
    const WriteWaits& waits = kind == WriteKind::Code ? rules_.codeWaits : rules_.idAndConfigWaits;
    return SendCommandProgramWait(IcspCommand::CoreInstruction, word(CoreInstruction::Nop), waits)
        || guard_.fail(texts::kFaultProgramming);
}

bool ClassicIcsp::loadEraseKeys(std::span<const EraseKey> keys)
{
    for (const EraseKey& key : keys) {
        if (!setTablePointer(key.controlAddress) || !tableWrite(IcspCommand::TableWrite, key.key))
            return false;
    }
    return core(CoreInstruction::Nop);
}

bool ClassicIcsp::eraseWait()
{
    return SendCommandEraseWait(IcspCommand::CoreInstruction, word(CoreInstruction::Nop), rules_.eraseWaits)
        || guard_.fail(texts::kFaultWritingInstructionWithDelay);
}

} // namespace velmora
