#include "engine/DeviceIdProbe.h"

#include "engine/IcspSession.h"
#include "engine/PostingBlock.h"

namespace velmora {

DeviceIdProbe ProbeDeviceId(TPICPr& engine)
{
    PostingBlock nowhere;
    IcspSession session(engine, nowhere);
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    const bool read = session.raiseVpp() && session.startTableRead(kDeviceIdAddress)
        && session.readFlashByte(false, low) && session.readFlashByte(true, high);
    // Vpp goes off on every path, also after a failed step.
    const bool off = session.switchOff();
    if (!read || !off)
        return {std::nullopt, session.interruption().message};
    return {static_cast<std::uint16_t>(high << 8 | low), {}};
}

} // namespace velmora
