#pragma once
// The configuration mask and set mask of a device: which configuration bits the
// user controls and which are forced to 1. Effective value of byte i:
// (value AND mask[i]) OR setMask[i].

#include <array>
#include <cstdint>

#include "devicedata/MemoryImage.h"

namespace velmora {

using ConfigBlock = std::array<std::uint8_t, kConfigCount>;

struct ConfigMasks {
    ConfigBlock mask{};
    ConfigBlock setMask{};
};

// Index of each configuration byte, 0x300000 + index.
enum ConfigByte : std::uint8_t {
    CONFIG1L, CONFIG1H, CONFIG2L, CONFIG2H, CONFIG3L, CONFIG3H, CONFIG4L,
    CONFIG4H, CONFIG5L, CONFIG5H, CONFIG6L, CONFIG6H, CONFIG7L, CONFIG7H,
};

// The `Config` key: which mask source and configuration editor a device uses.
enum class ConfigType : std::int32_t {
    BuiltInTable1 = 1,
    BuiltInTable2 = 2,
    FromDevicesIni = 3,
};

// (value AND mask) OR set mask, the value a configuration byte takes on the chip.
inline std::uint8_t EffectiveConfigValue(std::uint8_t value, std::uint8_t mask, std::uint8_t setMask)
{
    return static_cast<std::uint8_t>((value & mask) | setMask);
}

// LVP, the low-voltage ICSP enable, in all three configuration types: CONFIG4L bit 2.
inline constexpr std::uint8_t kLvpBit = 0x04;

// True when writing this image's configuration would clear an LVP bit the device's mask
// implements: the chip then enters program mode only with high voltage on MCLR.
inline bool TurnsLvpOff(const MemoryImage& image)
{
    return (image.configMask[CONFIG4L] & kLvpBit) != 0
        && (EffectiveConfigValue(image.config[CONFIG4L], image.configMask[CONFIG4L], image.configSetMask[CONFIG4L])
            & kLvpBit) == 0;
}

} // namespace velmora
