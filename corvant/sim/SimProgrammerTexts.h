#pragma once
// Every text of the simulated programmer: how it describes itself in GetDllInfo and
// why it refuses a port string. The offending part follows.

#include <string_view>

namespace velmora::sim::messages {

// How the SIM programmer describes itself in GetDllInfo.
inline constexpr std::string_view kSimulatedChip = "simulated ";
inline constexpr std::string_view kModelFrom = " (model after ";
inline constexpr std::string_view kImageFile = ", image ";
inline constexpr std::string_view kNoImageFile = ", erased, not kept";
inline constexpr std::string_view kTraceFile = ", trace ";
inline constexpr std::string_view kOnPort = ") on ";
inline constexpr std::string_view kCannotCreateTrace = "cannot create the trace file ";
inline constexpr std::string_view kLowVoltageEntry = ", low-voltage entry (PGM, MCLR at VDD)";
inline constexpr std::string_view kKeyEntry = ", low-voltage entry (MCLR at VDD, entry key)";
inline constexpr std::string_view kNoPgmPin =
    " has no PGM pin and takes no entry key: it cannot be entered at low voltage, leave out lvp";
inline constexpr std::string_view kNoLvpBit =
    " has no LVP configuration bit: it cannot be entered at low voltage, leave out lvp";

// Why a SIM port string was refused; the offending part follows.
inline constexpr std::string_view kSimNeedsColon = "a chip name follows SIM after a colon, not ";
inline constexpr std::string_view kUnknownChip = "no simulated chip named ";
inline constexpr std::string_view kUnknownOption = "unknown option ";
inline constexpr std::string_view kEmptyOption = "an empty option (two commas in a row, or one at the end)";
inline constexpr std::string_view kOptionWithoutValue = "no value given for ";
inline constexpr std::string_view kOptionTwice = "option given twice: ";
inline constexpr std::string_view kUnknownFault = "unknown fault ";
inline constexpr std::string_view kKnownFaults = " (absent, no-vpp, data-in-low)";
inline constexpr std::string_view kImageIsTrace = "image= and trace= name the same file, which would lose the trace: ";

} // namespace velmora::sim::messages
