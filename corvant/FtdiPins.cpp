#include "corvant/FtdiPins.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace corvant {
namespace {

constexpr std::array<std::string_view, kFtdiPinCount> kUartNames{"TXD", "RXD", "RTS", "CTS", "DTR", "DSR", "DCD", "RI"};

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

std::optional<unsigned> ftdiPinBit(std::string_view name)
{
    for (unsigned bit = 0; bit < kFtdiPinCount; ++bit)
        if (equalIgnoringCase(name, kUartNames[bit]))
            return bit;
    if (name.size() == 2 && (name[0] == 'D' || name[0] == 'd') && name[1] >= '0' && name[1] < '0' + static_cast<int>(kFtdiPinCount))
        return static_cast<unsigned>(name[1] - '0');
    return std::nullopt;
}

std::string_view ftdiPinName(unsigned bit)
{
    return bit < kFtdiPinCount ? kUartNames[bit] : std::string_view{};
}

} // namespace corvant
