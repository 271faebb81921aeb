#pragma once
// The published timing a chip holds the programmer to, per family (and, for the K22
// bulk erase, per part). Values are the programming guides' minimums; where the older
// documents could not be read the tolerant reading is taken (see sim/README.md). The
// same P-number means different things in different guides, so the fields are named
// by meaning and each violation names the parameter of its own family's guide.

#include "sim/ChipModel.h"
#include "sim/SimTime.h"

namespace velmora::sim {

struct TimingParameters {
    SimTime clockPhase;      // P2A/P2B: PGC low and high time
    SimTime dataSetupHold;   // P3/P4: PGD stable around the falling PGC edge
    SimTime readTurnaround;  // P6: last input clock of a read to the first output clock
    SimTime programPulse;    // P9: PGC held high while the device programs
    SimTime configPulse;     // P9A on the self-timed families, else P9: configuration bytes
    SimTime idPulse;         // the pulse for the ID locations (P9A on K22, Fig 3-5 note)
    SimTime discharge;       // P10: PGC low after programming or erase
    SimTime bulkErase;       // P11: self-timed bulk erase
    SimTime eepromWrite;     // self-timed data EEPROM write (D122 typ.; P11A polling)
    SimTime rowErase;        // self-timed row erase of the K families (P11B on K22)
    SimTime entryHold;       // P12 (and P20 on 1XK22/K20): MCLR up before the first clock
    SimTime pgmSetup;        // P15 (not K22): PGM high before MCLR rises for a low-voltage entry
    SimTime keyDelay;        // K22 P18: MCLR low to the first key clock
    SimTime keyToMclr;       // K22 P20: last key clock low to MCLR rising
    SimTime keyEntryHold;    // K22 P15: MCLR up after the key before the first command
};

constexpr TimingParameters timingFor(const ChipModel& model)
{
    // DS39622L section 6 for the buffer family. The panel family takes P10 >= 5 us, the
    // shortest value recalled for DS39576, so a correct programmer is never flagged.
    TimingParameters timing {
        .clockPhase = 40ns,
        .dataSetupHold = 15ns,
        .readTurnaround = 20ns,
        .programPulse = 1ms,
        .configPulse = 1ms,
        .idPulse = 1ms,
        .discharge = model.family == ChipFamily::PanelWrite ? SimTime(5us) : SimTime(100us),
        .bulkErase = 5ms,
        .eepromWrite = 4ms,
        .rowErase = 4ms,
        .entryHold = 2us,
        .pgmSetup = 2us,
        .keyDelay = 0ns,
        .keyToMclr = 0ns,
        .keyEntryHold = 0ns,
    };
    switch (model.family) {
    case ChipFamily::PanelWrite:
    case ChipFamily::BufferWrite:
        return timing;
    case ChipFamily::K22:
        // DS41398B section 6: P9A 5 ms, also for the IDs; P10 200 us; P11 15 ms on the
        // 32/64 KB parts and 12 ms on the 8/16 KB ones; P11B 2 ms; key entry P18/P20/P15.
        timing.configPulse = 5ms;
        timing.idPulse = 5ms;
        timing.discharge = 200us;
        timing.bulkErase = model.programMemorySize >= 32 * 1024 ? SimTime(15ms) : SimTime(12ms);
        timing.rowErase = 2ms;
        timing.keyDelay = 1ms;
        timing.keyToMclr = 40ns;
        timing.keyEntryHold = 400us;
        return timing;
    case ChipFamily::OneXK22:
    case ChipFamily::K20:
        // DS41357B and DS41297D section 6: P9A 5 ms; P20 5 us after Vpp changes. No row
        // erase time is given: the P11A data-write time stands in for it.
        timing.configPulse = 5ms;
        timing.entryHold = 5us;
        return timing;
    }
    return timing;
}

} // namespace velmora::sim
