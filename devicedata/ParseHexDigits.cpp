#include "devicedata/ParseHexDigits.h"

namespace velmora {

namespace {
constexpr std::size_t kMaxHexDigits = 8;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::uint32_t ParseHexDigits(std::string_view text, std::uint32_t defaultValue)
{
    if (text.empty() || text.size() > kMaxHexDigits)
        return defaultValue;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return defaultValue;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

} // namespace velmora
