#include "engine/DeviceIdOperation.h"

namespace velmora {

void DeviceIdOperation::run()
{
    s.open();
    s.post.clearDisplays();
    if (s.cancelRequested()) {
        s.finish(OperationOutcome::Cancelled);
        return;
    }
    std::uint16_t rawId = 0;
    if (!s.raiseVpp() || !s.readDeviceId(rawId)) {
        if (s.cancelled())
            s.cancelExit();
        else
            s.failureExit();
        return;
    }
    if (!s.switchOff()) {
        s.endAfterSwitchOffFailure();
        return;
    }
    s.image.deviceId[0] = static_cast<std::uint8_t>(rawId);
    s.image.deviceId[1] = static_cast<std::uint8_t>(rawId >> 8);
    s.finish(s.cancelRequested() ? OperationOutcome::Cancelled : OperationOutcome::Completed);
    s.post.closeWindow();
}

} // namespace velmora
