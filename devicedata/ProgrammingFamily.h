#pragma once
// The `Family` key of Devices.ini: which of Microchip's programming guides a device follows
// beyond what WriteStrategy says. The classic parts (PIC18FXX2 to PIC18F2XXX/4XXX) need
// no key; the newer families differ in erase keys, timings, write enables, EEPROM
// writes, the ways into programming mode and the highest voltage MCLR may see.
// What the device is lives here; how the engine programs it lives in the engine's
// own table, keyed by the same family.

#include <optional>
#include <string_view>

namespace velmora {

enum class ProgrammingFamily {
    Classic,   // no Family key: WriteStrategy alone steers the device
    K22,       // PIC18(L)F2XK22/4XK22 (DS41398)
    OneXK22,   // PIC18(L)F1XK22 (DS41357)
    K20,       // PIC18F2XK20/4XK20 (DS41297)
};

struct FamilyFacts {
    ProgrammingFamily family;
    std::string_view name;            // the Family value in Devices.ini; empty for Classic
    std::string_view document;        // Microchip's programming guide the row rests on
    // The least and the most MCLR may see in high-voltage entry (D110); no limit where
    // a classic 12-13 V programmer is within the part's rating.
    std::string_view vppLeast;
    std::optional<int> vppLimitMillivolts;
    // The highest supply the family takes, when the whole family is below 5.5 V.
    std::optional<int> vddLimitMillivolts;
    std::string_view pgmPin;          // PGM high, then MCLR at VDD; empty: no PGM pin
    bool keyEntry;                    // MCLR pulsed, then the 32-bit key 4D434850h
};

const FamilyFacts& factsFor(ProgrammingFamily family);
// The family a Devices.ini Family value names, case ignored; nullopt for none.
std::optional<ProgrammingFamily> familyNamed(std::string_view name);

} // namespace velmora
