#include "devicedata/IniMasks.h"

#include "devicedata/DeviceDataMessages.h"
#include "devicedata/IniFile.h"
#include "devicedata/ParseMaskBytes.h"

namespace velmora {

namespace {

void report(UserMessages* messages, const std::string& text)
{
    if (messages != nullptr)
        showError(*messages, text);
}

} // namespace

ConfigMasks Type3Masks(const std::string& devicesIniPath, const std::string& deviceName,
                       UserMessages* messages)
{
    ConfigMasks masks;
    IniFile ini;
    if (FileReadFailed(ini.load(devicesIniPath))) {
        report(messages, std::string(kIniLoadErrorMessage));
        return masks;
    }
    if (!ParseMaskBytes(ini.getString(deviceName, "Mask", ""), masks.mask))
        report(messages, InvalidMaskMessage(deviceName));
    if (!ParseMaskBytes(ini.getString(deviceName, "SetMask", ""), masks.setMask))
        report(messages, InvalidSetMaskMessage(deviceName));
    return masks;
}

} // namespace velmora
