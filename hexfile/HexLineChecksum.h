#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// Checksum byte of one record: text is the record without its CC (":" included).
// Adds the (n - 1) div 2 two-character groups after the ":" (a group that is not hex
// counts as 0) and returns the two's complement of the sum, modulo 256.
std::uint8_t HexLineChecksum(std::string_view text);

} // namespace velmora
