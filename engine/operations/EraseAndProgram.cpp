#include "engine/operations/EraseAndProgram.h"

#include "engine/EngineTexts.h"
#include "engine/ProgramMemoryProgramming.h"
#include "engine/frame/Endings.h"
#include "engine/operations/BlankCheck.h"
#include "engine/operations/ConfigurationProgramming.h"
#include "engine/operations/EepromProgramming.h"
#include "engine/operations/IdProgramming.h"
#include "engine/operations/ProgrammingEntry.h"
#include "engine/operations/SelfTimedWrite.h"

namespace velmora {

namespace {

constexpr std::uint16_t kComplete = 100;

} // namespace

void EraseAndProgram::run()
{
    if (!s.frame.opened())
        return;
    if (!eraseAndProgram()) {
        Endings(s.frame).interrupted();
        return;
    }
    Endings(s.frame).normal(eraseOnly_ ? texts::kErasingPerformed : texts::kProgrammingPerformed,
                            OperationOutcome::Completed);
}

bool EraseAndProgram::eraseAndProgram()
{
    if (!enterProgramming(s))
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

    s.post().clearAddress();
    s.post().postProcessText({});
    s.post().postAction({});
    s.post().postProgress(0);
    if (!s.frame.check())
        return false;
    return eraseOnly_ || programAreas();
}

bool EraseAndProgram::erase()
{
    s.post().clearDisplays();
    s.post().postAction(texts::kEraseDevice);
    s.post().postProcessText(texts::kWriteInstruction);
    if (!sendEraseSequence())
        return false;
    s.post().postProcessText({});
    s.post().postProgress(kComplete);
    return s.frame.wait300ms();
}

bool EraseAndProgram::sendEraseSequence()
{
    const std::span<const EraseKey> keys = s.strategy().eraseKeys;
    // No known erase for this device: nothing is sent.
    if (keys.empty())
        return true;
    if (!s.icsp.loadEraseKeys(keys))
        return false;
    s.post().postProcessText(texts::kWriteInstructionWithDelay);
    if (!s.icsp.eraseWait())
        return false;
    return !s.strategy().eraseIdRowApart || eraseIdRow();
}

bool EraseAndProgram::eraseIdRow()
{
    s.post().postProcessText(texts::kWriteInstruction);
    return s.icsp.startRowErase(kIdAddress) && s.frame.check() && finishSelfTimedWrite(s);
}

bool EraseAndProgram::programAreas()
{
    // Configuration words in flash are written as code, in the top block; such a device
    // has no EEPROM and no ID locations to write.
    if (s.configInFlash())
        return !(s.options.programMemory || s.options.configuration) || ProgramMemoryProgramming(s).run();
    if (s.options.programMemory && !ProgramMemoryProgramming(s).run())
        return false;
    if (s.options.eeprom && s.eepromSize() != 0 && !EepromProgramming(s).run())
        return false;
    if (s.options.ids && !IdProgramming(s).run())
        return false;
    return !s.options.configuration || ConfigurationProgramming(s).run();
}

} // namespace velmora
