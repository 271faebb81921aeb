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
    SimTime discharge;       // P10: PGC low after programming or erase (none on J 2X/4X)
    SimTime bulkErase;       // P11: self-timed bulk erase
    SimTime eepromWrite;     // self-timed data EEPROM write (D122 typ.; P11A polling)
    SimTime rowErase;        // self-timed row erase of the K families (P11B on K22)
    SimTime rowErasePulse;   // PGC held high for an externally timed row erase (P9; J 2X/4X: P10)
    SimTime entryHold;       // P12 (and P20 on 1XK22/K20): MCLR up before the first clock
    SimTime pgmSetup;        // P15 (not K22): PGM high before MCLR rises for a low-voltage entry
    SimTime keyDelay;        // K22 P18, J P19: MCLR low to the first key clock
    SimTime keyToMclr;       // K22 and J P20: last key clock low to MCLR rising
    SimTime keyEntryHold;    // K22 P15, J P12: MCLR up after the key before the first command
};

// The J parts' common values; DS39687E's (2X/4X) are slower on the clock and the data lines.
constexpr TimingParameters jTiming(const TimingParameters& base, const ChipModel& model)
{
    TimingParameters timing = base;
    const bool twoByFour = model.family == ChipFamily::J10 || model.family == ChipFamily::J2X4X;
    if (twoByFour) {
        // DS39687E section 6: P2A/P2B 50 ns, P3/P4 20 ns; no P10 after a write; P10 is the
        // row-erase time, 54 ms on J11/J50 and 49 ms on the others; P11 524 or 475 ms;
        // P9 3.4 ms on J10, 1.2 ms on the others; P19 4 ms, P20 50 ns, P12 400 us.
        timing.clockPhase = 50ns;
        timing.dataSetupHold = 20ns;
        timing.programPulse = model.family == ChipFamily::J10 ? SimTime(3400us) : SimTime(1200us);
        timing.discharge = 0ns;
        timing.bulkErase = model.longErase ? SimTime(524ms) : SimTime(475ms);
        timing.rowErasePulse = model.longErase ? SimTime(54ms) : SimTime(49ms);
        timing.keyDelay = 4ms;
        timing.keyToMclr = 50ns;
        timing.keyEntryHold = 400us;
    } else {
        // DS39644G and DS39688C section 6: P9 2.8 ms, P10 400 ns, P11 400 ms, P20 40 ns;
        // P19 10 us and P12 300 us (DS39644G), 1 ms and 400 us (DS39688C). Row erase (J60
        // only) holds PGC for P9.
        timing.programPulse = 2800us;
        timing.discharge = 400ns;
        timing.bulkErase = 400ms;
        timing.rowErasePulse = 2800us;
        timing.keyDelay = model.family == ChipFamily::J60 ? SimTime(1ms) : SimTime(10us);
        timing.keyToMclr = 40ns;
        timing.keyEntryHold = model.family == ChipFamily::J60 ? SimTime(400us) : SimTime(300us);
    }
    // Configuration words are programmed as code.
    timing.configPulse = timing.programPulse;
    timing.idPulse = timing.programPulse;
    return timing;
}

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
        .rowErasePulse = 1ms,
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
    case ChipFamily::J10:
    case ChipFamily::J2X4X:
    case ChipFamily::J6X8X:
    case ChipFamily::J60:
        return jTiming(timing, model);
    }
    return timing;
}

} // namespace velmora::sim
