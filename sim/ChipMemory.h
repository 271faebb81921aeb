#pragma once
// The cells of one simulated chip and the rules the silicon applies to them: flash
// that only clears bits when programmed, configuration bits with their protection,
// code-protected blocks reading 0, unimplemented bits reading 0.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/AddressMap.h"
#include "sim/ChipModel.h"
#include "sim/FaultSet.h"

namespace velmora::sim {

// What one erase clears. Erasing an area also releases its protection bits.
struct EraseSelection {
    bool bootBlock = false;
    std::uint16_t codeBlocks = 0;    // bit n: code block n
    bool eeprom = false;
    bool ids = false;
    bool configuration = false;      // every configuration byte back to its erased state
    bool protectionBits = false;     // only the CP/WRT/EBTR bits back to 1

    bool empty() const
    {
        return !bootBlock && codeBlocks == 0 && !eeprom && !ids && !configuration && !protectionBits;
    }
};

class ChipMemory {
public:
    ChipMemory(const ChipModel& model, const FaultSet& faults);

    const ChipModel& model() const { return model_; }

    // The cells as stored, without protection or faults (tests, the image file).
    std::span<std::uint8_t> programMemory() { return programMemory_; }
    std::span<const std::uint8_t> programMemory() const { return programMemory_; }
    std::span<std::uint8_t> eeprom() { return eeprom_; }
    std::span<const std::uint8_t> eeprom() const { return eeprom_; }
    std::array<std::uint8_t, kIdByteCount>& ids() { return ids_; }
    const std::array<std::uint8_t, kIdByteCount>& ids() const { return ids_; }
    const ConfigBytes& config() const { return config_; }
    // Stores the byte as the chip holds it: unimplemented bits read 0.
    void setConfigByte(int index, std::uint8_t value);
    // DEVID1 (index 0, with the revision bits) and DEVID2 (index 1).
    std::uint8_t deviceIdByte(int index) const;

    // A chip as it leaves the factory: every area erased.
    void eraseEverything();
    // What a reset does on the J parts: the configuration registers at 300000h take the
    // last 8 bytes of flash (unimplemented bits 0). Nothing on the other chips.
    void loadConfigFromFlash();
    // How often a code byte was programmed (with a value other than FFh) since it was
    // last erased; a byte loaded from an image file counts once when it is not FFh.
    int timesProgrammed(std::uint32_t address) const;

    AddressSpace spaceOf(std::uint32_t address) const;

    // What a table read through the programming interface returns.
    std::uint8_t readTable(std::uint32_t address) const;
    // What an EEPROM read through EEDATA returns.
    std::uint8_t readEeprom(std::uint32_t cell) const;

    // Whether the chip refuses to program this code, ID or configuration address.
    bool isWriteProtected(std::uint32_t address) const;
    bool isEepromWriteProtected() const;
    // True when a code-protect bit covers the block holding this code address.
    bool isCodeProtected(std::uint32_t address) const;
    // True when any CPn bit is programmed (the boot block's CPB aside).
    bool anyCodeBlockProtected() const;

    // Code and ID cells: programming only clears bits; FFh leaves a cell as it is.
    void programFlashByte(std::uint32_t address, std::uint8_t value);
    // Configuration bytes rewrite freely, except that protection bits only go 1 -> 0.
    void programConfigByte(int index, std::uint8_t value);
    // EEPROM cells erase themselves before each write.
    void writeEepromCell(std::uint32_t cell, std::uint8_t value);

    void erase(const EraseSelection& selection);
    // The aligned row holding `address` back to FFh (code memory only).
    void eraseRow(std::uint32_t address, std::uint32_t rowSize);

    // Image-file access in the HEX address map; false for an address the chip lacks.
    bool storeImageByte(std::uint32_t hexAddress, std::uint8_t value);

private:
    bool protectionOn(int configIndex, std::uint8_t bit) const;
    void releaseProtection(int configIndex, std::uint8_t bits);
    void eraseCode(std::uint32_t begin, std::uint32_t end);
    std::uint8_t withStuckBit(std::uint32_t hexAddress, std::uint8_t value) const;

    const ChipModel& model_;
    const FaultSet& faults_;
    std::vector<std::uint8_t> programMemory_;
    std::vector<std::uint8_t> timesProgrammed_;
    std::vector<std::uint8_t> eeprom_;
    std::array<std::uint8_t, kIdByteCount> ids_ {};
    ConfigBytes config_ {};
};

} // namespace velmora::sim
