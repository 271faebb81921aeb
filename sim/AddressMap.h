#pragma once
// The PIC18 table-read address space as the chip decodes it, and the HEX-file
// address of the data EEPROM.

#include <cstdint>

namespace velmora::sim {

inline constexpr std::uint32_t kIdAddress = 0x200000;
inline constexpr std::uint32_t kConfigAddress = 0x300000;
inline constexpr std::uint32_t kEraseKeyLowAddress = 0x3C0004;
inline constexpr std::uint32_t kEraseKeyHighAddress = 0x3C0005;
inline constexpr std::uint32_t kPanelControlAddress = 0x3C0006;
inline constexpr std::uint32_t kDeviceIdAddress = 0x3FFFFE;
inline constexpr std::uint32_t kTablePointerMask = 0x3FFFFF;   // TBLPTR is 22 bits
inline constexpr std::uint32_t kHexEepromAddress = 0xF00000;

enum class AddressSpace {
    Code,               // implemented program memory
    UnimplementedCode,  // above program memory, below the IDs: reads 0
    Ids,
    Config,
    Registers,          // 3C0004h..3C0006h: erase keys, panel control
    DeviceId,
    Other,              // anything else: reads 0, not writable
};

} // namespace velmora::sim
