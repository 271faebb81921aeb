#pragma once
// Measures what one line write and one line read cost on an open back end,
// without raising Vpp or clocking PGC: the current, low, levels are set again
// and the data-in line is read, a few hundred times or until the time budget
// is spent.

#include "corvant/PinBackend.h"
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

} // namespace corvant
