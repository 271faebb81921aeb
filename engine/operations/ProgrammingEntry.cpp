#include "engine/operations/ProgrammingEntry.h"

#include <array>
#include <span>

#include "engine/EngineTexts.h"

namespace velmora {

bool enterProgramming(const OperationContext& c)
{
    if (!c.frame.raiseVpp())
        return false;
    if (!c.deviceIdCheck)
        return true;
    std::uint16_t rawId = 0;
    if (!readDeviceId(c, rawId))
        return false;
    const std::string refusal = c.deviceIdCheck(rawId);
    c.post().postProcessText({});
    return refusal.empty() || c.frame.fail(refusal);
}

bool readDeviceId(const OperationContext& c, std::uint16_t& rawId)
{
    // Each command is a check point: on a slow port one command takes long enough
    // for a cancel to be felt.
    c.post().postProcessText(texts::kWriteInstruction);
    if (!c.icsp.setTablePointerChecked(kDeviceIdAddress))
        return false;
    c.post().postProcessText(texts::kReadByte);
    std::array<std::uint8_t, 2> id{};
    if (!c.frame.check() || !c.icsp.readBlock(std::span(id).first(1), false) || !c.frame.check()
        || !c.icsp.readBlock(std::span(id).last(1), true))
        return false;
    rawId = static_cast<std::uint16_t>(id[1] << 8 | id[0]);
    return true;
}

} // namespace velmora
