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
    // The J parts: 3.3 V, key entry only, configuration in the last 8 bytes of flash,
    // no data EEPROM and no ID locations.
    J10,       // PIC18(L)F2XJ10/4XJ10 (DS39687): the slowest writes of that guide
    J2X4X,     // PIC18(L)F2XJ11/J13/J50/J53 and 4X of the same (DS39687)
    J6X8X,     // PIC18F6XJXX/8XJXX (DS39644): no row erase
    J60,       // PIC18F97J60 family (DS39688)
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
    // False where MCLR must never go above VDD: such a part has no high-voltage mode
    // and a classic Vpp can destroy it.
    bool highVoltageEntry = true;
    // Configuration words stored as the last 8 bytes of program memory and written as
    // code; the chip's 300000h registers are only copies loaded at reset.
    bool configInFlash = false;
    bool idLocations = true;          // 200000h-200007h
};

const FamilyFacts& factsFor(ProgrammingFamily family);
// The family a Devices.ini Family value names, case ignored; nullopt for none.
std::optional<ProgrammingFamily> familyNamed(std::string_view name);

} // namespace velmora
