#include "devicedata/DeviceIdKeys.h"

#include <limits>

#include "devicedata/IntegerText.h"

namespace velmora {

namespace {
constexpr std::int32_t kLargestId = std::numeric_limits<std::uint16_t>::max();
} // namespace

std::optional<std::uint16_t> ParseDeviceIdValue(std::string_view text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value > kLargestId)
        return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

void ReadDeviceIdKeys(const IniFile& ini, const std::string& section, DeviceRecord& record)
{
    record.deviceId = ParseDeviceIdValue(ini.getString(section, kDeviceIdKey, ""));
    record.deviceIdMask =
        ParseDeviceIdValue(ini.getString(section, kDeviceIdMaskKey, "")).value_or(kDefaultDeviceIdMask);
}

bool MatchesDeviceId(const DeviceRecord& record, std::uint16_t rawId)
{
    return record.deviceId && (rawId & record.deviceIdMask) == (*record.deviceId & record.deviceIdMask);
}

std::uint16_t DeviceRevision(const DeviceRecord& record, std::uint16_t rawId)
{
    return static_cast<std::uint16_t>(rawId & ~record.deviceIdMask);
}

} // namespace velmora
