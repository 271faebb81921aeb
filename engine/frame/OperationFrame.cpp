#include "engine/frame/OperationFrame.h"

#include "engine/EngineTexts.h"
#include "signalling/PinDriver.h"

namespace velmora {

namespace {
constexpr std::uint32_t kPhasePauseUnits = 60000;   // 300 ms between phases
} // namespace

OperationFrame::OperationFrame(RunnerControl& runner, PostingBlock& posting)
    : runner_(runner)
    , post_(posting)
{
}

bool OperationFrame::fail(std::string message)
{
    interruption_.kind = Interruption::Kind::Failure;
    interruption_.message = std::move(message);
    return false;
}

bool OperationFrame::check()
{
    if (!cancelRequested())
        return true;
    interruption_.kind = Interruption::Kind::Cancel;
    return false;
}

bool OperationFrame::opened()
{
    runner_.operationOpened();
    post_.invalidate();
    post_.clearDisplays();
    if (!cancelRequested())
        return true;
    finish(OperationOutcome::Cancelled);
    return false;
}

void OperationFrame::finish(OperationOutcome outcome)
{
    // Normally switching off has sent everything already; a failed send has nothing
    // left to report that the outcome does not.
    currentPinDriver().endSession();
    runner_.operationEnded(outcome);
}

bool OperationFrame::wait300ms()
{
    return pause(kPhasePauseUnits);
}

bool OperationFrame::pause(std::uint32_t units)
{
    return currentPinDriver().delay(units) || fail(texts::kFaultDelay);
}

void OperationFrame::startArea(const char* action)
{
    post_.postAction({});
    post_.postProgress(0);
    post_.postAction(action);
}

void OperationFrame::clearAreaDisplays()
{
    post_.postProcessText({});
    post_.clearAddress();
}

bool OperationFrame::endArea()
{
    clearAreaDisplays();
    return wait300ms() && check();
}

bool OperationFrame::raiseVpp()
{
    post_.postProcessText(texts::kTurnOnVpp);
    if (!mode_->enter() || !check() || !wait300ms())
        return false;
    post_.postProcessText({});
    return check();
}

bool OperationFrame::switchOff()
{
    post_.clearDisplays();
    post_.postProcessText(texts::kTurnOffVpp);
    return mode_->leave() && wait300ms();
}

} // namespace velmora
