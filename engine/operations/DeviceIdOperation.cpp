#include "engine/operations/DeviceIdOperation.h"

#include "engine/frame/Endings.h"
#include "engine/operations/ProgrammingEntry.h"

namespace velmora {

void DeviceIdOperation::run()
{
    if (!s.frame.opened())
        return;
    std::uint16_t rawId = 0;
    if (!s.frame.raiseVpp() || !readDeviceId(s, rawId)) {
        Endings(s.frame).interrupted();
        return;
    }
    if (!Endings(s.frame).switchedOff())
        return;
    s.image().deviceId[0] = static_cast<std::uint8_t>(rawId);
    s.image().deviceId[1] = static_cast<std::uint8_t>(rawId >> 8);
    s.frame.finish(s.frame.cancelRequested() ? OperationOutcome::Cancelled : OperationOutcome::Completed);
    s.post().closeWindow();
}

} // namespace velmora
