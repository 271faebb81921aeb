#pragma once
// Texts the device data model shows to the user, exactly as the user sees them.

#include <cstdint>
#include <string>
#include <string_view>

#include <span>
#include <vector>

#include "devicedata/DeviceRecord.h"
#include "devicedata/FamilyKey.h"

namespace velmora {

inline constexpr std::string_view kIniLoadErrorMessage = "INI load error";

inline constexpr std::string_view kZeroDevicesMessage =
    "Program has information about zero devices.\r\n"
    "Information about devices must be at Devices.ini file.\r\n"
    "Menu \"Device\" will not be available.";

// Shown at start-up when LoadDeviceList fails.
std::string DeviceListLoadFailedMessage();

// The detail after DeviceListLoadFailedMessage for a section whose sizes are out of range.
std::string DeviceSizesProblem(std::size_t line, const DeviceRecord& record);

// Why a section's device-ID keys cannot name its chip (the record's deviceIdProblem).
// A device ID or mask as every message writes it: "0x0420".
std::string DeviceIdText(std::uint16_t id);
std::string DeviceIdNotANumberProblem(std::string_view key, const std::string& value);
std::string DeviceIdMaskTooNarrowProblem(const std::string& value, std::uint16_t deviceBits);
std::string DeviceIdSilentProblem(const std::string& value);
std::string DeviceIdKeyMisspeltProblem(const std::string& written, std::string_view key);

// Why a section's Family key cannot steer its device (the record's familyProblem).
std::string FamilyUnknownProblem(const std::string& value, const std::vector<std::string_view>& known);
std::string FamilyNeedsProblem(std::string_view family, std::string_view key, std::int32_t value);
std::string FamilySizesProblem(const DeviceRecord& record, std::span<const FamilyPartSizes> parts);
std::string FamilyLongEEAddrProblem(std::string_view family, std::int32_t eepromSize, bool longAddresses);

// Shown when a type-3 device's Mask or SetMask key is missing or malformed.
std::string InvalidMaskMessage(const std::string& deviceName);
std::string InvalidSetMaskMessage(const std::string& deviceName);

} // namespace velmora
