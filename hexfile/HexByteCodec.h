#pragma once
// Table-driven hex digit decoding and byte formatting for the HEX reader and writer,
// which handle millions of digits per file.

#include <array>
#include <cstdint>
#include <cstring>

namespace velmora::hexcodec {

inline constexpr std::int8_t kNotHex = -1;

// Value of each character as a hex digit, upper or lower case; kNotHex otherwise.
inline constexpr std::array<std::int8_t, 256> kDigitValue = [] {
    std::array<std::int8_t, 256> table{};
    table.fill(kNotHex);
    for (int digit = 0; digit < 10; ++digit)
        table['0' + digit] = static_cast<std::int8_t>(digit);
    for (int digit = 0; digit < 6; ++digit) {
        table['A' + digit] = static_cast<std::int8_t>(10 + digit);
        table['a' + digit] = static_cast<std::int8_t>(10 + digit);
    }
    return table;
}();

inline constexpr char kUpperDigits[] = "0123456789ABCDEF";

// The two upper-case digits of every byte value, side by side.
inline constexpr std::array<char, 512> kBytePairs = [] {
    std::array<char, 512> table{};
    for (int value = 0; value < 256; ++value) {
        table[2 * value] = kUpperDigits[value >> 4];
        table[2 * value + 1] = kUpperDigits[value & 0x0F];
    }
    return table;
}();

// Decodes two hex digits; a negative result means one of them is not hex.
inline int decodePair(char high, char low)
{
    const int highValue = kDigitValue[static_cast<unsigned char>(high)];
    const int lowValue = kDigitValue[static_cast<unsigned char>(low)];
    if ((highValue | lowValue) < 0)
        return kNotHex;
    return (highValue << 4) | lowValue;
}

// Writes the two upper-case digits of value at out; returns the position after them.
inline char* encodeByte(char* out, std::uint8_t value)
{
    std::memcpy(out, &kBytePairs[2 * value], 2);
    return out + 2;
}

} // namespace velmora::hexcodec
