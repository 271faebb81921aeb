#pragma once
// What a port string says about its programmer: its kind, told by its prefix in any
// case, the number of a "COM<n>" port, how the programmer reaches MCLR and whether its
// Vpp can be kept low. Everyone who needs a port's kind asks portKind().

#include <optional>
#include <string_view>

#include "signalling/EntryWiring.h"

namespace corvant {

// A new kind of programmer is one value here and one row in PortName.cpp.
enum class PortKind {
    Unknown,      // no programmer takes it
    Sim,          // "SIM", "SIM:<chip>,...": the simulated programmer
    Gpio,         // "GPIO:<chip>,...": lines of a GPIO chip
    Ftdi,         // "FTDI:<vendor>:<product>...": an FTDI chip's pins in synchronous bit-bang mode
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

// How the port's programmer reaches MCLR. A valid GPIO port with mclr= drives MCLR at
// logic level, with a PGM line when pgm= is given and without one (the key entry)
// when not; a valid SIM port with the lvp option does what the simulated chip's pins
// allow. Everything else, an invalid port too, puts Vpp on MCLR.
velmora::EntryWiring entryWiring(std::string_view port);

// True for the JDM serial programmer: its Vpp comes from TxD through the adapter's own
// circuit, about 13 V, and nothing the program does can make it lower.
bool vppIsUnregulated(std::string_view port);

} // namespace corvant
