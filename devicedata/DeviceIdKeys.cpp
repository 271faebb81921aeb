#include "devicedata/DeviceIdKeys.h"

#include <limits>
#include <vector>

#include "devicedata/DeviceDataMessages.h"
#include "devicedata/IniSyntax.h"
#include "devicedata/IntegerText.h"

namespace velmora {

namespace {

constexpr std::int32_t kLargestId = std::numeric_limits<std::uint16_t>::max();

// A key name without case, blanks, "_" and "-": what its writer most likely meant.
std::string looseName(std::string_view key)
{
    std::string name;
    for (const char c : key) {
        if (c != ' ' && c != '\t' && c != '_' && c != '-')
            name += IniLowerCase(c);
    }
    return name;
}

// A key of the section written loosely for `key` ("Device ID" for DeviceID); empty when none.
std::string looseSpelling(const IniFile& ini, const std::string& section, std::string_view key)
{
    const std::string wanted = looseName(key);
    for (const std::string& name : ini.keyNames(section)) {
        if (looseName(name) == wanted)
            return name;
    }
    return {};
}

void markUnusable(DeviceRecord& record, std::string_view key, std::string problem)
{
    record.deviceIdState = DeviceIdState::Unusable;
    record.deviceIdProblemKey = IniLowerCased(key);
    record.deviceIdProblem = std::move(problem);
}

// The mask the section gives, or empty after marking the record unusable.
std::optional<std::uint16_t> readMask(const IniFile& ini, const std::string& section, DeviceRecord& record)
{
    if (!ini.hasKey(section, kDeviceIdMaskKey)) {
        const std::string loose = looseSpelling(ini, section, kDeviceIdMaskKey);
        if (loose.empty())
            return kDeviceIdDeviceBits;
        markUnusable(record, loose, DeviceIdKeyMisspeltProblem(loose, kDeviceIdMaskKey));
        return std::nullopt;
    }
    const std::string text = ini.getString(section, kDeviceIdMaskKey, "");
    const auto mask = ParseDeviceIdValue(text);
    if (!mask)
        markUnusable(record, kDeviceIdMaskKey, DeviceIdNotANumberProblem(kDeviceIdMaskKey, text));
    else if ((*mask & kDeviceIdDeviceBits) != kDeviceIdDeviceBits)
        markUnusable(record, kDeviceIdMaskKey, DeviceIdMaskTooNarrowProblem(text, kDeviceIdDeviceBits));
    else
        return mask;
    return std::nullopt;
}

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
    record.deviceIdState = DeviceIdState::Absent;
    if (!ini.hasKey(section, kDeviceIdKey)) {
        const std::string loose = looseSpelling(ini, section, kDeviceIdKey);
        if (!loose.empty())
            markUnusable(record, loose, DeviceIdKeyMisspeltProblem(loose, kDeviceIdKey));
        return;
    }
    const std::string text = ini.getString(section, kDeviceIdKey, "");
    const auto id = ParseDeviceIdValue(text);
    if (!id) {
        markUnusable(record, kDeviceIdKey, DeviceIdNotANumberProblem(kDeviceIdKey, text));
        return;
    }
    const auto mask = readMask(ini, section, record);
    if (!mask)
        return;
    const std::uint16_t deviceBits = *id & kDeviceIdDeviceBits;
    if (deviceBits == 0 || deviceBits == kDeviceIdDeviceBits) {
        markUnusable(record, kDeviceIdKey, DeviceIdSilentProblem(text));
        return;
    }
    record.deviceIdState = DeviceIdState::Usable;
    record.deviceId = *id;
    record.deviceIdMask = *mask;
}

bool MatchesDeviceId(const DeviceRecord& record, std::uint16_t rawId)
{
    return record.deviceIdState == DeviceIdState::Usable
        && (rawId & record.deviceIdMask) == (record.deviceId & record.deviceIdMask);
}

std::uint16_t DeviceRevision(const DeviceRecord& record, std::uint16_t rawId)
{
    return static_cast<std::uint16_t>(rawId & ~record.deviceIdMask);
}

} // namespace velmora
