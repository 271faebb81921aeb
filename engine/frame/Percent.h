#pragma once
// The progress position every loop posts.

#include <cstdint>

namespace velmora {

// index × 100 / divisor, or 100 when divisor is 0 (a loop of one element).
constexpr std::uint16_t percent(std::uint32_t index, std::uint32_t divisor)
{
    if (divisor == 0)
        return 100;
    return static_cast<std::uint16_t>(std::uint64_t{index} * 100 / divisor);
}

} // namespace velmora
