#include "corvant/GpioPortOptions.h"

#include "corvant/CorvantTexts.h"
#include "corvant/PortName.h"
#include "corvant/PortOptionText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <vector>

namespace corvant {
namespace {

enum Role { Vpp, Mclr, Pgm, Pgc, Pgd, PgdIn, RoleCount };
constexpr std::array<std::string_view, RoleCount> kRoleNames{"vpp", "mclr", "pgm", "pgc", "pgd", "pgdin"};
constexpr std::string_view kActiveLow = "active-low";

std::optional<unsigned> parseOffset(std::string_view digits)
{
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned offset = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), offset);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return offset;
}

int roleOf(std::string_view name)
{
    const auto found = std::find(kRoleNames.begin(), kRoleNames.end(), name);
    return found == kRoleNames.end() ? -1 : static_cast<int>(found - kRoleNames.begin());
}

struct Parsed {
    std::array<std::optional<unsigned>, RoleCount> offsets;
    std::array<bool, RoleCount> activeLow{};
    bool activeLowGiven = false;
};

bool parseActiveLow(std::string_view roles, Parsed& parsed, std::string& failure)
{
    if (parsed.activeLowGiven) {
        failure = std::string(texts::kGpioRepeatedOption) + std::string(kActiveLow);
        return false;
    }
    parsed.activeLowGiven = true;
    for (std::string_view name : split(roles, '+')) {
        const int role = roleOf(name);
        if (role < 0) {
            failure = std::string(texts::kGpioUnknownRole) + std::string(name);
            return false;
        }
        parsed.activeLow[static_cast<std::size_t>(role)] = true;
    }
    return true;
}

bool parseOption(std::string_view option, Parsed& parsed, std::string& failure)
{
    const auto equals = option.find('=');
    if (equals == std::string_view::npos) {
        failure = std::string(texts::kGpioBadOption) + std::string(option);
        return false;
    }
    const std::string name = lowerCase(option.substr(0, equals));
    const std::string_view value = option.substr(equals + 1);
    if (name == kActiveLow)
        return parseActiveLow(lowerCase(value), parsed, failure);
    const int role = roleOf(name);
    if (role < 0) {
        failure = std::string(texts::kGpioBadOption) + std::string(option);
        return false;
    }
    auto& slot = parsed.offsets[static_cast<std::size_t>(role)];
    if (slot) {
        failure = std::string(texts::kGpioRepeatedOption) + name;
        return false;
    }
    slot = parseOffset(value);
    if (!slot) {
        failure = std::string(texts::kGpioBadLine) + std::string(option);
        return false;
    }
    return true;
}

bool given(const Parsed& parsed, Role role)
{
    return parsed.offsets[static_cast<std::size_t>(role)].has_value();
}

// Either a Vpp switch, or MCLR at logic level for low-voltage entry: with PGM for the
// parts that have the pin, without it for the parts entered by the key.
bool checkEntry(const Parsed& parsed, std::string& failure)
{
    if (given(parsed, Vpp) && given(parsed, Mclr)) {
        failure = texts::kGpioVppAndMclr;
        return false;
    }
    if (given(parsed, Pgm) && !given(parsed, Mclr)) {
        failure = given(parsed, Vpp) ? texts::kGpioPgmWithVpp : texts::kGpioPgmWithoutMclr;
        return false;
    }
    if (!given(parsed, Vpp) && !given(parsed, Mclr)) {
        failure = std::string(texts::kGpioMissingRole) + std::string(kRoleNames[Vpp]);
        return false;
    }
    return true;
}

// Every role given, no line used twice, active-low only for roles in use.
bool checkLines(const Parsed& parsed, std::string& failure)
{
    if (!checkEntry(parsed, failure))
        return false;
    for (int role : {Pgc, Pgd}) {
        if (!parsed.offsets[static_cast<std::size_t>(role)]) {
            failure = std::string(texts::kGpioMissingRole) + std::string(kRoleNames[static_cast<std::size_t>(role)]);
            return false;
        }
    }
    for (std::size_t a = 0; a < RoleCount; ++a) {
        if (parsed.activeLow[a] && !parsed.offsets[a]) {
            failure = std::string(texts::kGpioActiveLowUnused) + std::string(kRoleNames[a]);
            return false;
        }
        for (std::size_t b = a + 1; b < RoleCount; ++b) {
            if (parsed.offsets[a] && parsed.offsets[b] && *parsed.offsets[a] == *parsed.offsets[b]) {
                failure = "line " + std::to_string(*parsed.offsets[a]) + std::string(texts::kGpioLineTwice)
                    + std::string(kRoleNames[a]) + " and " + std::string(kRoleNames[b]);
                return false;
            }
        }
    }
    return true;
}

GpioLine lineOf(const Parsed& parsed, Role role)
{
    const auto index = static_cast<std::size_t>(role);
    return GpioLine{*parsed.offsets[index], parsed.activeLow[index]};
}

} // namespace

std::optional<GpioWiring> parseGpioPort(std::string_view port, std::string& failure)
{
    if (portKind(port) != PortKind::Gpio) {
        failure = texts::kGpioUsage;
        return std::nullopt;
    }
    const auto parts = split(port.substr(portPrefix(PortKind::Gpio).size()), ',');
    if (parts.front().empty()) {
        failure = std::string(texts::kGpioNoChip) + std::string(texts::kGpioUsage);
        return std::nullopt;
    }
    Parsed parsed;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (!parseOption(parts[i], parsed, failure)) {
            failure += std::string("; ") + std::string(texts::kGpioUsage);
            return std::nullopt;
        }
    }
    if (!checkLines(parsed, failure)) {
        failure += std::string("; ") + std::string(texts::kGpioUsage);
        return std::nullopt;
    }
    GpioWiring wiring;
    wiring.chip = std::string(parts.front());
    wiring.logicLevelMclr = given(parsed, Mclr);
    wiring.vpp = lineOf(parsed, wiring.logicLevelMclr ? Mclr : Vpp);
    wiring.pgc = lineOf(parsed, Pgc);
    wiring.pgd = lineOf(parsed, Pgd);
    if (given(parsed, PgdIn))
        wiring.pgdIn = lineOf(parsed, PgdIn);
    if (given(parsed, Pgm))
        wiring.pgm = lineOf(parsed, Pgm);
    return wiring;
}

} // namespace corvant
