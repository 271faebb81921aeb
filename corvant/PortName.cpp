#include "corvant/PortName.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <string>

#include "corvant/FtdiPortOptions.h"
#include "corvant/GpioPortOptions.h"
#include "corvant/sim/SimPortOptions.h"

namespace corvant {
namespace {

struct KindRow {
    PortKind kind;
    std::string_view prefix;
};

// How a serial device path starts on this platform: "/" ("/dev/ttyUSB0") or
// Windows' device namespace "\\.\" ("\\.\COM10").
#if defined(_WIN32)
constexpr std::string_view kSerialDevicePrefix = "\\\\.\\";
#else
constexpr std::string_view kSerialDevicePrefix = "/";
#endif

// No prefix starts another, so the order does not decide between them.
constexpr std::array kKindRows{
    KindRow{PortKind::Sim, "SIM"},
    KindRow{PortKind::Gpio, "GPIO:"},
    KindRow{PortKind::Ftdi, "FTDI:"},
    KindRow{PortKind::ComName, "COM"},
    KindRow{PortKind::SerialDevice, kSerialDevicePrefix},
};

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char expected, char actual) {
        return std::toupper(static_cast<unsigned char>(actual)) == std::toupper(static_cast<unsigned char>(expected));
    });
}

} // namespace

PortKind portKind(std::string_view port)
{
    for (const KindRow& row : kKindRows)
        if (startsWithIgnoringCase(port, row.prefix))
            return row.kind;
    return PortKind::Unknown;
}

std::string_view portPrefix(PortKind kind)
{
    for (const KindRow& row : kKindRows)
        if (row.kind == kind)
            return row.prefix;
    return {};
}

bool isSerialKind(PortKind kind)
{
    return kind == PortKind::ComName || kind == PortKind::SerialDevice;
}

std::optional<unsigned> parseComPort(std::string_view text)
{
    if (portKind(text) != PortKind::ComName)
        return std::nullopt;
    // from_chars would accept a sign or stop early; only plain digits name a port.
    const std::string_view digits = text.substr(portPrefix(PortKind::ComName).size());
    if (digits.empty() || digits.front() == '0'
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

velmora::EntryWiring entryWiring(std::string_view port)
{
    using velmora::EntryWiring;
    switch (portKind(port)) {
    case PortKind::Sim: {
        const auto options = velmora::sim::parseSimPort(port);
        if (!options || !options->lowVoltage)
            return EntryWiring::HighVoltage;
        return velmora::sim::hasPgmPin(options->chip->family) ? EntryWiring::PgmPin : EntryWiring::MclrOnly;
    }
    case PortKind::Gpio: {
        std::string failure;
        const auto wiring = parseGpioPort(port, failure);
        if (!wiring || !wiring->logicLevelMclr)
            return EntryWiring::HighVoltage;
        return wiring->pgm ? EntryWiring::PgmPin : EntryWiring::MclrOnly;
    }
    case PortKind::Ftdi: {
        std::string failure;
        const auto wiring = parseFtdiPort(port, failure);
        if (!wiring || !wiring->logicLevelMclr)
            return EntryWiring::HighVoltage;
        return wiring->pgm ? EntryWiring::PgmPin : EntryWiring::MclrOnly;
    }
    default:
        return EntryWiring::HighVoltage;
    }
}

bool vppIsUnregulated(std::string_view port)
{
    return isSerialKind(portKind(port));
}

} // namespace corvant
