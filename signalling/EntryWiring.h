#pragma once
// How the programmer's Vpp line reaches the chip, which decides the ways into
// programming mode it can take.

namespace velmora {

enum class EntryWiring {
    HighVoltage,  // Vpp at VIHH on MCLR (the JDM programmer, a GPIO line behind a Vpp switch)
    PgmPin,       // MCLR at logic level with a PGM line: PGM high, then MCLR
    MclrOnly,     // MCLR at logic level and no PGM line: entry by the 32-bit key
};

} // namespace velmora
