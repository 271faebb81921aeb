#pragma once
// What each write strategy sends, family by family: its erase keys and waits, its
// program-memory method, the preparations before the ID and configuration writes, the
// write enable, the EEPROM write's start and the key-sequence entry's waits. One row
// per strategy and programming family; a pair without a row gets the rules of no
// strategy at all. A further family is one more row.

#include <cstdint>
#include <optional>
#include <span>

#include "devicedata/DeviceRecord.h"
#include "devicedata/MemoryImage.h"
#include "devicedata/ProgrammingFamily.h"
#include "devicedata/WriteStrategy.h"
#include "signalling/HW_Cntrl.h"

namespace velmora {

enum class ProgramMemoryMethod { MultiPanel, SinglePanel, Buffer, None };

// One table write of an erase: key to controlAddress after a table-pointer set-up.
struct EraseKey {
    Address controlAddress;
    std::uint16_t key;
};

// A member left out of a row takes the classic parts' value.
struct WriteStrategyRules {
    WriteStrategy strategy{};
    ProgrammingFamily family = ProgrammingFamily::Classic;
    // Table writes before the erase NOP; none means the device is not erased.
    std::span<const EraseKey> eraseKeys;
    EraseWaits eraseWaits = kClassicEraseWaits;
    // The ID row erased on its own after the chip erase, where the chip erase spares it.
    bool eraseIdRowApart = false;
    ProgramMemoryMethod method = ProgramMemoryMethod::None;            // with MultiPanelWrite off
    ProgramMemoryMethod multiPanelMethod = ProgramMemoryMethod::None;  // with MultiPanelWrite on
    // Single-panel writes (00h to 3C0006h) before the IDs and the configuration.
    bool singlePanelBeforeIdsAndConfig = false;
    // GOTO 100000h before each configuration word, out of the code-protected blocks.
    bool gotoBeforeConfigWords = false;
    // BSF/BCF of EECON1's EEPGD and CFGS to choose code memory before a write.
    bool selectsMemorySpace = true;
    // BSF EECON1,WREN before code, ID and configuration writes.
    bool writeEnableBeforeWrites = false;
    WriteWaits codeWaits = kClassicWriteWaits;         // program-memory writes
    WriteWaits idAndConfigWaits = kClassicWriteWaits;  // ID and configuration writes
    // The EEPROM write: the 55h/AAh to EECON2 before WR, and the NOPs after BSF WR
    // (the same NOPs start a self-timed row erase): on the classic parts the write
    // starts on the fourth clock of the one NOP.
    bool eepromUnlock = true;
    int nopsAfterWriteStart = 1;
    // The waits of the key-sequence entry, where the family has one.
    std::optional<KeyEntryWaits> keyEntryWaits;

    ProgramMemoryMethod methodFor(bool multiPanelWrite) const
    {
        return multiPanelWrite ? multiPanelMethod : method;
    }
};

const WriteStrategyRules& rulesFor(WriteStrategy strategy, ProgrammingFamily family);
const WriteStrategyRules& rulesFor(const SelectedDevice& device);
// Whether the table has a row for the strategy in that family.
bool isKnownStrategy(WriteStrategy strategy, ProgrammingFamily family);

} // namespace velmora
