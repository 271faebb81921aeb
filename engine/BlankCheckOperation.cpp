#include "engine/BlankCheckOperation.h"

#include "engine/BlankCheck.h"
#include "engine/EngineTexts.h"

namespace velmora {

void BlankCheckOperation::run()
{
    s.open();
    s.post.clearDisplays();
    if (s.cancelRequested()) {
        s.finish(OperationOutcome::Cancelled);
        return;
    }
    BlankCheckResult result = BlankCheckResult::Failed;
    if (s.enterProgramming())
        result = BlankCheck(s).run();
    else if (s.cancelled())
        result = BlankCheckResult::Cancelled;
    switch (result) {
    case BlankCheckResult::Failed:
        s.failureExit();
        return;
    case BlankCheckResult::Cancelled:
        s.cancelExit();
        return;
    case BlankCheckResult::Blank:
        s.normalEnding(texts::kDeviceIsBlank, OperationOutcome::Completed);
        return;
    case BlankCheckResult::NotBlank:
        s.normalEnding(texts::kDeviceIsNotBlank, OperationOutcome::Differences);
        return;
    }
}

} // namespace velmora
