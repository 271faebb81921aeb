#pragma once
// Every text the HEX loader, writer and checksum step show to the user.
// The texts are the program's own; keep them byte for byte (the missing space in
// kAddressOutsideMap tells the two address errors apart).

#include <string>
#include <string_view>

namespace velmora::hexmessages {

inline constexpr std::string_view kCannotOpenFile = "Cannot open the file.";
inline constexpr std::string_view kFileIoError = "File I/O error.";
inline constexpr std::string_view kFormatError = "INHX32 HEX file error.";
inline constexpr std::string_view kChecksumErrorPrefix = "INHX32 HEX file error.\r\nIncorrect checksum at line ";
inline constexpr std::string_view kAddressBeyondDevice =
    "Nonwritable address for the specified device in the HEX file.";
inline constexpr std::string_view kAddressOutsideMap =
    "Nonwritable address for the specifieddevice in the HEX file.";
inline constexpr std::string_view kSegmentAddressPrefix =
    "Program cannot determine segment address\r\nin the HEX file, line ";
inline constexpr std::string_view kLinearAddressPrefix =
    "Program cannot determine lin. address\r\nin the HEX file, line ";
inline constexpr std::string_view kLineNumberSuffix = ".";
// After either address error: the address (6 hex digits or more) and the line.
inline constexpr std::string_view kOffendingAddressPrefix = "\r\nAddress ";
inline constexpr std::string_view kOffendingLinePrefix = ", line ";
inline constexpr std::string_view kEofMissing = "HEX file eof string was not found.";
// After a load for a part that keeps its configuration words in flash (the J parts).
inline constexpr std::string_view kConfigMovedToFlash =
    "The HEX file carries the configuration words at 300000h.\r\n"
    "This device keeps them in the last 8 bytes of program memory: they were placed there.";

inline constexpr std::string_view kCannotCreateFile = "Program cannot open file for write.";
inline constexpr std::string_view kFileWriteError = "File write error.";
inline constexpr std::string_view kFileCloseError = "File close error.";

inline constexpr std::string_view kChecksumQuestion =
    "Value of last program word from HEX differs\r\nfrom its default value. Add checksum anyway?";

// The application-wide error hook's text for a checksum warn value that is no integer.
inline constexpr std::string_view kInvalidIntegerFormat = "'%s' is not a valid integer value";

} // namespace velmora::hexmessages
