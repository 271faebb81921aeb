#pragma once
// One simulated chip type: what the silicon is, written from Microchip's programming
// guides and data sheets (never from the program's Devices.ini, which is what
// the user believes).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "sim/ChipFamily.h"

namespace velmora::sim {

inline constexpr int kConfigByteCount = 14;   // CONFIG1L..CONFIG7H at 300000h
inline constexpr int kIdByteCount = 8;        // 200000h..200007h
// The J parts' configuration words: the last 8 bytes of flash, read back through the
// volatile copies at 300000h..300007h.
inline constexpr int kFlashConfigByteCount = 8;

using ConfigBytes = std::array<std::uint8_t, kConfigByteCount>;

struct ChipModel {
    std::string_view name;            // "PIC18F452"
    ChipFamily family;
    std::uint32_t programMemorySize;  // bytes
    std::uint32_t eepromSize;         // bytes, 0 when the chip has no data EEPROM
    std::uint32_t writeBufferSize;    // bytes per holding buffer (per panel in the older family)
    std::uint16_t deviceId;           // DEVID2:DEVID1 with the revision bits clear
    std::uint32_t bootBlockSize;      // bytes from 000000h covered by CPB/WRTB/EBTRB
    ConfigBytes configMask;           // implemented configuration bits
    std::string_view source;          // the documents the row rests on
    // DS39687E's J11 and J50: the longer bulk erase (P11 524 ms) and row erase (P10 54 ms).
    bool longErase = false;

    // One CPn bit per code block in CONFIG5L; the blocks split program memory evenly.
    // The J parts' single CP0 covers the whole array as one block.
    int codeBlockCount() const;
    std::uint32_t codeBlockSize() const;
    // The configuration registers at 300000h: 14, or the J parts' 8.
    int configRegisterCount() const;
    // Where a J part's configuration words start in flash: the last 8 bytes.
    std::uint32_t flashConfigAddress() const { return programMemorySize - kFlashConfigByteCount; }
};

std::span<const ChipModel> chipModels();

// CONFIG4L bit 2 on every chip of the table but the J parts, which have no LVP bit: 1 lets the chip enter program/verify mode
// with MCLR at VDD (after PGM rose, or after the entry key on the K22).
inline constexpr int kConfig4L = 6;
inline constexpr std::uint8_t kLvpBit = 0x04;

// Whether the chip has a PGM pin (RB5, RC3 on the 1XK22) and an LVP bit; low-voltage
// entry needs the bit and either the pin or the entry key (hasKeyEntry).
bool hasPgmPin(ChipFamily family);
bool hasLvpBit(const ChipModel& model);

// Case-insensitive; nullptr for a name the table does not hold.
const ChipModel* findChipModel(std::string_view name);

inline constexpr std::string_view kDefaultChipName = "PIC18F452";

} // namespace velmora::sim
