#pragma once
// The integer syntax of Devices.ini and the program's integer entry fields.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

// Leading blanks (spaces, tabs), an optional sign, then either decimal digits or
// a hex prefix ("$", "x", "X", "0x", "0X") and 1 to 8 hex digits; nothing may follow.
//
// Decimal must lie within the signed 32-bit range. Hex digits form a 32-bit word
// read as two's complement, so "0xFFFFFFFF" is -1 and "0x80000000" is INT32_MIN:
// eight hex digits always fit, as the database format promises, and a size written
// that way still fails the database's unsigned size check. A minus sign negates the
// value the digits name, which must then fit: "-0x80000000" is INT32_MIN, while
// "-0x80000001" and "-0xFFFFFFFF" are not numbers.
//
// Anything else, including a value that does not fit, is not a number.
std::optional<std::int32_t> ParseInteger(std::string_view text);

} // namespace velmora
