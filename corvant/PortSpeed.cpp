#include "corvant/PortSpeed.h"

#include <array>
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

} // namespace

double protocolSeconds(const PinWork& work)
{
    return static_cast<double>(work.waitUnits) * kSecondsPerUnit;
}

double workSeconds(const PinWork& work, const LineCosts& costs)
{
    // Every wait starts after the call before it returns, so call costs add up.
    return protocolSeconds(work) + static_cast<double>(work.writes) * costs.writeSeconds
        + static_cast<double>(work.reads) * costs.readSeconds;
}

bool isSlowPort(const PinWork& work, const LineCosts& costs)
{
    return workSeconds(work, costs) > kSlowFactor * protocolSeconds(work);
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
        + costText(costs.readSeconds) + std::string(kEstimateHead) + durationText(workSeconds(kWordsFullRead, costs))
        + std::string(kEstimateTail);
    if (isSlowPort(kWordsFullRead, costs))
        text += std::string(kProtocolHead) + durationText(protocolSeconds(kWordsFullRead)) + std::string(kProtocolTail);
    return text;
}

} // namespace corvant
