#include "corvant/FtdiPortOptions.h"

#include "corvant/CorvantTexts.h"
#include "corvant/FtdiPins.h"
#include "corvant/PortName.h"
#include "corvant/PortOptionText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

namespace corvant {
namespace {

enum Role { Vpp, Mclr, Pgc, Pgd, PgdIn, Pgm, RoleCount };
constexpr std::array<std::string_view, RoleCount> kRoleNames{"vpp", "mclr", "pgc", "pgd", "pgdin", "pgm"};
constexpr std::string_view kInterface = "interface";
// mclr=TXD, pgc=RTS, pgd=DTR, pgdin=CTS: the wiring documented for an FT232R board.
constexpr unsigned kDefaultMclr = 0, kDefaultPgc = 2, kDefaultPgd = 4, kDefaultPgdIn = 3;

// Exactly 4 hex digits after an optional 0x.
std::optional<std::uint16_t> parseId(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    if (text.size() != 4 || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); }))
        return std::nullopt;
    std::uint16_t id = 0;
    std::from_chars(text.data(), text.data() + text.size(), id, 16);
    return id;
}

bool parseDevice(std::string_view text, FtdiWiring& wiring, std::string& failure)
{
    const auto fields = split(text, ':');
    const auto vendor = parseId(fields[0]);
    const auto product = fields.size() > 1 ? parseId(fields[1]) : std::nullopt;
    if (!vendor || !product || fields.size() > 3 || (fields.size() == 3 && fields[2].empty())) {
        failure = std::string(texts::kFtdiBadDevice) + std::string(text);
        return false;
    }
    wiring.vendor = *vendor;
    wiring.product = *product;
    if (fields.size() == 3)
        wiring.serial = std::string(fields[2]);
    return true;
}

struct Parsed {
    std::array<std::optional<unsigned>, RoleCount> pins;
    std::optional<unsigned> channel;
};

bool parseOption(std::string_view option, Parsed& parsed, std::string& failure)
{
    const auto equals = option.find('=');
    const std::string name = lowerCase(option.substr(0, equals));
    const auto role = std::find(kRoleNames.begin(), kRoleNames.end(), name);
    if (equals == std::string_view::npos || (role == kRoleNames.end() && name != kInterface)) {
        failure = std::string(texts::kFtdiBadOption) + std::string(option);
        return false;
    }
    const std::string_view value = option.substr(equals + 1);
    auto& slot = role == kRoleNames.end() ? parsed.channel : parsed.pins[static_cast<std::size_t>(role - kRoleNames.begin())];
    if (slot) {
        failure = std::string(texts::kFtdiRepeatedOption) + name;
        return false;
    }
    if (role == kRoleNames.end()) {
        const std::string letter = lowerCase(value);
        if (letter.size() != 1 || letter[0] < 'a' || letter[0] > 'd') {
            failure = std::string(texts::kFtdiBadInterface) + std::string(value);
            return false;
        }
        slot = static_cast<unsigned>(letter[0] - 'a') + 1;
        return true;
    }
    slot = ftdiPinBit(value);
    if (!slot) {
        failure = std::string(texts::kFtdiBadPin) + std::string(option);
        return false;
    }
    return true;
}

bool given(const Parsed& parsed, Role role)
{
    return parsed.pins[static_cast<std::size_t>(role)].has_value();
}

// The default map when no pin but pgm= is given; otherwise every role named.
bool completeRoles(Parsed& parsed, std::string& failure)
{
    if (std::none_of(parsed.pins.begin(), parsed.pins.begin() + Pgm, [](const auto& pin) { return pin.has_value(); })) {
        parsed.pins[Mclr] = kDefaultMclr;
        parsed.pins[Pgc] = kDefaultPgc;
        parsed.pins[Pgd] = kDefaultPgd;
        parsed.pins[PgdIn] = kDefaultPgdIn;
    }
    if (given(parsed, Vpp) && given(parsed, Mclr)) {
        failure = texts::kFtdiVppAndMclr;
        return false;
    }
    if (given(parsed, Pgm) && given(parsed, Vpp)) {
        failure = texts::kFtdiPgmWithVpp;
        return false;
    }
    for (Role role : {given(parsed, Mclr) ? Mclr : Vpp, Pgc, Pgd, PgdIn}) {
        if (!given(parsed, role)) {
            failure = std::string(texts::kFtdiMissingRole) + std::string(kRoleNames[role]);
            return false;
        }
    }
    for (std::size_t a = 0; a < RoleCount; ++a)
        for (std::size_t b = a + 1; b < RoleCount; ++b)
            if (parsed.pins[a] && parsed.pins[b] && *parsed.pins[a] == *parsed.pins[b]) {
                failure = std::string(ftdiPinName(*parsed.pins[a])) + std::string(texts::kFtdiPinTwice)
                    + std::string(kRoleNames[a]) + " and " + std::string(kRoleNames[b]);
                return false;
            }
    return true;
}

} // namespace

std::optional<FtdiWiring> parseFtdiPort(std::string_view port, std::string& failure)
{
    const auto fail = [&failure] {
        failure += std::string("; ") + std::string(texts::kFtdiUsage);
        return std::nullopt;
    };
    if (portKind(port) != PortKind::Ftdi) {
        failure = texts::kFtdiUsage;
        return std::nullopt;
    }
    const auto parts = split(port.substr(portPrefix(PortKind::Ftdi).size()), ',');
    FtdiWiring wiring;
    if (!parseDevice(parts.front(), wiring, failure))
        return fail();
    Parsed parsed;
    for (std::size_t i = 1; i < parts.size(); ++i)
        if (!parseOption(parts[i], parsed, failure))
            return fail();
    if (!completeRoles(parsed, failure))
        return fail();
    wiring.channel = parsed.channel.value_or(0);
    wiring.logicLevelMclr = given(parsed, Mclr);
    wiring.vpp = *parsed.pins[wiring.logicLevelMclr ? Mclr : Vpp];
    wiring.pgc = *parsed.pins[Pgc];
    wiring.pgd = *parsed.pins[Pgd];
    wiring.pgdIn = *parsed.pins[PgdIn];
    wiring.pgm = parsed.pins[Pgm];
    return wiring;
}

std::string ftdiDeviceName(const FtdiWiring& wiring)
{
    char ids[10];
    std::snprintf(ids, sizeof ids, "%04x:%04x", wiring.vendor, wiring.product);
    return wiring.serial.empty() ? std::string(ids) : std::string(ids) + ":" + wiring.serial;
}

} // namespace corvant
