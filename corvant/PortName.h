#pragma once
// What a port string says about its programmer: its kind, told by its prefix in any
// case, the number of a "COM<n>" port, and whether the programmer enters the chip at
// low voltage. Everyone who needs a port's kind asks portKind().

#include <optional>
#include <string_view>

namespace corvant {

// A new kind of programmer is one value here and one row in PortName.cpp.
enum class PortKind {
    Unknown,      // no programmer takes it
    Sim,          // "SIM", "SIM:<chip>,...": the simulated programmer
    Gpio,         // "GPIO:<chip>,...": lines of a GPIO chip
    ComName,      // "COM<n>": a serial port by its number
    SerialDevice, // "/dev/ttyUSB0", "\\.\COM10": a serial port by this platform's device path
};

// The kind whose prefix the port starts with, ignoring case.
PortKind portKind(std::string_view port);

// The prefix that tells the kind, as written in the usage texts; empty for Unknown.
std::string_view portPrefix(PortKind kind);

// True for the serial kinds, the ports of the JDM programmer.
bool isSerialKind(PortKind kind);

// "COM<n>" (any case, n >= 1 in plain digits without leading zeros); nullopt for
// anything else.
std::optional<unsigned> parseComPort(std::string_view text);

// True when the port's programmer enters program mode at low voltage (PGM high, MCLR
// at VDD): a valid SIM port with the lvp option, a valid GPIO port with a pgm= line.
bool entersAtLowVoltage(std::string_view port);

} // namespace corvant
