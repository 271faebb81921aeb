#include "engine/IcspSession.h"

#include <algorithm>

#include "engine/EngineTexts.h"
#include "engine/TPICPr.h"
#include "signalling/HW_Cntrl.h"
#include "signalling/PinDriver.h"

namespace velmora {

namespace {
constexpr std::uint32_t kPhasePauseUnits = 60000;   // 300 ms between phases
constexpr Address kProgrammingControlAddress = 0x3C0006;
} // namespace

std::uint16_t percent(std::uint32_t index, std::uint32_t divisor)
{
    if (divisor == 0)
        return 100;
    return static_cast<std::uint16_t>(std::uint64_t{index} * 100 / divisor);
}

IcspSession::IcspSession(TPICPr& owner, PostingBlock& posting)
    : engine(owner)
    , data(owner.data())
    , image(owner.data().image)
    , device(owner.data().device)
    , options(owner.options)
    , post(posting)
{
}

bool IcspSession::fail(std::string message)
{
    interruption_.kind = Interruption::Kind::Failure;
    interruption_.message = std::move(message);
    return false;
}

bool IcspSession::cancelRequested() const
{
    return engine.cancelRequest.load();
}

bool IcspSession::check()
{
    if (!cancelRequested())
        return true;
    interruption_.kind = Interruption::Kind::Cancel;
    return false;
}

void IcspSession::open()
{
    engine.operationCode = OperationNone;
    engine.busy = true;
    post.invalidate();
}

void IcspSession::finish(OperationOutcome outcome)
{
    engine.lastOutcome = outcome;
    engine.busy = false;
    engine.cancelRequest = false;
}

bool IcspSession::enterProgMode()
{
    return EnterProgMode() || fail(texts::kFaultTurningOnVpp);
}

bool IcspSession::wait300ms()
{
    return pause(kPhasePauseUnits);
}

bool IcspSession::pause(std::uint32_t units)
{
    return currentPinDriver().delay(units) || fail(texts::kFaultDelay);
}

bool IcspSession::core(CoreInstruction instruction)
{
    return core(word(instruction));
}

bool IcspSession::core(std::uint16_t instructionWord)
{
    return SendCommand(IcspCommand::CoreInstruction, instructionWord) || fail(texts::kFaultWritingInstruction);
}

bool IcspSession::tableWrite(IcspCommand command, std::uint16_t operand)
{
    return SendCommand(command, operand) || fail(texts::kFaultWritingInstruction);
}

bool IcspSession::setTablePointer(Address address)
{
    for (const std::uint16_t instruction : tablePointerWords(address)) {
        if (!core(instruction))
            return false;
    }
    return true;
}

bool IcspSession::loadEepromAddress(std::uint32_t cell)
{
    if (!core(movlw(static_cast<std::uint8_t>(cell))) || !core(CoreInstruction::MovwfEeadr))
        return false;
    if (!device.longEEAddr)
        return true;
    return core(movlw(static_cast<std::uint8_t>(cell >> 8))) && core(CoreInstruction::MovwfEeadrh);
}

bool IcspSession::readFlashByte(bool last, std::uint8_t& value)
{
    const IcspCommand command = last ? IcspCommand::TableRead : IcspCommand::TableReadPostIncrement;
    return SendCommandReadByte(command, value) || fail(texts::kFaultReadingByte);
}

bool IcspSession::shiftOutTablat(std::uint8_t& value, const char* failureMessage)
{
    return SendCommandReadByte(IcspCommand::ShiftOutTablat, value) || fail(failureMessage);
}

bool IcspSession::readEepromCell(std::uint32_t cell, std::uint8_t& value)
{
    post.postAddress(cell);
    post.postProcessText(texts::kWriteInstruction);
    if (!loadEepromAddress(cell)) {
        keepImageOnFailure();
        return false;
    }
    if (!core(CoreInstruction::BsfEecon1Rd) || !core(CoreInstruction::MovfEedataW)
        || !core(CoreInstruction::MovwfTablat) || !core(CoreInstruction::Nop) || !check())
        return false;
    post.postProcessText(texts::kReadByte);
    return shiftOutTablat(value, texts::kFaultReadingByte);
}

bool IcspSession::startTableRead(Address base)
{
    post.postProcessText(texts::kWriteInstruction);
    if (!setTablePointer(base) || !check())
        return false;
    post.postProcessText(texts::kReadByte);
    return true;
}

bool IcspSession::readTable(Address base, std::uint32_t count, const ByteVisitor& visit)
{
    if (!startTableRead(base))
        return false;
    const std::uint32_t last = count - 1;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!check())
            return false;
        post.postAddress(base + i);
        std::uint8_t value = 0;
        if (!readFlashByte(i == last, value))
            return false;
        const AfterByte after = visit(i, value);
        if (after != AfterByte::Next)
            return after == AfterByte::Stop;
        post.postProgress(percent(i, last));
    }
    return true;
}

