#pragma once
// The programming generations the simulated chips belong to. They differ in how
// program memory is buffered, which erase keys they take, how writes are started and
// timed, and how the chip is entered at low voltage.

namespace velmora::sim {

enum class ChipFamily {
    // PIC18FXX2/XX8, 1220/2220, 2331, 6X20/8X20, 6585/6680: an 8-byte holding register
    // per 8 KB panel, single- and multi-panel writes chosen at 3C0006h, erase key at
    // 3C0004h only, 1110 = table write with post-decrement.
    PanelWrite,
    // PIC18F2XXX/4XXX (DS39622): one write buffer of 8..64 bytes, erase keys at
    // 3C0005h:3C0004h, 1110 = table write, start programming, post-increment.
    BufferWrite,
    // PIC18(L)F2XK22/4XK22 (DS41398B): as BufferWrite, plus WREN before every write,
    // self-timed row erase and EEPROM write, a 5 ms configuration pulse, erase keys
    // 0F0Fh/8F8Fh, no PGM pin: low-voltage entry by a 32-bit key.
    K22,
    // PIC18(L)F1XK22 (DS41357B): as K22, with a PGM pin (RC3) instead of the key.
    OneXK22,
    // PIC18F2XK20/4XK20 (DS41297D): as 1XK22 with PGM on RB5 and erase keys 0F0Fh/8787h.
    K20,
    // The J parts: no high-voltage mode, entry by the key only, configuration words in the
    // last 8 bytes of flash (copied to 300000h.. at reset), no EEPROM or ID locations, a
    // 64-byte write buffer that keeps its contents, one code-protect bit, erase keys
    // 0101h/8080h, WREN before writes, externally timed writes.
    // PIC18(L)F2XJ10/4XJ10 (DS39687E): the slowest writes of that guide.
    J10,
    // The other DS39687E parts (J11, J13, J50, J53): 1024-byte row erase held on PGC (P10).
    J2X4X,
    // PIC18F6XJXX/8XJXX (DS39644G): no row erase, each byte programmed at most twice.
    J6X8X,
    // PIC18F97J60 family (DS39688C): row erase held on PGC for P9, then P10.
    J60,
};

// One write buffer rather than per-panel latches: every family after the panel one.
constexpr bool hasSingleWriteBuffer(ChipFamily family)
{
    return family != ChipFamily::PanelWrite;
}

// WREN before code, ID and configuration writes; row erase and EEPROM write self-timed
// and started on the fourth clock of the second command after WR; erase options from
// a fixed table, any other keys erase nothing.
constexpr bool isSelfTimedFamily(ChipFamily family)
{
    return family == ChipFamily::K22 || family == ChipFamily::OneXK22 || family == ChipFamily::K20;
}

// Low-voltage entry by clocking 4D434850h in while MCLR is low, instead of a PGM pin.
constexpr bool hasKeyEntry(ChipFamily family)
{
    return family == ChipFamily::K22 || family == ChipFamily::J10 || family == ChipFamily::J2X4X
        || family == ChipFamily::J6X8X || family == ChipFamily::J60;
}

// The J parts: the key is the only way in, MCLR never goes above VDD, and the
// configuration words are the last 8 bytes of flash.
constexpr bool isJFamily(ChipFamily family)
{
    return family == ChipFamily::J10 || family == ChipFamily::J2X4X || family == ChipFamily::J6X8X
        || family == ChipFamily::J60;
}

// WREN before a 1111 start-programming: the K and J families.
constexpr bool needsWrenToProgram(ChipFamily family)
{
    return isSelfTimedFamily(family) || isJFamily(family);
}

} // namespace velmora::sim
