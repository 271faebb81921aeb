#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// Checksum byte of one record: text is the record without its CC (":" included).
// Adds the (n - 1) div 2 two-character groups after the ":" (a group that is not hex
// counts as 0) and returns the two's complement of the sum, modulo 256.
std::uint8_t HexLineChecksum(std::string_view text);

// The checksum byte for a record whose bytes before it add up to sum: the two's
// complement of the sum, modulo 256. The reader and the writer, which work on bytes
// rather than text, use it directly.
inline std::uint8_t ChecksumOfSum(std::uint32_t sum)
{
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

} // namespace velmora
