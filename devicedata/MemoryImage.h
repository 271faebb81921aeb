#pragma once
// The program's one in-memory copy of a chip: fixed buffers sized for the largest
// device the database admits, so selecting a device or loading a file never allocates.

#include <cstdint>
#include <string>

#include "DeviceRecord.h"

namespace velmora {

using Address = std::uint32_t;

inline constexpr Address kProgramMemoryCapacity = 0x100000;
inline constexpr Address kEepromCapacity = 0x10000;
inline constexpr int kIdCount = 8;
inline constexpr int kConfigCount = 14;
inline constexpr int kDeviceIdCount = 2;
inline constexpr std::uint8_t kBlank = 0xFF;

inline constexpr Address kIdAddress = 0x200000;
inline constexpr Address kConfigAddress = 0x300000;
inline constexpr Address kDeviceIdAddress = 0x3FFFFE;
inline constexpr Address kHexEepromAddress = 0xF00000;

// Field order and sizes are part of the design: this is one contiguous record.
struct MemoryImage {
    std::uint32_t programMemorySize;
    std::uint32_t eepromSize;
    std::uint8_t programMemory[kProgramMemoryCapacity];
    std::uint8_t eeprom[kEepromCapacity];
    std::uint8_t ids[kIdCount];
    std::uint8_t config[kConfigCount];
    std::uint8_t configMask[kConfigCount];
    std::uint8_t configSetMask[kConfigCount];
    std::uint8_t deviceId[kDeviceIdCount];
};

} // namespace velmora
