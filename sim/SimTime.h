#pragma once
// Time as the simulated chip sees it: nanoseconds from an origin chosen by whoever
// clocks the model (the real monotonic counter in corvant, a virtual clock in tests).

#include <chrono>

namespace velmora::sim {

using SimTime = std::chrono::nanoseconds;

using namespace std::chrono_literals;

} // namespace velmora::sim
