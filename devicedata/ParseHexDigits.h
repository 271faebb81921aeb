#pragma once
// Hex text to number for the configuration masks and the HEX reader and writer.

#include <cstdint>
#include <string_view>

namespace velmora {

// 1 to 8 characters, each 0-9, A-F or a-f, most significant first. An empty text,
// a text longer than 8 characters or any other character yields defaultValue.
std::uint32_t ParseHexDigits(std::string_view text, std::uint32_t defaultValue);

// The value of one hex digit character, or -1 when it is none.
int HexDigitValue(char c);

} // namespace velmora
