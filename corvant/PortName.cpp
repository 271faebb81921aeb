#include "corvant/PortName.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "corvant/sim/SimPortOptions.h"

namespace corvant {
namespace {

constexpr std::string_view kComPrefix = "COM";
constexpr std::string_view kSimPrefix = "SIM";
constexpr std::string_view kGpioPrefix = "GPIO:";
constexpr std::string_view kPgmOption = "PGM=";
constexpr char kOptionSeparator = ',';

// Whether a GPIO port string names a PGM line: one of the options after the chip.
bool namesPgmLine(std::string_view options)
{
    while (!options.empty()) {
        const auto end = options.find(kOptionSeparator);
        if (startsWithIgnoringCase(options.substr(0, end), kPgmOption))
            return true;
        options = end == std::string_view::npos ? std::string_view {} : options.substr(end + 1);
    }
    return false;
}

} // namespace

bool startsWithIgnoringCase(std::string_view text, std::string_view upperCasePrefix)
{
    if (text.size() < upperCasePrefix.size())
        return false;
    return std::equal(upperCasePrefix.begin(), upperCasePrefix.end(), text.begin(),
                      [](char expected, char actual) {
                          return std::toupper(static_cast<unsigned char>(actual)) == expected;
                      });
}

std::optional<unsigned> parseComPort(std::string_view text)
{
    if (!startsWithIgnoringCase(text, kComPrefix))
        return std::nullopt;
    // from_chars would accept a sign or stop early; only plain digits name a port.
    const std::string_view digits = text.substr(kComPrefix.size());
    if (digits.empty() || digits.front() == '0'
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

bool entersAtLowVoltage(std::string_view port)
{
    if (startsWithIgnoringCase(port, kSimPrefix)) {
        const auto options = velmora::sim::parseSimPort(port);
        return options && options->lowVoltage;
    }
    if (!startsWithIgnoringCase(port, kGpioPrefix))
        return false;
    const auto chipEnd = port.find(kOptionSeparator);
    return chipEnd != std::string_view::npos && namesPgmLine(port.substr(chipEnd + 1));
}

} // namespace corvant
