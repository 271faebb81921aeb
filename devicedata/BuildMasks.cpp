#include "devicedata/BuildMasks.h"

#include <algorithm>
#include <optional>

#include "devicedata/BuiltInMasks.h"
#include "devicedata/IniMasks.h"

namespace velmora {

namespace {

std::optional<ConfigMasks> masksFor(const SelectedDevice& device, const std::string& devicesIniPath,
                                    UserMessages* messages)
{
    switch (static_cast<ConfigType>(device.configType)) {
    case ConfigType::BuiltInTable1:
        return Type1Masks(device);
    case ConfigType::BuiltInTable2:
        return Type2Masks(device);
    case ConfigType::FromDevicesIni:
        return Type3Masks(devicesIniPath, device.name, messages);
    }
    return std::nullopt;
}

} // namespace

bool BuildMasks(const SelectedDevice& device, const std::string& devicesIniPath,
                UserMessages* messages, MemoryImage& image)
{
    const std::optional<ConfigMasks> masks = masksFor(device, devicesIniPath, messages);
    if (!masks)
        return false;
    std::copy(masks->mask.begin(), masks->mask.end(), image.configMask);
    std::copy(masks->setMask.begin(), masks->setMask.end(), image.configSetMask);
    return true;
}

} // namespace velmora
