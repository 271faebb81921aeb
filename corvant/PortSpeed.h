#pragma once
// How fast a port is, in the words GetDllInfo uses: what one line change and one
// line read cost, and what that makes of a full read of a 32 KB / 256-byte chip.
// Both the library (which measures and writes the words) and its callers (which
// read them back to warn) use this one model.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvant {

struct LineCosts {
    double writeSeconds = 0; // one ProgrammerWrite
    double readSeconds = 0;  // one ProgrammerRead
};

// A full read of a 32 KB / 256-byte chip (program memory, EEPROM, IDs, device
// ID, configuration): the calls it makes and the waits of the protocol itself.
inline constexpr std::uint64_t kFullReadWrites = 1486672;
inline constexpr std::uint64_t kFullReadReads = 264384;
inline constexpr std::uint64_t kFullReadWaitUnits = 1946672; // 5 us units

// The estimate is slow beyond this many times the protocol's own time.
inline constexpr double kSlowFactor = 3.0;

double protocolFullReadSeconds();
double fullReadSeconds(const LineCosts& costs);
bool isSlowPort(const LineCosts& costs);

// "1.1 ms", "850 ns"
std::string costText(double seconds);
// "9.7 s", "4 min 10 s", "1 h 20 min"
std::string durationText(double seconds);

// "line change 1.1 ms, line read 1.0 ms: a full read of a 32 KB chip takes about
// 31 min on this port", with the protocol's own time added for a slow port.
std::string speedText(const LineCosts& costs);
// The costs back from a text that contains speedText (as GetDllInfo does), to
// the precision the text shows; nullopt when there are none.
std::optional<LineCosts> parseSpeedText(std::string_view text);
// The estimate sentence alone, from "a full read" on; empty when there is none.
std::string_view estimateSentence(std::string_view text);

} // namespace corvant
