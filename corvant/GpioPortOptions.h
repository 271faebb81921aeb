#pragma once
// The port strings of the GPIO programmer:
//   GPIO:<chip>,vpp=<line>,pgc=<line>,pgd=<line>[,pgdin=<line>][,active-low=<role>[+<role>...]]
// <chip> is what libgpiod's chip lookup takes; lines are offsets on that chip.
// Without pgdin, PGD is one open-drain line; with it, PGD is push-pull and the
// target's data is read on pgdin. active-low names the roles (vpp, pgc, pgd,
// pgdin) whose line is low when the signal is on, as behind an inverting Vpp
// switch. "GPIO" and the option names are case-insensitive; each option at most once.

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
    GpioLine vpp;
    GpioLine pgc;
    GpioLine pgd;
    std::optional<GpioLine> pgdIn;
};

inline constexpr std::string_view kGpioPrefix = "GPIO:";

// nullopt with the reason in failure for a string that is not a valid GPIO port.
std::optional<GpioWiring> parseGpioPort(std::string_view port, std::string& failure);

} // namespace corvant
