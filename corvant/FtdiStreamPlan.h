#pragma once
// Line moves turned into the bytes an FTDI chip in synchronous bit-bang mode
// clocks onto its pins, one byte per byte period. Pure: the back end pumps the
// plan through the USB link and sleeps where it says.
//
// The chip samples the pins just before it applies each byte, so the read-back of
// byte i is the state byte i-1 left: a Read takes the read-back of the byte
// written after it, and a state is proven on the pins only once a byte after it
// has been read back (a repeat byte when nothing else follows).
//
// Waits below kFtdiPauseUnits (2 ms) are the state held for enough byte periods,
// counted at `shortestByteSeconds`, the shortest period the measured rate allows;
// longer waits are host pauses: every byte so far read back (the state proven),
// then a sleep of the whole wait on the host clock. A pause costs that drain, one
// or two USB frames, on top of its wait: below 2 ms more than the wait itself, so
// the 1 ms write pulse is held like the 100 us hold, and only the erase waits and
// the entry delays sleep on the host.

#include "corvant/PinStream.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace corvant {

inline constexpr double kFtdiUnitSeconds = 5e-6;
inline constexpr std::uint32_t kFtdiPauseUnits = 400;
// PGM high before MCLR rises: P15 is 2 us; one 5 us unit as the GPIO programmer waits.
inline constexpr std::uint32_t kFtdiPgmLeadUnits = 1;

// The data-bit masks of each role's pin.
struct FtdiPinMasks {
    std::uint8_t vpp = 0;  // MCLR: a Vpp switch, or MCLR at logic level
    std::uint8_t pgc = 0;
    std::uint8_t pgd = 0;
    std::uint8_t pgdIn = 0;
    std::uint8_t pgm = 0;  // 0: no PGM pin
};

struct FtdiPause {
    std::size_t afterBytes = 0;  // once bytes [0, afterBytes) are written and read back
    double seconds = 0;
};

struct FtdiStreamPlan {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> readSlots;  // per Read move: the byte whose read-back holds its level
    std::vector<FtdiPause> pauses;       // in order of afterBytes
    std::uint8_t endPins = 0;            // the pins once the plan has run
};

// `pins` is the state the pins hold before the plan; when not `pinsProven` (a
// stream failed on the way) the first change is written even if it equals it.
// The plan ends with its last state proven: a repeat byte follows a change when
// nothing else does.
FtdiStreamPlan planFtdiStream(std::span<const PinMove> moves, const FtdiPinMasks& masks, std::uint8_t pins,
                              bool pinsProven, double shortestByteSeconds);

} // namespace corvant
