#pragma once
// What the bulk-erase keys select on each family: bit fields on the DS39622 parts,
// option codes at 3C0004h on the panel parts, and a fixed table of options on the K
// families, where any other keys erase nothing, as on the real chips.

#include <cstdint>

#include "sim/ChipMemory.h"
#include "sim/ChipModel.h"

namespace velmora::sim {

// high: 3C0005h (unused by the panel family), low: 3C0004h. codeProtected: some code
// block or the boot block is code-protected. Empty for keys the chip does not take.
EraseSelection eraseSelectionFor(const ChipModel& model, std::uint8_t high, std::uint8_t low, bool codeProtected);

} // namespace velmora::sim
