#pragma once
// The remembered levels of the programmer's lines. Each write to the pin interface
// sends all three outputs from here, so a step that changes one line re-sends the
// others unchanged.

#include <cstdint>

namespace velmora {

struct PinState {
    std::uint8_t vpp = 0;     // 1: programming voltage on MCLR
    std::uint8_t data = 0;    // level driven on PGD
    std::uint8_t clock = 0;   // level driven on PGC
    std::uint8_t dataIn = 0;  // last sampled data-in level, 0 or 1
};

} // namespace velmora
