#include "engine/operations/BlankCheckOperation.h"

#include "engine/EngineTexts.h"
#include "engine/frame/Endings.h"
#include "engine/operations/BlankCheck.h"
#include "engine/operations/ProgrammingEntry.h"

namespace velmora {

void BlankCheckOperation::run()
{
    if (!s.frame.opened())
        return;
    BlankCheckResult result = BlankCheckResult::Failed;
    if (enterProgramming(s))
        result = BlankCheck(s).run();
    else if (s.frame.cancelled())
        result = BlankCheckResult::Cancelled;
    switch (result) {
    case BlankCheckResult::Failed:
        Endings(s.frame).failure();
        return;
    case BlankCheckResult::Cancelled:
        Endings(s.frame).cancel();
        return;
    case BlankCheckResult::Blank:
        Endings(s.frame).normal(texts::kDeviceIsBlank, OperationOutcome::Completed);
        return;
    case BlankCheckResult::NotBlank:
        Endings(s.frame).normal(texts::kDeviceIsNotBlank, OperationOutcome::Differences);
        return;
    }
}

} // namespace velmora
