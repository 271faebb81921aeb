#pragma once
// The published timing a chip holds the programmer to, per family. Values are the
// programming guides' minimums; where the older documents could not be read
// the tolerant reading is taken (see sim/README.md).

#include "sim/ChipFamily.h"
#include "sim/SimTime.h"

namespace velmora::sim {

struct TimingParameters {
    SimTime clockPhase;      // P2A/P2B: PGC low and high time
    SimTime dataSetupHold;   // P3/P4: PGD stable around the falling PGC edge
    SimTime readTurnaround;  // P6: last input clock of a read to the first output clock
    SimTime programPulse;    // P9: PGC held high while the device programs
    SimTime discharge;       // P10: PGC low after programming or erase
    SimTime bulkErase;       // P11: self-timed bulk erase
    SimTime eepromWrite;     // self-timed data EEPROM write (D122 typ.; P11A polling)
    SimTime entryHold;       // P12: Vpp up before the first data clock
    SimTime pgmSetup;        // P15: PGM high before MCLR rises for a low-voltage entry
};

constexpr TimingParameters timingFor(ChipFamily family)
{
    // DS39622L section 6 for the newer family. The older family takes P10 >= 5 us, the
    // shortest value recalled for DS39576, so a correct programmer is never flagged.
    return TimingParameters {
        .clockPhase = 40ns,
        .dataSetupHold = 15ns,
        .readTurnaround = 20ns,
        .programPulse = 1ms,
        .discharge = family == ChipFamily::BufferWrite ? SimTime(100us) : SimTime(5us),
        .bulkErase = 5ms,
        .eepromWrite = 4ms,
        .entryHold = 2us,
        .pgmSetup = 2us,
    };
}

} // namespace velmora::sim
