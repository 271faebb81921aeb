#pragma once
// Faults a test can build into a simulated chip, to prove the programmer notices them.

#include <cstdint>
#include <optional>

namespace velmora::sim {

// A bit that always reads the same level. The address is in the HEX map: program
// memory from 0, IDs at 200000h, configuration at 300000h, EEPROM at F00000h.
struct StuckBit {
    std::uint32_t address = 0;
    std::uint8_t bit = 0;     // 0..7
    bool level = false;
};

struct FaultSet {
    bool chipAbsent = false;                        // data in just follows the programmer's data line
    bool vppNeverArrives = false;                   // MCLR stays low: the chip never enters program mode
    bool dataInStuckLow = false;                    // the data-in line reads low whatever PGD does
    std::optional<StuckBit> stuckBit {};
    std::optional<std::uint32_t> programFailsAt {};  // any programming of the block holding it does nothing
    bool eepromWriteNeverEnds = false;              // WR stays set, the cell keeps its value
    bool eraseDoesNothing = false;                  // bulk erases take their time and change nothing
};

} // namespace velmora::sim
