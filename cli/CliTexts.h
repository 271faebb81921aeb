#pragma once
// Texts of the command-line front end that the engine and the libraries do not own.

namespace velmora::cli {

inline constexpr const char* kVersion = "velmora-cli " VELMORA_VERSION "\n";

inline constexpr const char* kUsage =
    "usage: velmora-cli [options] COMMAND\n"
    "\n"
    "Commands:\n"
    "  read FILE.hex      read the chip and save it as an Intel HEX file\n"
    "  program FILE.hex   load the file, erase the chip, program and read back every area\n"
    "  verify FILE.hex    compare the chip with the file\n"
    "  erase              erase the chip\n"
    "  blank-check        check that the chip is erased\n"
    "  devices            list the devices of the database\n"
    "  info               describe the programmer\n"
    "\n"
    "Options:\n"
    "  --port STR             programmer port: COM1..COMn, a device path, or SIM[:chip[,image=FILE]] (default SIM)\n"
    "  --device NAME          device section of the database, any case (default: the first)\n"
    "  --devices PATH         device database (default: Devices.ini beside this program)\n"
    "  --no-program --no-eeprom --no-ids --no-config\n"
    "                         leave out program memory, EEPROM, ID locations or configuration\n"
    "  --multi-panel          multi-panel writes on devices that have panels\n"
    "  --no-fast-verify       read back every byte after programming, not only the file's\n"
    "  --checksum sum|zero    put a checksum in the last program word after loading\n"
    "  --checksum-warn VALUE  ask before replacing a last word that is not VALUE\n"
    "  --stop-at-first        answer Abort at the first difference a verify finds (default: go on)\n"
    "  --help                 this text\n"
    "  --version              the program's name and version\n"
    "\n"
    "Exit status: 0 done, 1 the chip differs from the file (or is not blank), 2 failure.\n";

inline constexpr const char* kUnknownOption = "unknown option: ";
inline constexpr const char* kMissingValue = "missing value for ";
inline constexpr const char* kUnknownCommand = "unknown command: ";
inline constexpr const char* kMissingFile = "missing file name for ";
inline constexpr const char* kExtraArgument = "unexpected argument: ";
inline constexpr const char* kBadChecksumType = "--checksum takes sum or zero, not ";
inline constexpr const char* kWarnWithoutChecksum = "--checksum-warn needs --checksum";
inline constexpr const char* kNoDevices = "no device in ";
inline constexpr const char* kUnknownDevice = "no device named ";
inline constexpr const char* kIn = " in ";
inline constexpr const char* kPortFailed = "cannot open the programmer port ";
inline constexpr const char* kLibraryInfo = "Information from \"corvant.dll\" library:\r\n";
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

} // namespace velmora::cli
