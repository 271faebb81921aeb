#pragma once
// Builds the device list from Devices.ini.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "devicedata/DeviceList.h"
#include "devicedata/IniFile.h"

namespace velmora {

// One record per section header, in file order, with its keys' values. False,
// with the list left empty, when the file cannot be read or any section's
// ProgMemSize is 0, unparsable or above 1,048,576 or its EEPROMDataMemSize above
// 65,536 (both compared unsigned, so negative sizes are too large). On success
// the cursor is on the first record. A file without headers loads as an empty list.
// A value is the whole rest of its line, as GetPrivateProfileStringA returns it, so a
// "; comment" behind a number makes it no number: a size then fails the load, an
// optional key takes its default. Device-ID keys that cannot name the chip fail
// nothing here: the record carries that (DeviceIdState), for the front ends that
// check IDs to refuse.
// On false, `problem` (when given) says why: the file's path and what stopped the
// read, or the path, line and name of the first section with sizes out of range.
bool LoadDeviceList(DeviceList& list, const std::filesystem::path& path, std::string* problem = nullptr);

// The same from the file's contents already in memory; `problem` then starts at "line".
bool BuildDeviceList(DeviceList& list, std::string_view text, std::string* problem = nullptr);

// The pieces of the load, for tools that report on a database line by line.
// The device name of a header line: a "[" before any "=" or "]", and a "]" later;
// anything around the brackets is ignored, so a header behind ";" still counts.
// Empty for a line that is no header.
std::string_view DeviceHeaderName(std::string_view line);
// An integer or yes/no key of a section and the record field it fills. A missing or
// unparsable value leaves the field's default; a yes/no key is 0 or any other number.
struct DeviceIntegerKey {
    std::string_view name;
    std::int32_t (*field)(const DeviceRecord& record);
    void (*setField)(DeviceRecord& record, std::int32_t value);
};
// Every one, in the order the loader reads them.
std::span<const DeviceIntegerKey> DeviceIntegerKeys();
// One record with every key's value or default, looked up under name.
DeviceRecord ReadDeviceRecord(const IniFile& ini, const std::string& name);
// The load's size rule: ProgMemSize 1..1,048,576 and EEPROMDataMemSize at most
// 65,536, both compared unsigned.
bool DeviceSizesFit(const DeviceRecord& record);

} // namespace velmora
