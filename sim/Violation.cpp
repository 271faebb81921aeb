#include "sim/Violation.h"

namespace velmora::sim {

std::string_view violationName(ViolationKind kind)
{
    switch (kind) {
    case ViolationKind::EntryWithLinesHigh: return "entry-with-lines-high";
    case ViolationKind::ClockOutsideProgramMode: return "clock-outside-program-mode";
    case ViolationKind::EntryHoldTooShort: return "entry-hold-too-short";
    case ViolationKind::PgmSetupTooShort: return "pgm-setup-too-short";
    case ViolationKind::PgmFellInProgramMode: return "pgm-fell-in-program-mode";
    case ViolationKind::ClockPhaseTooShort: return "clock-phase-too-short";
    case ViolationKind::DataSetupHoldTooShort: return "data-setup-hold-too-short";
    case ViolationKind::ReadTurnaroundTooShort: return "read-turnaround-too-short";
    case ViolationKind::ProgrammingPulseTooShort: return "programming-pulse-too-short";
    case ViolationKind::DischargeTooShort: return "discharge-too-short";
    case ViolationKind::ClockDuringErase: return "clock-during-erase";
    case ViolationKind::DataHighDuringErase: return "data-high-during-erase";
    case ViolationKind::OperationCutByVppOff: return "operation-cut-by-vpp-off";
    case ViolationKind::ProgrammingNeverStarted: return "programming-never-started";
    case ViolationKind::NotNopAfterStartProgramming: return "not-nop-after-start-programming";
    case ViolationKind::WriteWithoutWren: return "write-without-wren";
    case ViolationKind::WriteWhileBusy: return "write-while-busy";
    case ViolationKind::UnsupportedInstruction: return "unsupported-instruction";
    case ViolationKind::UnsupportedCommand: return "unsupported-command";
    case ViolationKind::UnimplementedTarget: return "unimplemented-target";
    case ViolationKind::WriteProtected: return "write-protected";
    case ViolationKind::WriteRegionMismatch: return "write-region-mismatch";
    case ViolationKind::ConfigSelectMismatch: return "config-select-mismatch";
    case ViolationKind::InvalidEraseOption: return "invalid-erase-option";
    case ViolationKind::IdWriteInMultiPanelMode: return "id-write-in-multi-panel-mode";
    case ViolationKind::WrongEntryKey: return "wrong-entry-key";
    case ViolationKind::KeyTooSoonAfterMclr: return "key-too-soon-after-mclr";
    case ViolationKind::MclrTooSoonAfterKey: return "mclr-too-soon-after-key";
    case ViolationKind::KeyEntryHoldTooShort: return "key-entry-hold-too-short";
    case ViolationKind::HighVoltageOnMclr: return "high-voltage-on-mclr";
    case ViolationKind::ForcedConfigBits: return "forced-config-bits";
    case ViolationKind::ProgrammedTooOften: return "programmed-too-often";
    case ViolationKind::NoRowErase: return "no-row-erase";
    }
    return "unknown";
}

} // namespace velmora::sim
