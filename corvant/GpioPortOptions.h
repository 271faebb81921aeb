#pragma once
// The port strings of the GPIO programmer:
//   GPIO:<chip>,vpp=<line>,pgc=<line>,pgd=<line>[,pgdin=<line>][,active-low=<role>[+<role>...]]
//   GPIO:<chip>,mclr=<line>,pgm=<line>,pgc=<line>,pgd=<line>[,...]   (low-voltage entry by PGM)
//   GPIO:<chip>,mclr=<line>,pgc=<line>,pgd=<line>[,...]               (low-voltage entry by key)
// <chip> is a chip's name, number, label or path (GpioChipLookup.h); lines are
// offsets on that chip. Without pgdin, PGD is one open-drain line; with it, PGD
// is push-pull and the target's data is read on pgdin. mclr= instead of vpp=
// drives MCLR at logic level: the programmer then enters programming mode at low
// voltage, raising pgm=, the line on the chip's PGM pin, around MCLR when it is
// given, and clocking in the 32-bit key with MCLR low when it is not. active-low names
// the roles (vpp, mclr, pgm, pgc, pgd, pgdin) whose line is low when the signal
// is on, as behind an inverting Vpp switch. "GPIO" and the option names are
// case-insensitive; each option at most once.

#include <optional>
#include <string>
#include <string_view>

namespace corvant {

struct GpioLine {
    unsigned offset = 0;
    bool activeLow = false;
};

struct GpioWiring {
    std::string chip;
    GpioLine vpp;  // the line on MCLR/Vpp: a Vpp switch, or MCLR itself when logicLevelMclr
    GpioLine pgc;
    GpioLine pgd;
    std::optional<GpioLine> pgdIn;
    // Low-voltage entry: vpp drives MCLR at logic level (mclr=), and pgm, when
    // given, the PGM pin; pgm= without mclr= is refused.
    bool logicLevelMclr = false;
    std::optional<GpioLine> pgm;
};

// nullopt with the reason in failure for a string that is not a valid GPIO port.
std::optional<GpioWiring> parseGpioPort(std::string_view port, std::string& failure);

} // namespace corvant
