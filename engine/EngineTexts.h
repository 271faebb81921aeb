#pragma once
// Every text the engine shows: process texts (status bar), action texts (group box
// caption) and message box texts. Line breaks inside messages are CR LF.

namespace velmora::texts {

// Process texts: the low-level step.
inline constexpr const char* kTurnOnVpp = "Turn on Vpp";
inline constexpr const char* kTurnOffVpp = "Turn off Vpp";
inline constexpr const char* kWriteInstruction = "Write instruction";
inline constexpr const char* kWriteInstructionWithDelay = "Write instruction with delay";
inline constexpr const char* kWriteProgTimeInstruction = "Write prog. time instruction";
inline constexpr const char* kReadByte = "Read byte";
inline constexpr const char* kWaitWriteCompleted = "Wait write completed...";

// Action texts: the phase.
inline constexpr const char* kReadProgramMemory = "Read PIC's program memory";
inline constexpr const char* kReadEeprom = "Read PIC's EEPROM data memory";
inline constexpr const char* kReadIds = "Read PIC's IDs";
inline constexpr const char* kReadDeviceIds = "Read device IDs";
inline constexpr const char* kReadConfiguration = "Read PIC's configuration";
inline constexpr const char* kEraseDevice = "Erase device programmable memory";
inline constexpr const char* kBlankCheckProgramMemory = "Blank check device: program memory";
inline constexpr const char* kBlankCheckEeprom = "Blank check device: EEPROM data memory";
inline constexpr const char* kBlankCheckIds = "Blank check device: IDs";
inline constexpr const char* kBlankCheckConfiguration = "Blank check device: configuration";
inline constexpr const char* kProgramProgramMemory = "Programming of PIC's program memory";
inline constexpr const char* kVerifyWrittenProgramMemory = "Verification: program memory";
inline constexpr const char* kProgramEeprom = "Programming of EEPROM data memory";
inline constexpr const char* kVerifyWrittenEeprom = "Verification: EEPROM data memory";
inline constexpr const char* kProgramIds = "Programming of IDs";
inline constexpr const char* kVerifyWrittenIds = "Verification: IDs";
inline constexpr const char* kProgramConfiguration = "Programming of configuration";
inline constexpr const char* kVerifyWrittenConfiguration = "Verification: configuration";
inline constexpr const char* kVerifyProgramMemory = "Verification of PIC's program memory";
inline constexpr const char* kVerifyEeprom = "Verification of PIC's EEPROM data memory";
inline constexpr const char* kVerifyIds = "Verification of PIC's IDs";
inline constexpr const char* kVerifyConfiguration = "Verification of PIC's configuration";

// Failures.
inline constexpr const char* kFaultTurningOnVpp = "Fault on turning on Vpp.";
inline constexpr const char* kFaultTurningOffVpp = "Fault on turning off Vpp.";
inline constexpr const char* kFaultWritingInstruction = "Fault on writing instruction.";
inline constexpr const char* kFaultWritingInstructionWithDelay = "Fault on writing instruction with delay.";
inline constexpr const char* kFaultProgramming =
    "Fault on programming writing and\r\nprogramming delay instruction.";
inline constexpr const char* kFaultReadingByte = "Fault on reading byte.";
inline constexpr const char* kFaultReadingInstruction = "Fault on reading instruction.";
inline constexpr const char* kFaultDelay = "Fault on delay.";

// Program memory size checks.
inline constexpr const char* kNotWholePanels =
    "Device program memory does not consist\r\nof integer amount of panel(s).";
inline constexpr const char* kNotWholeBlocks =
    "Device program memory does not consist of integer\r\namount of minimal device program programming block(s).";
inline constexpr const char* kNotWholeBuffers = "Device program memory size is\r\nnot integer amount of buffers.";
inline constexpr const char* kBufferNotWholeWords = "Buffer size is not integer\r\namount of 16-bit word(s).";

// Final reports.
inline constexpr const char* kReadPerformed = "Read has been performed.";
inline constexpr const char* kErasingPerformed = "Erasing has been performed.";
inline constexpr const char* kProgrammingPerformed = "Programming has been performed.";
// After programming a configuration that protects the whole flash from reading; the
// device's name follows.
inline constexpr const char* kCodeProtectedOn = "The configuration programmed sets code protection (CP0): it was "
    "verified before the chip left programming mode. Once the chip resets it can no longer be read or verified; only "
    "a bulk erase clears the protection. Device: ";
inline constexpr const char* kVerificationPerformed =
    "Verification has been performed.\r\nPIC's programmable memory content ";
inline constexpr const char* kContentDiffers = "differs\r\n";
inline constexpr const char* kContentDoesNotDiffer = "does not differ\r\n";
inline constexpr const char* kFromComputerProgram = "from this content of computer program.";
// The blank-check operation of the headless front end.
inline constexpr const char* kDeviceIsBlank = "Blank check has been performed.\r\nDevice is blank.";
inline constexpr const char* kDeviceIsNotBlank = "Blank check has been performed.\r\nDevice is not blank.";

// Difference reports.
inline constexpr const char* kDifferenceProgramMemory = "Difference was found.\r\nByte of PIC's program memory at ";
inline constexpr const char* kDifferenceEeprom = "Difference was found.\r\nByte of PIC's EEPROM data memory at ";
inline constexpr const char* kDifferenceIds = "Difference was found.\r\nByte of PIC's IDs at ";
inline constexpr const char* kDifferenceConfiguration = "Difference was found.\r\nByte of PIC's configuration at ";
inline constexpr const char* kAddressSuffix = " address.";
inline constexpr const char* kLineBreak = "\r\n";
inline constexpr const char* kValueFromDevice = "Value from device: ";
inline constexpr const char* kValueSeparator = ",\r\n";
inline constexpr const char* kValueFromComputer = "Value from computer program: ";
inline constexpr const char* kFullStop = ".";
inline constexpr const char* kContinueProgramMemory = "Continue check PIC's program memory? Abort- exit verify.";
inline constexpr const char* kContinueEeprom = "Continue check PIC's EEPROM data memory? Abort- exit verify.";
inline constexpr const char* kContinueIds = "Continue check PIC's IDs? Abort- exit verify.";
inline constexpr const char* kContinueConfiguration = "Continue check PIC's configuration? Abort- exit verify.";

// The engine's own refusal of an entry the programmer's wiring cannot make; no line
// has moved when it comes.
inline constexpr const char* kNoKeyEntry =
    "The selected device has no key-sequence entry: a programmer without high voltage\r\n"
    "and without a PGM line cannot take it into programming mode.";
inline constexpr const char* kNoPgmPin =
    "The selected device has no PGM pin: a programmer that enters through a PGM line\r\n"
    "cannot take it into programming mode.";
// A part without a high-voltage mode on a programmer that only has one: why, its VDD
// limit, then what to use.
inline constexpr const char* kNoHighVoltageHead = " has no high-voltage programming mode: MCLR must never go above "
    "VDD, and the 12-13 V a high-voltage programmer puts on it can destroy the chip. Its VDD must stay at or below ";
inline constexpr const char* kNoHighVoltageTail = ").\r\nProgram it by the key-sequence entry instead: a GPIO "
    "programmer with mclr=<line> and no pgm=, or the SIM port's lvp option.";
inline constexpr const char* kNoHighVoltageMode =
    "The selected device has no high-voltage programming mode: a programmer that raises Vpp\r\n"
    "must not take it into programming mode.";

// Before a session: a wiring that cannot enter the device, and a Vpp above its limit.
inline constexpr const char* kNeedsPgmPinHead = " enters low-voltage programming through its PGM pin (";
inline constexpr const char* kNeedsPgmPinMiddle =
    "), and this programmer drives MCLR without a PGM line: that is the key-sequence entry of parts without a "
    "PGM pin.\r\nAdd pgm=<line> to the port, wired to ";
inline constexpr const char* kNeedsPgmPinTail = ", or use vpp=<line> for high-voltage entry.";
inline constexpr const char* kHasNoPgmPinHead =
    " has no PGM pin: it enters low-voltage programming by the 32-bit key with MCLR at logic level (";
inline constexpr const char* kHasNoPgmPinTail =
    "), and this programmer raises a PGM line instead.\r\nLeave pgm= out of the port (mclr=<line> alone).";
inline constexpr const char* kVppLimitHead = " allows ";
inline constexpr const char* kVppLimitTo = " to ";
inline constexpr const char* kVppLimitSource = " on MCLR/Vpp in high-voltage programming (D110, ";
inline constexpr const char* kVppJdmApplies =
    "). The JDM serial programmer puts about 13 V on MCLR, and the program cannot make it less: that can destroy "
    "the chip.";
inline constexpr const char* kVddLimitHead = " Its VDD must also stay at or below ";
inline constexpr const char* kVddLimitSource = " (D111, ";
inline constexpr const char* kVddLimitTail = ").";
inline constexpr const char* kVppInsteadKeyEntry =
    "\r\nProgram it at low voltage instead (a GPIO programmer with mclr= and no pgm=: the key-sequence entry, "
    "with LVP set as it comes from the factory)";
inline constexpr const char* kVppInsteadPgmEntryHead =
    "\r\nProgram it at low voltage instead (a GPIO programmer with mclr= and pgm= on its PGM pin, ";
inline constexpr const char* kVppInsteadPgmEntryTail = ", with LVP set as it comes from the factory)";
inline constexpr const char* kVppInsteadLimited = ", or on a programmer whose Vpp is limited to ";

// Why programming LVP off through a low-voltage entry is asked about or refused, after
// "the configuration" of the front end's own sentence.
inline constexpr const char* kLvpOffConsequence =
    "turns LVP off (CONFIG4L bit 2), and this programmer enters the chip at low voltage. A chip with LVP off enters "
    "program mode only with high voltage on MCLR, so it would then need a high-voltage programmer (and a chip "
    "entered at low voltage may keep LVP set, failing the verify).";

// What a device-ID read says about the chip, and how it differs from the selected device.
inline constexpr const char* kDeviceIdHead = "device ID ";
inline constexpr const char* kOrNext = " or ";
inline constexpr const char* kRevision = ", revision ";
inline constexpr const char* kIdNoDeviceNames = " ID that no device of the database names";
inline constexpr const char* kNoChipAnswering = "no chip answering";
inline constexpr const char* kChipAnswersAs = "chip answers as ";
inline constexpr const char* kButSelectedHead = "), but ";
inline constexpr const char* kChipAnswersWithId = "chip answers with device ID ";
inline constexpr const char* kButOtherSelected = ", but ";
inline constexpr const char* kNoChipAnswers = "no chip answers, ";
inline constexpr const char* kIsSelected = " is selected";

// The silent-chip checklist's lines for a programmer that enters at low voltage...
inline constexpr const char* kCheckLvpBit =
    "  - the LVP bit (CONFIG4L bit 2) is set: a chip whose LVP was cleared needs high voltage once,"
    " so program it on a high-voltage programmer with LVP on\n";
inline constexpr const char* kCheckPgmLine =
    "  - PGM (RB5) is wired to the programmer's PGM line and nothing holds it low; it rises at least 2 us before"
    " MCLR\n";
inline constexpr const char* kCheckMclrAtVdd = "  - MCLR reaches VDD in program mode (2.0 V to 5.5 V)\n";
// ... and for one that enters by the key, MCLR at logic level without a PGM line.
inline constexpr const char* kCheckKeyEntryPart =
    "  - the chip is a part entered by the key sequence, a PIC18F2XK22/4XK22 or PIC18LF2XK22/4XK22;"
    " parts with a PGM pin need pgm= too\n";
inline constexpr const char* kCheckMclrLine =
    "  - MCLR is wired to the mclr= line and reaches VDD in program mode; the key goes in while MCLR is low\n";
inline constexpr const char* kCheckKeyEntryBulkEraseSupply =
    "  - VDD is 2.7 V or more for a bulk erase on PIC18F2XK22/4XK22 (D111); below that only row erases work\n";
inline constexpr const char* kCheckBulkEraseSupply =
    "  - VDD is 3.0 V to 5.5 V for a bulk erase on PIC18F2XXX/4XXX (4.5 V to 5.5 V on PIC18FXX20 parts);"
    " below that only row erases work\n";

// Before an operation on a port too slow for its protocol, and the time an action has left.
inline constexpr const char* kSlowPortWarning = "Warning: this port is slow. ";
inline constexpr const char* kTimeLeft = " left";

// After the wiring check's verdict when data in is read on the PGD line itself.
inline constexpr const char* kDataInIsPgd =
    "data in is read on the PGD line itself here: this shows that the line can be driven and read back, "
    "not that it reaches the chip's PGD pin; PGC and PGD swapped look the same (identify tells them apart)";
inline constexpr const char* kLinesNotDriven = "the programmer's lines could not be driven or read";

} // namespace velmora::texts
