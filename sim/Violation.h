#pragma once
// A protocol or timing mistake the simulated chip saw, with the time it happened and
// the published parameter or rule it breaks.

#include <cstdint>
#include <string>
#include <string_view>

#include "sim/SimTime.h"

namespace velmora::sim {

enum class ViolationKind : std::uint8_t {
    EntryWithLinesHigh,          // Vpp rose while PGC or PGD was high: no program/verify mode
    ClockOutsideProgramMode,     // PGC pulsed while the chip is not in program/verify mode
    EntryHoldTooShort,           // P12
    PgmSetupTooShort,            // P15: MCLR rose too soon after PGM
    PgmFellInProgramMode,        // P18: PGM fell before MCLR, leaving low-voltage mode
    ClockPhaseTooShort,          // P2A/P2B
    DataSetupHoldTooShort,       // P3/P4
    ReadTurnaroundTooShort,      // P6
    ProgrammingPulseTooShort,    // P9: nothing is programmed
    DischargeTooShort,           // P10
    ClockDuringErase,            // P11: the clock is lost
    DataHighDuringErase,         // P11: PGD must stay low while the erase runs
    OperationCutByVppOff,        // Vpp fell while programming, erasing or writing EEPROM
    ProgrammingNeverStarted,     // 1111 or WR not followed by the clock that starts it
    NotNopAfterStartProgramming, // the programming clock belonged to a command other than 0000
    WriteWithoutWren,            // WR set with WREN clear: nothing happens
    WriteWhileBusy,              // WR set while an EEPROM write is still running
    UnsupportedInstruction,      // a core instruction this chip model does not execute
    UnsupportedCommand,          // a reserved 4-bit command
    UnimplementedTarget,         // a table write to read-only or unimplemented space
    WriteProtected,              // programming refused by WRTn/WRTB/WRTC/WRTD or CP
    WriteRegionMismatch,         // TBLPTR left the loaded block/offset before programming
    ConfigSelectMismatch,        // CFGS does not match the space being programmed
    InvalidEraseOption,          // erase keys that select nothing this chip knows
    IdWriteInMultiPanelMode,     // IDs must be written with multi-panel writes off
    WrongEntryKey,               // MCLR rose to VDD behind a key other than 4D434850h, MSb first
    KeyTooSoonAfterMclr,         // K22 P18: the key's first clock too soon after MCLR fell
    MclrTooSoonAfterKey,         // K22 P20: MCLR rose too soon after the key's last clock
    KeyEntryHoldTooShort,        // K22 P15: first command too soon after MCLR rose behind the key
    HighVoltageOnMclr,           // MCLR driven to VIHH on a J part, which has no high-voltage mode
    ForcedConfigBits,            // a J configuration word programmed without its forced bits
    ProgrammedTooOften,          // a J flash byte programmed again past its limit between erases
    NoRowErase,                  // a row erase asked of a chip that has none (DS39644G)
};

struct Violation {
    SimTime time;
    ViolationKind kind;
    std::string_view parameter;  // "P9", "P11", ... or the rule's short name
    std::string detail;
};

// A stable lower-case name for traces and test messages ("programming-pulse-too-short").
std::string_view violationName(ViolationKind kind);

} // namespace velmora::sim
