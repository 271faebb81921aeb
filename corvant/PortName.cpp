#include "corvant/PortName.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace corvant {
namespace {

constexpr std::string_view kComPrefix = "COM";
constexpr std::string_view kSimPrefix = "SIM";
// Windows' device namespace, as in "\\.\COM10".
constexpr std::string_view kDeviceNamespacePrefix = "\\\\.\\";

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char expected, char actual) {
        return std::toupper(static_cast<unsigned char>(actual)) == expected;
    });
}

std::optional<unsigned> parseComNumber(std::string_view digits)
{
    if (digits.empty() || digits.front() == '0')
        return std::nullopt;
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

} // namespace

std::optional<PortName> parsePortName(std::string_view text)
{
    if (startsWithIgnoringCase(text, kSimPrefix))
        return PortName{PortKind::Simulated, 0, std::string(text)};
    if ((!text.empty() && text.front() == '/') || text.starts_with(kDeviceNamespacePrefix))
        return PortName{PortKind::DevicePath, 0, std::string(text)};
    if (!startsWithIgnoringCase(text, kComPrefix))
        return std::nullopt;
    // from_chars would accept a sign or stop early; only plain digits name a port.
    const std::string_view digits = text.substr(kComPrefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto number = parseComNumber(digits);
    if (!number)
        return std::nullopt;
    return PortName{PortKind::ComNumber, *number, std::string(text)};
}

} // namespace corvant
