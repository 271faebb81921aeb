#include "devicedata/IdentifyChip.h"

#include "devicedata/DeviceIdKeys.h"
#include "devicedata/KnownIdFamilies.h"

namespace velmora {

ChipIdentity IdentifyChip(DeviceList& devices, std::uint16_t rawId)
{
    ChipIdentity chip;
    chip.rawId = rawId;
    chip.revision = static_cast<std::uint16_t>(rawId & ~kDeviceIdDeviceBits);
    if (rawId == kSilentLowId || rawId == kSilentHighId)
        return chip;
    devices.MoveTo(0);
    for (std::int32_t i = 0; i < devices.Count(); ++i) {
        const DeviceRecord record = devices.CopyCurrentAndAdvance();
        if (!MatchesDeviceId(record, rawId))
            continue;
        if (chip.names.empty())
            chip.revision = DeviceRevision(record, rawId);
        chip.names.push_back(record.name);
    }
    if (!chip.names.empty()) {
        chip.kind = ChipIdentity::Kind::Named;
        return chip;
    }
    chip.family = KnownIdFamily(static_cast<std::uint8_t>(rawId >> 8));
    if (!chip.family.empty())
        chip.kind = ChipIdentity::Kind::UnnamedInFamily;
    return chip;
}

} // namespace velmora
