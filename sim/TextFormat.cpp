#include "sim/TextFormat.h"

#include <cstdio>

namespace velmora::sim {

std::string hexDigits(std::uint32_t value, int digits)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

std::string commandBitsText(std::uint8_t command)
{
    std::string text(4, '0');
    for (int bit = 0; bit < 4; ++bit)
        text[static_cast<std::size_t>(3 - bit)] = ((command >> bit) & 1) != 0 ? '1' : '0';
    return text;
}

std::string durationText(SimTime duration)
{
    const auto ns = duration.count();
    char text[32];
    if (ns >= 1'000'000)
        std::snprintf(text, sizeof text, "%.3f ms", static_cast<double>(ns) / 1e6);
    else if (ns >= 1'000)
        std::snprintf(text, sizeof text, "%.3f us", static_cast<double>(ns) / 1e3);
    else
        std::snprintf(text, sizeof text, "%lld ns", static_cast<long long>(ns));
    return text;
}

} // namespace velmora::sim