bool IcspSession::readEepromCells(bool onlyPresent, const ByteVisitor& visit)
{
    post.postProcessText(texts::kWriteInstruction);
    if (!selectEeprom() || !check())
        return false;
    const std::uint32_t size = eepromSize();
    for (std::uint32_t e = 0; e < size; ++e) {
        if (!check())
            return false;
        if (onlyPresent && !data.IsEepromPresent(e))
            continue;
        std::uint8_t value = 0;
        if (!readEepromCell(e, value))
            return false;
        const AfterByte after = visit(e, value);
        if (after != AfterByte::Next)
            return after == AfterByte::Stop;
        post.postProgress(percent(e, size - 1));
    }
    return true;
}

std::uint32_t IcspSession::programSize() const
{
    return std::min(image.programMemorySize, kProgramMemoryCapacity);
}

std::uint32_t IcspSession::eepromSize() const
{
    return std::min(image.eepromSize, kEepromCapacity);
}

bool IcspSession::selectEeprom()
{
    return core(CoreInstruction::BcfEecon1Eepgd) && core(CoreInstruction::BcfEecon1Cfgs);
}

bool IcspSession::selectCodeMemory()
{
    return core(CoreInstruction::BsfEecon1Eepgd) && core(CoreInstruction::BcfEecon1Cfgs);
}

bool IcspSession::selectConfigurationSpace()
{
    return core(CoreInstruction::BsfEecon1Eepgd) && core(CoreInstruction::BsfEecon1Cfgs);
}

bool IcspSession::writePanelMode(std::uint16_t value)
{
    return setTablePointer(kProgrammingControlAddress) && tableWrite(IcspCommand::TableWrite, value);
}

bool IcspSession::programPulse()
{
    return SendCommandProgramWait(IcspCommand::CoreInstruction, word(CoreInstruction::Nop))
        || fail(texts::kFaultProgramming);
}

bool IcspSession::raiseVpp()
{
    post.postProcessText(texts::kTurnOnVpp);
    if (!enterProgMode() || !check() || !wait300ms())
        return false;
    post.postProcessText({});
    return check();
}

bool IcspSession::enterProgramming()
{
    if (!raiseVpp())
        return false;
    if (!engine.deviceIdCheck)
        return true;
    std::uint16_t rawId = 0;
    if (!readDeviceId(rawId))
        return false;
    const std::string refusal = engine.deviceIdCheck(rawId);
    post.postProcessText({});
    return refusal.empty() || fail(refusal);
}

bool IcspSession::readDeviceId(std::uint16_t& rawId)
{
    // Each command is a check point: on a slow port one command takes long enough
    // for a cancel to be felt.
    post.postProcessText(texts::kWriteInstruction);
    for (const std::uint16_t instruction : tablePointerWords(kDeviceIdAddress)) {
        if (!check() || !core(instruction))
            return false;
    }
    post.postProcessText(texts::kReadByte);
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!check() || !readFlashByte(false, low) || !check() || !readFlashByte(true, high))
        return false;
    rawId = static_cast<std::uint16_t>(high << 8 | low);
    return true;
}

bool IcspSession::switchOff()
{
    post.clearDisplays();
    post.postProcessText(texts::kTurnOffVpp);
    if (!ExitProgMode())
        return fail(texts::kFaultTurningOffVpp);
    return wait300ms();
}

void IcspSession::failureExit()
{
    post.showError(interruption_.message);
    if (!switchOff()) {
        endAfterSwitchOffFailure();
        return;
    }
    finish(OperationOutcome::Failed);
    post.closeWindow();
}

void IcspSession::cancelExit()
{
    if (!switchOff()) {
        endAfterSwitchOffFailure();
        return;
    }
    finish(OperationOutcome::Cancelled);
}

void IcspSession::endAfterSwitchOffFailure()
{
    post.showError(interruption_.message);
    finish(OperationOutcome::Failed);
    post.closeWindow();
}

} // namespace velmora

namespace velmora {

void IcspSession::normalEnding(const std::string& report, OperationOutcome outcome)
{
    if (!switchOff()) {
        endAfterSwitchOffFailure();
        return;
    }
    if (cancelRequested()) {
        finish(OperationOutcome::Cancelled);
        return;
    }
    post.clearAddress();
    post.clearDisplays();
    if (cancelRequested()) {
        finish(OperationOutcome::Cancelled);
        return;
    }
    finish(outcome);
    post.hideWindow();
    post.showInformation(report);
    post.closeWindow();
}

} // namespace velmora
