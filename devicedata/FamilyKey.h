#pragma once
// The optional Family key of a Devices.ini section, and what a family's parts allow.

#include <cstdint>
#include <string>
#include <string_view>

#include "devicedata/DeviceRecord.h"
#include "devicedata/IniFile.h"

namespace velmora {

inline constexpr std::string_view kFamilyKey = "Family";

// The sizes one part of a family has, from Microchip's programming guide for the family.
struct FamilyPartSizes {
    ProgrammingFamily family;
    std::int32_t programMemorySize;
    std::int32_t eepromSize;
    std::int32_t writeBufferSize;
};

// Sets the record's family; call after its integer keys are read. Without the key the
// device is classic. A value that names no family (the device stays classic), or a
// section whose keys contradict its family (WriteStrategy 2, Config 3, the sizes of one
// of its parts, LongEEAddr on EEPROM above 256 bytes), says why in familyProblem: such
// a device must not be programmed at all, since no family's steps are known to fit it.
void ReadFamilyKey(const IniFile& ini, const std::string& section, DeviceRecord& record);

} // namespace velmora
