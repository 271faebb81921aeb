#include "corvant/PortSpeed.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace corvant {
namespace {

constexpr double kSecondsPerUnit = 5e-6;

constexpr std::string_view kWriteLabel = "line change ";
constexpr std::string_view kReadLabel = ", line read ";
constexpr std::string_view kEstimateHead = ": a full read of a 32 KB chip takes about ";
constexpr std::string_view kEstimateTail = " on this port";
constexpr std::string_view kProtocolHead = " (the protocol alone needs ";
constexpr std::string_view kProtocolTail = ")";

struct Unit {
    std::string_view name;
    double seconds;
};
// Largest first: a cost is shown in the largest unit it reaches.
constexpr std::array<Unit, 4> kUnits{{{"s", 1.0}, {"ms", 1e-3}, {"\xC2\xB5s", 1e-6}, {"ns", 1e-9}}};

std::string oneDecimalBelowTen(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, value < 9.95 ? "%.1f" : "%.0f", value);
    return text;
}

// Number and unit at the start of text, as costText writes them.
std::optional<double> parseCost(std::string_view& text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() + text.size() || *end != ' ')
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
    for (const Unit& unit : kUnits) {
        if (text.starts_with(unit.name)) {
            text.remove_prefix(unit.name.size());
            return value * unit.seconds;
        }
    }
    return std::nullopt;
}

} // namespace

double protocolFullReadSeconds()
{
    return static_cast<double>(kFullReadWaitUnits) * kSecondsPerUnit;
}

double fullReadSeconds(const LineCosts& costs)
{
    // Every wait starts after the call before it returns, so call costs add up.
    return protocolFullReadSeconds() + static_cast<double>(kFullReadWrites) * costs.writeSeconds
        + static_cast<double>(kFullReadReads) * costs.readSeconds;
}

bool isSlowPort(const LineCosts& costs)
{
    return fullReadSeconds(costs) > kSlowFactor * protocolFullReadSeconds();
}

std::string costText(double seconds)
{
    for (const Unit& unit : kUnits) {
        const double value = seconds / unit.seconds;
        if (value >= 1.0 || unit.name == kUnits.back().name)
            return oneDecimalBelowTen(value) + " " + std::string(unit.name);
    }
    return {};
}

std::string durationText(double seconds)
{
    if (seconds < 59.5)
        return oneDecimalBelowTen(seconds) + " s";
    if (seconds < 3600) {
        const auto wholeSeconds = static_cast<long long>(std::llround(seconds));
        const long long m = wholeSeconds / 60;
        const long long s = wholeSeconds % 60;
        return std::to_string(m) + " min" + (s != 0 ? " " + std::to_string(s) + " s" : "");
    }
    const auto minutes = static_cast<long long>(std::llround(seconds / 60.0));
    const long long h = minutes / 60;
    const long long m = minutes % 60;
    return std::to_string(h) + " h" + (m != 0 ? " " + std::to_string(m) + " min" : "");
}

std::string speedText(const LineCosts& costs)
{
    std::string text = std::string(kWriteLabel) + costText(costs.writeSeconds) + std::string(kReadLabel)
        + costText(costs.readSeconds) + std::string(kEstimateHead) + durationText(fullReadSeconds(costs))
        + std::string(kEstimateTail);
    if (isSlowPort(costs))
        text += std::string(kProtocolHead) + durationText(protocolFullReadSeconds()) + std::string(kProtocolTail);
    return text;
}

std::optional<LineCosts> parseSpeedText(std::string_view text)
{
    const auto start = text.find(kWriteLabel);
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start + kWriteLabel.size());
    LineCosts costs;
    const auto write = parseCost(text);
    if (!write || !text.starts_with(kReadLabel))
        return std::nullopt;
    text.remove_prefix(kReadLabel.size());
    const auto read = parseCost(text);
    if (!read)
        return std::nullopt;
    costs.writeSeconds = *write;
    costs.readSeconds = *read;
    return costs;
}

std::string_view estimateSentence(std::string_view text)
{
    const auto start = text.find(kEstimateHead);
    if (start == std::string_view::npos)
        return {};
    text.remove_prefix(start + 2); // past ": "
    const auto end = text.find(kEstimateTail);
    if (end == std::string_view::npos)
        return {};
    const auto protocol = text.find(kProtocolHead, end);
    if (protocol == end + kEstimateTail.size()) {
        const auto close = text.find(kProtocolTail, protocol + kProtocolHead.size());
        if (close != std::string_view::npos)
            return text.substr(0, close + kProtocolTail.size());
    }
    return text.substr(0, end + kEstimateTail.size());
}

} // namespace corvant
