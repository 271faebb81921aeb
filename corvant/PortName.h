#pragma once
// The pieces of a ComInit port string that more than one back end reads: the
// prefix that picks a back end, and the number of a "COM<n>" port.

#include <optional>
#include <string_view>

namespace corvant {

bool startsWithIgnoringCase(std::string_view text, std::string_view upperCasePrefix);

// "COM<n>" (any case, n >= 1 in plain digits without leading zeros); nullopt for
// anything else.
std::optional<unsigned> parseComPort(std::string_view text);

} // namespace corvant
