#pragma once
// Texts of the command-line front end that the engine and the libraries do not own.

namespace velmora::cli {

inline constexpr const char* kVersion = "velmora-cli " VELMORA_VERSION "\n"
                                        "Copyright (C) 2026 Velmora developers\n"
                                        "License GPL-3.0-or-later <https://gnu.org/licenses/gpl.html>.\n"
                                        "This is free software: you are free to change and redistribute it.\n"
                                        "There is NO WARRANTY, to the extent permitted by law.\n";

inline constexpr const char* kUsage =
    "usage: velmora-cli [options] COMMAND\n"
    "\n"
    "Commands:\n"
    "  read FILE.hex      read the chip and save it as an Intel HEX file\n"
    "  program FILE.hex   load the file, erase the chip, program and read back every area\n"
    "  verify FILE.hex    compare the chip with the file\n"
    "  erase              erase the chip (this alone proves nothing: see --blank-check)\n"
    "  blank-check        check that the chip is erased\n"
    "  devices            list the devices of the database\n"
    "  info               describe the programmer\n"
    "  identify           read the chip's device ID and name the device\n"
    "  wiring             check the data path with Vpp off (PGD out, data in back, PGC)\n"
    "  check-devices [PATH]  check a device database as the program would read it\n"
    "\n"
    "Options:\n"
    "  --port STR             programmer port: COM1..COMn, a device path, SIM[:chip[,image=FILE][,lvp]] (default SIM),\n"
    "                         GPIO:CHIP,vpp=LINE,pgc=LINE,pgd=LINE[,pgdin=LINE][,active-low=vpp],\n"
    "                         or FTDI:VENDOR:PRODUCT[:SERIAL][,mclr=PIN|vpp=PIN,pgc=PIN,pgd=PIN,pgdin=PIN][,pgm=PIN]\n"
    "                         (pins TXD..RI or D0..D7; default mclr=TXD,pgc=RTS,pgd=DTR,pgdin=CTS);\n"
    "                         lvp enters the chip at low voltage (PGM high, then MCLR at VDD), and so do\n"
    "                         mclr=LINE,pgm=LINE instead of vpp=LINE; mclr=LINE alone enters by the key\n"
    "                         sequence (PIC18F2XK22/4XK22 and the J parts, which have no PGM pin; the J parts\n"
    "                         have no high-voltage mode and are refused on a JDM port)\n"
    "  --device NAME          device section of the database, any case (default: the one the chip's ID names)\n"
    "  --devices PATH         device database (default: Devices.ini beside this program)\n"
    "  --no-program --no-eeprom --no-ids --no-config\n"
    "                         leave out program memory, EEPROM, ID locations or configuration (the J parts\n"
    "                         have no EEPROM and no ID locations; their configuration is the last 8 bytes\n"
    "                         of flash, written with the top block)\n"
    "  --multi-panel          multi-panel writes on devices that have panels\n"
    "  --no-fast-verify       read back every byte after programming, not only the file's\n"
    "  --checksum sum|zero    put a checksum in the last program word after loading\n"
    "  --checksum-warn VALUE  ask before replacing a last word that is not VALUE\n"
    "  --stop-at-first        answer Abort at the first difference a verify finds (default: go on)\n"
    "  --no-id-check          do not check the chip's device ID against --device\n"
    "  --accept-no-eof        program or verify from a HEX file that lacks its end-of-file record\n"
    "                         (refused otherwise: the file may have been cut short)\n"
    "  --blank-check          with erase: check afterwards that the chip is blank (1 when it is not)\n"
    "  --allow-lvp-off        program a configuration with LVP off through a low-voltage entry;\n"
    "                         only a high-voltage programmer can enter the chip afterwards\n"
    "  --vpp-limited          the programmer's Vpp is known to be within the device's limit (9 V on the\n"
    "                         K22, 1XK22 and K20 parts): enter them at high voltage on a JDM port too\n"
    "  --help                 this text\n"
    "  --version              the program's name and version\n"
    "\n"
    "Exit status: 0 done, 1 the chip differs from the file (or is not blank), 2 failure;\n"
    "128+N when signal N ended the command (130 Ctrl+C, 143 kill, 129 closed terminal),\n"
    "141 when its output could not be written (nobody read it any more, a full disk).\n"
    "The chip leaves programming mode first.\n"
    "identify: 0 a device of the database, 1 a known family's ID no section names, 2 no chip answering.\n"
    "check-devices: 0 clean, 1 warnings, 2 the program would reject the file or refuse a device in it.\n";

inline constexpr const char* kUnknownOption = "unknown option: ";
inline constexpr const char* kMissingValue = "missing value for ";
inline constexpr const char* kUnknownCommand = "unknown command: ";
inline constexpr const char* kMissingFile = "missing file name for ";
inline constexpr const char* kExtraArgument = "unexpected argument: ";
inline constexpr const char* kBadChecksumType = "--checksum takes sum or zero, not ";
inline constexpr const char* kWarnWithoutChecksum = "--checksum-warn needs --checksum";
inline constexpr const char* kUnknownDevice = "no device named ";
inline constexpr const char* kIn = " in ";
inline constexpr const char* kPortFailed = "cannot open the programmer port ";
// Around the pin-interface library's file name, which differs between platforms.
inline constexpr const char* kLibraryInfoHead = "Information from \"";
inline constexpr const char* kLibraryInfoTail = "\" library:\r\n";
inline constexpr const char* kNoCounter = "High-resolution timer was not found.";
inline constexpr const char* kSlowCounterHead = "High-resolution timer's frequency is less than ";
inline constexpr const char* kSlowCounterMiddle = " Hz.\r\nHigh-resolution timer's frequency is ";
inline constexpr const char* kHz = " Hz.";
inline constexpr const char* kNotAValidInteger = "' is not a valid integer value";
inline constexpr const char* kChecksumDeclined = "the checksum was not added; nothing was sent to the chip";
inline constexpr const char* kAnswerYes = "Yes";
inline constexpr const char* kAnswerNo = "No";
inline constexpr const char* kAnswerAbort = "Abort";
inline constexpr const char* kCancelled = "cancelled";
inline constexpr const char* kSlowPortWarning = "Warning: this port is slow. ";
inline constexpr const char* kTimeLeft = " left";
inline constexpr const char* kIdCheckImpossible = "the device-ID check cannot be made for ";
inline constexpr const char* kIdCheckImpossibleEnd =
    "; nothing was sent to the chip (mend the section, or use --no-id-check)";
inline constexpr const char* kFamilyUnusable = "no programming steps are known for ";
inline constexpr const char* kNoSectionNamesChip = "no device of the database names this chip; choose one with --device";
inline constexpr const char* kSeveralSectionsNameChip =
    "more than one device of the database names this chip; choose one with --device";
inline constexpr const char* kNothingBeyondIdRead = "nothing was sent beyond the device-ID read";
// What identify prints, and why a chip that is not the selected device is not written.
inline constexpr const char* kDeviceIdHead = "device ID ";
inline constexpr const char* kOrNext = " or ";
inline constexpr const char* kRevision = ", revision ";
inline constexpr const char* kIdNoDeviceNames = " ID that no device of the database names";
inline constexpr const char* kNoChipAnswering = "no chip answering";
inline constexpr const char* kChipAnswersAs = "chip answers as ";
inline constexpr const char* kButSelectedHead = "), but ";
inline constexpr const char* kSelectedUseDevice = " is selected; use --device ";
inline constexpr const char* kOrNoIdCheck = " or --no-id-check";
inline constexpr const char* kChipAnswersWithId = "chip answers with device ID ";
inline constexpr const char* kButOtherSelected = ", but ";
inline constexpr const char* kSelectedGoOnAnyway = " is selected; use --no-id-check to go on anyway";
inline constexpr const char* kNoChipAnswers = "no chip answers, ";
inline constexpr const char* kSelectedNothingSent = " is selected; nothing was sent beyond the device-ID read";
inline constexpr const char* kComCloseError = "COMM close error.";
inline constexpr const char* kBlankCheckWithoutErase = "--blank-check goes with erase only";
inline constexpr const char* kNoEndOfFile =
    "the file has no end-of-file record, so it may have been cut short; nothing was sent to the chip "
    "(--accept-no-eof uses it as it is)";
inline constexpr const char* kNothingSent = "nothing was sent to the chip";
inline constexpr const char* kNoEepromNote = "note: --no-eeprom does not apply to ";
inline constexpr const char* kNoEepromNoteTail = ", which has no data EEPROM";
inline constexpr const char* kNoIdsNote = "note: --no-ids does not apply to ";
inline constexpr const char* kNoIdsNoteTail = ", which has no ID locations";
// After wiring's verdict when data in is read on the PGD line itself.
inline constexpr const char* kDataInIsPgd =
    "data in is read on the PGD line itself here: this shows that the line can be driven and read back, "
    "not that it reaches the chip's PGD pin; PGC and PGD swapped look the same (identify tells them apart)";
// The silent-chip checklist's lines for a programmer that enters at low voltage.
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
inline constexpr const char* kVppLimitedHint =
    "--vpp-limited goes on, for a programmer whose Vpp is known to be within that limit";
inline constexpr const char* kLvpOffRefused =
    "not programmed: the file's configuration turns LVP off (CONFIG4L bit 2), and this programmer enters the chip "
    "at low voltage. A chip with LVP off enters program mode only with high voltage on MCLR, so it would then need "
    "a high-voltage programmer (and a chip entered at low voltage may keep LVP set, failing the verify). "
    "Set LVP in the file, or give --allow-lvp-off to write it anyway.";

} // namespace velmora::cli
