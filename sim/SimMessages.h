#pragma once
// Every text the simulated chip produces: violation details and trace notes. Numbers
// are appended by the callers; the simulated programmer's own texts live beside it
// (corvant/sim/SimProgrammerTexts.h).

#include <string_view>

namespace velmora::sim::messages {

// Violation parameters: the published timing parameter, or the rule's short name.
inline constexpr std::string_view kParamEntry = "entry";
inline constexpr std::string_view kParamMode = "mode";
inline constexpr std::string_view kParamP2 = "P2";
inline constexpr std::string_view kParamP3P4 = "P3/P4";
inline constexpr std::string_view kParamP6 = "P6";
inline constexpr std::string_view kParamP9 = "P9";
inline constexpr std::string_view kParamP10 = "P10";
inline constexpr std::string_view kParamP11 = "P11";
inline constexpr std::string_view kParamP11A = "P11A";
inline constexpr std::string_view kParamP12 = "P12";
inline constexpr std::string_view kParamSequence = "sequence";
inline constexpr std::string_view kParamWren = "WREN";
inline constexpr std::string_view kParamInstruction = "instruction";
inline constexpr std::string_view kParamCommand = "command";
inline constexpr std::string_view kParamAddress = "address";
inline constexpr std::string_view kParamProtection = "protection";
inline constexpr std::string_view kParamCfgs = "CFGS";
inline constexpr std::string_view kParamEraseKey = "erase key";
inline constexpr std::string_view kParamPanelMode = "panel mode";
inline constexpr std::string_view kParamP15 = "P15";
inline constexpr std::string_view kParamP18 = "P18";
inline constexpr std::string_view kParamP9A = "P9A";
inline constexpr std::string_view kParamP20 = "P20";
inline constexpr std::string_view kParamRowErase = "row erase";
inline constexpr std::string_view kParamEntryKey = "entry key";
inline constexpr std::string_view kParamP19 = "P19";
inline constexpr std::string_view kParamVihh = "VIHH";
inline constexpr std::string_view kParamForcedBits = "forced bits";
inline constexpr std::string_view kParamProgramCount = "program count";

inline constexpr std::string_view kEntryWithLinesHigh =
    "Vpp rose while PGC or PGD was high; the chip stays out of program/verify mode";
inline constexpr std::string_view kHighVoltageOnMclr =
    "MCLR driven to VIHH, but this chip has no high-voltage mode (MCLR must stay at or below VDD); "
    "it stays out of program/verify mode";
inline constexpr std::string_view kPgmSetupTooShort = "MCLR rose too soon after PGM: ";
inline constexpr std::string_view kPgmFellInProgramMode =
    "PGM fell while MCLR was still high; the chip left program/verify mode";
inline constexpr std::string_view kClockOutsideProgramMode =
    "PGC pulsed while the chip is not in program/verify mode";
inline constexpr std::string_view kEntryHoldTooShort = "first PGC edge too soon after Vpp rose: ";
inline constexpr std::string_view kClockPhaseTooShort = "PGC phase shorter than P2A/P2B: ";
inline constexpr std::string_view kDataSetupHoldTooShort = "PGD changed too close to the falling PGC edge";
inline constexpr std::string_view kReadTurnaroundTooShort = "read data clock too soon after the 8th operand clock: ";
inline constexpr std::string_view kProgrammingPulseTooShort = "programming clock held high only ";
inline constexpr std::string_view kNothingProgrammed = "; nothing programmed";
inline constexpr std::string_view kProgrammedTooOften = "flash byte programmed more often than allowed between erases: ";
inline constexpr std::string_view kDischargeTooShort = "PGC rose before the high-voltage discharge time: ";
inline constexpr std::string_view kClockDuringErase = "PGC clocked while the bulk erase runs; the bit is lost";
inline constexpr std::string_view kDataHighDuringErase = "PGD high while the bulk erase runs";
inline constexpr std::string_view kVppOffDuringPulse = "Vpp fell during the programming pulse; nothing programmed";
inline constexpr std::string_view kVppOffDuringErase = "Vpp fell before the erase finished; nothing erased";
inline constexpr std::string_view kVppOffDuringEepromWrite =
    "Vpp fell before the EEPROM write finished; the cell keeps its value";
inline constexpr std::string_view kProgrammingNeverStarted =
    "Vpp fell while a write or erase waited for the clock that starts it";
inline constexpr std::string_view kNotNopAfterStartProgramming = "the programming clock belonged to command ";
inline constexpr std::string_view kWriteWithoutWren = "WR set with WREN clear; nothing written";
inline constexpr std::string_view kProgrammingWithoutWren = "start programming with WREN clear; nothing programmed";
inline constexpr std::string_view kVppOffDuringRowErase = "MCLR fell before the row erase finished; nothing erased";
inline constexpr std::string_view kNoRowErase = "row erase requested, but this chip has none; nothing erased";
inline constexpr std::string_view kWrongEntryKey = "entry key is not 4D434850h: ";
inline constexpr std::string_view kEntryKeyLsbFirst = " (4D434850h sent least significant bit first)";
inline constexpr std::string_view kEntryKeyShort = " bits clocked, 32 needed";
inline constexpr std::string_view kKeyTooSoonAfterMclr = "first key clock too soon after MCLR fell: ";
inline constexpr std::string_view kMclrTooSoonAfterKey = "MCLR rose too soon after the last key clock: ";
inline constexpr std::string_view kKeyEntryHoldTooShort =
    "first command clock too soon after MCLR rose behind the key; the chip stays out of program/verify mode: ";
inline constexpr std::string_view kWriteWhileBusy = "WR set while an EEPROM write is still running";
inline constexpr std::string_view kUnsupportedInstruction = "core instruction not executed by the model: ";
inline constexpr std::string_view kGotoWithoutSecondWord = "GOTO first word not followed by its second word";
inline constexpr std::string_view kUnsupportedWrKind = "WR set for an operation the model does not know, EECON1 = ";
inline constexpr std::string_view kUnsupportedRead = "RD set without EEPGD and CFGS clear, EECON1 = ";
inline constexpr std::string_view kNoDataEeprom = "data EEPROM write on a chip without data EEPROM";
inline constexpr std::string_view kUnsupportedCommand = "reserved command: ";
inline constexpr std::string_view kUnimplementedTarget = "table write to read-only or unimplemented address ";
inline constexpr std::string_view kVolatileConfigWrite =
    "table write to a configuration register, a copy of the last flash bytes loaded at reset; nothing written: ";
inline constexpr std::string_view kWriteProtected = "programming refused, the block is protected: ";
inline constexpr std::string_view kForcedConfigBits =
    "configuration word programmed without 1111b in the upper nibble of its odd byte or with CONFIG1H bit 3 set: ";
inline constexpr std::string_view kEepromWriteProtected = "EEPROM write refused, WRTD or CPD is set";
inline constexpr std::string_view kWriteRegionMismatch = "TBLPTR left the loaded block before programming: ";
inline constexpr std::string_view kConfigSelectMismatch = "CFGS does not select the space being programmed: ";
inline constexpr std::string_view kInvalidEraseOption = "erase keys select nothing: ";
inline constexpr std::string_view kIdWriteInMultiPanelMode = "ID locations written with multi-panel writes enabled";
inline constexpr std::string_view kTableWriteLocked =
    "table write refused: code protection now covers the program counter's block";

// Trace notes.
inline constexpr std::string_view kNoteEraseStarted = "bulk erase started, keys ";
inline constexpr std::string_view kNoteEraseDone = "bulk erase done";
inline constexpr std::string_view kNoteRowErased = "row erased at ";
inline constexpr std::string_view kNoteProgrammed = "programmed at ";
inline constexpr std::string_view kNoteEepromWriteStarted = "EEPROM write started, cell ";
inline constexpr std::string_view kNoteEepromWriteDone = "EEPROM write done";
inline constexpr std::string_view kNoteLvpOff =
    "MCLR at VDD with PGM high, but the LVP bit is 0: the chip runs its program";
inline constexpr std::string_view kNoteKeyLvpOff =
    "MCLR at VDD after the entry key, but the LVP bit is 0: the chip runs its program";
inline constexpr std::string_view kNoteLvpKept =
    "LVP kept at 1: it clears only in high-voltage program/verify mode";

} // namespace velmora::sim::messages
