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

// The integer syntax of Devices.ini, limited to 0..FFFFh; empty for anything else.
std::optional<std::uint16_t> ParseDeviceIdValue(std::string_view text);

// Sets the record's device-ID state. Values are the whole rest of their line, as a
// profile-string lookup returns them, so "0x0420 ; PIC18F452" is no number. Without
// a DeviceID the state is absent; a DeviceID is usable only when it and any
// DeviceIDMask parse, the mask covers the device bits and the device bits are
// neither all 0 nor all 1 (a silent data line reads so). Either key written with
// blanks, "_" or "-" in its name makes the ID unusable, never absent.
void ReadDeviceIdKeys(const IniFile& ini, const std::string& section, DeviceRecord& record);

// True when the record's ID is usable and the raw ID names it under its mask.
bool MatchesDeviceId(const DeviceRecord& record, std::uint16_t rawId);

// The bits of the raw ID outside the record's mask.
std::uint16_t DeviceRevision(const DeviceRecord& record, std::uint16_t rawId);

} // namespace velmora
