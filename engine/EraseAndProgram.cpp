#include "engine/EraseAndProgram.h"

#include "engine/BlankCheck.h"
#include "engine/ConfigurationProgramming.h"
#include "engine/EepromProgramming.h"
#include "engine/EngineTexts.h"
#include "engine/IdProgramming.h"
#include "engine/ProgramMemoryProgramming.h"
#include "engine/TPICPr.h"
#include "signalling/HW_Cntrl.h"

namespace velmora {

namespace {

constexpr std::uint16_t kComplete = 100;

} // namespace

void EraseAndProgram::run()
{
    s.open();
    s.post.clearDisplays();
    if (s.cancelRequested()) {
        s.finish(OperationOutcome::Cancelled);
        return;
    }
    if (!eraseAndProgram()) {
        if (s.cancelled())
            s.cancelExit();
        else
            s.failureExit();
        return;
    }
    const bool eraseOnly = s.engine.eraseOnly;
    s.normalEnding(eraseOnly ? texts::kErasingPerformed : texts::kProgrammingPerformed, OperationOutcome::Completed);
}

bool EraseAndProgram::eraseAndProgram()
{
    if (!s.enterProgramming())
        return false;

    bool needsErase = true;
    if (s.options.blankCheckBeforeErase) {
        switch (BlankCheck(s).run()) {
        case BlankCheckResult::Failed:
        case BlankCheckResult::Cancelled:
            return false;
        case BlankCheckResult::Blank:
            needsErase = false;
            break;
        case BlankCheckResult::NotBlank:
            break;
        }
    }
    if (needsErase && !erase())
        return false;

    s.post.clearAddress();
    s.post.postProcessText({});
    s.post.postAction({});
    s.post.postProgress(0);
    if (!s.check())
        return false;
    return s.engine.eraseOnly || programAreas();
}

bool EraseAndProgram::erase()
{
    s.post.clearDisplays();
    s.post.postAction(texts::kEraseDevice);
    s.post.postProcessText(texts::kWriteInstruction);
    if (!sendEraseSequence())
        return false;
    s.post.postProcessText({});
    s.post.postProgress(kComplete);
    return s.wait300ms();
}

bool EraseAndProgram::sendEraseSequence()
{
    const std::span<const EraseKey> keys = s.strategy().eraseKeys;
    // No known erase for this device: nothing is sent.
    if (keys.empty())
        return true;
    for (const EraseKey& key : keys) {
        if (!s.setTablePointer(key.controlAddress) || !s.tableWrite(IcspCommand::TableWrite, key.key))
            return false;
    }
    if (!s.core(CoreInstruction::Nop))
        return false;
    s.post.postProcessText(texts::kWriteInstructionWithDelay);
    // The erase runs while the lines stay low between this NOP's command and operand.
    return SendCommandEraseWait(IcspCommand::CoreInstruction, word(CoreInstruction::Nop))
        || s.fail(texts::kFaultWritingInstructionWithDelay);
}

bool EraseAndProgram::programAreas()
{
    if (s.options.programMemory && !ProgramMemoryProgramming(s).run())
        return false;
    if (s.options.eeprom && s.eepromSize() != 0 && !EepromProgramming(s).run())
        return false;
    if (s.options.ids && !IdProgramming(s).run())
        return false;
    return !s.options.configuration || ConfigurationProgramming(s).run();
}

} // namespace velmora
