#pragma once
// Every text corvant hands out: the GetDllInfo line and the reasons a port did
// not open (shown after "no port open" so the user can see why).

#include <string_view>

namespace corvant::texts {

inline constexpr std::string_view kLibrary = "corvant 1.0";
inline constexpr std::string_view kNoPortOpen = "no port open";

inline constexpr std::string_view kNoPortName = "no port name given";
inline constexpr std::string_view kBadPortName =
    "not a port name; use COM1 to COMn, a device path such as /dev/ttyUSB0, or SIM";
inline constexpr std::string_view kUnknownSimPort = "the simulated programmer does not accept it";

inline constexpr std::string_view kCannotOpen = "cannot open ";
inline constexpr std::string_view kPermissionHint = " (is the user in the dialout group?)";
inline constexpr std::string_view kNotSerialPort = " is not a serial port";
inline constexpr std::string_view kInUse = " is in use by another program";
inline constexpr std::string_view kCannotSetUp = "cannot set up ";
inline constexpr std::string_view kNoSuchPort = ": no such port";
inline constexpr std::string_view kWindowsError = ": Windows error ";
inline constexpr std::string_view kNoModemLines = " has no modem control lines (DTR, RTS, break, CTS)";

inline constexpr std::string_view kJdmProgrammer = "JDM serial bit-bang programmer on ";
inline constexpr std::string_view kJdmWiring = " (Vpp=TxD break, PGD=DTR, PGC=RTS, data in=CTS)";

} // namespace corvant::texts
