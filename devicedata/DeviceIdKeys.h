#pragma once
// The optional DeviceID and DeviceIDMask keys of a Devices.ini section, and what a
// device ID read from a chip says about a record.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "devicedata/DeviceRecord.h"
#include "devicedata/IniFile.h"

namespace velmora {

inline constexpr std::string_view kDeviceIdKey = "DeviceID";
inline constexpr std::string_view kDeviceIdMaskKey = "DeviceIDMask";
inline constexpr std::uint16_t kDefaultDeviceIdMask = 0xFFE0;

// The integer syntax of Devices.ini, limited to 0..FFFFh; empty for anything else.
std::optional<std::uint16_t> ParseDeviceIdValue(std::string_view text);

// Fills deviceId and deviceIdMask; a key that is missing or does not parse keeps
// the record's default (no ID, mask FFE0h).
void ReadDeviceIdKeys(const IniFile& ini, const std::string& section, DeviceRecord& record);

// True when the record has a DeviceID and the raw ID names it under its mask.
bool MatchesDeviceId(const DeviceRecord& record, std::uint16_t rawId);

// The bits of the raw ID outside the record's mask.
std::uint16_t DeviceRevision(const DeviceRecord& record, std::uint16_t rawId);

} // namespace velmora
