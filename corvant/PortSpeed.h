#pragma once
// How fast a port is: what one line change and one line read cost (the library
// measures them and offers them through GetLineCosts), what an operation's calls
// and waits make of them, and the words GetDllInfo says it in.

#include <cstdint>
#include <string>

namespace corvant {

struct LineCosts {
    double writeSeconds = 0; // one ProgrammerWrite
    double readSeconds = 0;  // one ProgrammerRead
};

// What an operation asks of the pin interface: its calls, and the waits of the
// protocol itself in the delay library's 5 us units.
struct PinWork {
    std::uint64_t writes = 0;
    std::uint64_t reads = 0;
    std::uint64_t waitUnits = 0;
    bool operator==(const PinWork&) const = default;
};

// The full read GetDllInfo's words speak of: a 32 KB / 256-byte chip (program
// memory, EEPROM, IDs, device ID, configuration). The words are all it serves;
// judgements use the engine's own count of it (engine/OperationTime), which a
// test holds equal to this.
inline constexpr PinWork kWordsFullRead{1486672, 264384, 1946672};

// The estimate is slow beyond this many times the protocol's own time.
inline constexpr double kSlowFactor = 3.0;

double protocolSeconds(const PinWork& work);
// The protocol's own time and the calls' cost on a port with these costs.
double workSeconds(const PinWork& work, const LineCosts& costs);
bool isSlowPort(const PinWork& work, const LineCosts& costs);

// "1.1 ms", "850 ns"
std::string costText(double seconds);
// "9.7 s", "4 min 10 s", "1 h 20 min"
std::string durationText(double seconds);

// "line change 1.1 ms, line read 1.0 ms: a full read of a 32 KB chip takes about
// 31 min on this port", with the protocol's own time added for a slow port.
std::string speedText(const LineCosts& costs);

} // namespace corvant
