#include "corvant/PortName.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace corvant {
namespace {

constexpr std::string_view kComPrefix = "COM";

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

} // namespace corvant
