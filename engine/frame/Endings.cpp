#include "engine/frame/Endings.h"

namespace velmora {

namespace {
class NoHooks final : public EndingHooks {};
NoHooks noHooks;
} // namespace

Endings::Endings(OperationFrame& frame)
    : Endings(frame, noHooks)
{
}

Endings::Endings(OperationFrame& frame, EndingHooks& hooks)
    : frame_(frame)
    , hooks_(hooks)
{
}

void Endings::interrupted()
{
    if (frame_.cancelled())
        cancel();
    else
        failure();
}

void Endings::failure()
{
    const bool discard = !frame_.interruption().keepImage;
    if (discard)
        hooks_.discardImage();
    frame_.post().showError(frame_.interruption().message);
    if (!frame_.switchOff()) {
        afterSwitchOffFailure(discard);
        return;
    }
    hooks_.afterSwitchOff();
    frame_.finish(OperationOutcome::Failed);
    frame_.post().closeWindow();
}

void Endings::cancel()
{
    if (!switchedOff())
        return;
    hooks_.afterSwitchOff();
    hooks_.discardImage();
    frame_.finish(OperationOutcome::Cancelled);
}

void Endings::normal(const std::string& report, OperationOutcome outcome)
{
    if (!switchedOff())
        return;
    hooks_.afterSwitchOff();
    if (frame_.cancelRequested()) {
        hooks_.beforeOutcome();
        frame_.finish(OperationOutcome::Cancelled);
        return;
    }
    frame_.post().clearAddress();
    frame_.post().clearDisplays();
    if (frame_.cancelRequested()) {
        hooks_.beforeOutcome();
        frame_.finish(OperationOutcome::Cancelled);
        return;
    }
    hooks_.beforeOutcome();
    frame_.finish(outcome);
    frame_.post().hideWindow();
    frame_.post().showInformation(report);
    frame_.post().closeWindow();
}

bool Endings::switchedOff()
{
    if (frame_.switchOff())
        return true;
    afterSwitchOffFailure();
    return false;
}

void Endings::afterSwitchOffFailure(bool discard)
{
    if (discard)
        hooks_.discardImage();
    frame_.post().showError(frame_.interruption().message);
    frame_.finish(OperationOutcome::Failed);
    frame_.post().closeWindow();
}

} // namespace velmora
