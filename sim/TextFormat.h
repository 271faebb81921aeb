#pragma once
// Small formatting helpers for the simulator's messages and trace lines.

#include <cstdint>
#include <string>

#include "sim/SimTime.h"

namespace velmora::sim {

// Upper-case hexadecimal with exactly `digits` digits.
std::string hexDigits(std::uint32_t value, int digits);

// A 4-bit ICSP command as printed in the programming guides: "1101".
std::string commandBitsText(std::uint8_t command);

// "1.005 ms", "100 us", "40 ns": the unit that keeps the number readable.
std::string durationText(SimTime duration);

} // namespace velmora::sim
