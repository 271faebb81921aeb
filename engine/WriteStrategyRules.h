#pragma once
// What each write strategy sends: its erase keys, its program-memory method and the
// preparations before the ID and configuration writes. One entry per strategy; a
// value without an entry gets the rules of no strategy at all.

#include <cstdint>
#include <span>

#include "devicedata/MemoryImage.h"
#include "devicedata/WriteStrategy.h"

namespace velmora {

enum class ProgramMemoryMethod { MultiPanel, SinglePanel, Buffer, None };

// One table write of an erase: key to controlAddress after a table-pointer set-up.
struct EraseKey {
    Address controlAddress;
    std::uint16_t key;
};

struct WriteStrategyRules {
    WriteStrategy strategy;
    // Table writes before the erase NOP; none means the device is not erased.
    std::span<const EraseKey> eraseKeys;
    ProgramMemoryMethod method;             // with MultiPanelWrite off
    ProgramMemoryMethod multiPanelMethod;   // with MultiPanelWrite on
    // Single-panel writes (00h to 3C0006h) before the IDs and the configuration.
    bool singlePanelBeforeIdsAndConfig;
    // GOTO 100000h before each configuration word, out of the code-protected blocks.
    bool gotoBeforeConfigWords;

    ProgramMemoryMethod methodFor(bool multiPanelWrite) const
    {
        return multiPanelWrite ? multiPanelMethod : method;
    }
};

const WriteStrategyRules& rulesFor(WriteStrategy strategy);
// Whether the table has an entry for the strategy.
bool isKnownStrategy(WriteStrategy strategy);

} // namespace velmora
