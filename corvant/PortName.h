#pragma once
// The pieces of a ComInit port string that more than one reader needs: the prefix
// that picks a back end, the number of a "COM<n>" port, and whether the programmer
// enters the chip at low voltage.

#include <optional>
#include <string_view>

namespace corvant {

bool startsWithIgnoringCase(std::string_view text, std::string_view upperCasePrefix);

// "COM<n>" (any case, n >= 1 in plain digits without leading zeros); nullopt for
// anything else.
std::optional<unsigned> parseComPort(std::string_view text);

// True when the port's programmer enters program mode at low voltage (PGM high, MCLR
// at VDD): a SIM port with the lvp option, a GPIO port with a pgm= line.
bool entersAtLowVoltage(std::string_view port);

} // namespace corvant
