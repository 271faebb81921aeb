#include "hexfile/HexLineChecksum.h"

#include "devicedata/ParseHexDigits.h"

namespace velmora {

std::uint8_t HexLineChecksum(std::string_view text)
{
    if (text.empty())
        return 0;
    const std::size_t groups = (text.size() - 1) / 2;
    std::uint32_t sum = 0;
    for (std::size_t group = 0; group < groups; ++group)
        sum += ParseHexDigits(text.substr(1 + 2 * group, 2), 0);
    return ChecksumOfSum(sum);
}

} // namespace velmora
