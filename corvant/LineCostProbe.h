#pragma once
// Measures what one line write and one line read cost on an open back end,
// without raising Vpp or clocking PGC: the current, low, levels are set again
// and the data-in line is read, a few hundred times or until the time budget
// is spent.

#include "corvant/PinBackend.h"
#include "corvant/PinStream.h"
#include "corvant/PortSpeed.h"

#include <functional>
#include <optional>

namespace corvant {

// Seconds on a monotonic clock.
using MonotonicClock = std::function<double()>;
MonotonicClock steadyClock();

inline constexpr int kProbeCalls = 256;        // of each kind, at most
inline constexpr double kProbeBudgetSeconds = 0.08; // for each kind

// nullopt when a call fails.
std::optional<LineCosts> measureLineCosts(PinBackend& backend, const MonotonicClock& now);

// The reads a caller resolves in one stream: the ICSP layer reads a 512-byte block
// before it needs the values.
inline constexpr double kStreamedReadsPerExchange = 512 * 8;
inline constexpr int kStreamProbeExchanges = 8;

// What one write and one read cost an operation on a streaming back end: a write
// the time its line state takes beyond the waits around it, a read its share of
// the exchange that answers a block. Measured with the lines low as above: idle
// writes with the shortest wait between them, then exchanges of one read each.
std::optional<LineCosts> measureStreamedCosts(StreamingBackend& backend, const MonotonicClock& now);

} // namespace corvant
