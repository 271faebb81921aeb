#include "sim/SimPortOptions.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "sim/SimMessages.h"

namespace velmora::sim {

namespace {

constexpr std::string_view kPrefix = "SIM";
constexpr char kChipSeparator = ':';
constexpr char kOptionSeparator = ',';
constexpr std::string_view kImageOption = "image=";
constexpr std::string_view kTraceOption = "trace=";
constexpr std::string_view kFaultOption = "fault=";
constexpr std::string_view kLowVoltageOption = "lvp";

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Takes one "name=value" option into `target`; false when it is empty or repeated.
bool takeOption(std::string_view option, std::string_view name, std::string& target)
{
    const auto value = option.substr(name.size());
    if (value.empty() || !target.empty())
        return false;
    target = value;
    return true;
}

// Sets the named fault; false for an unknown name or one already set.
bool takeFault(std::string_view option, FaultSet& faults)
{
    const auto name = option.substr(kFaultOption.size());
    bool* flag = nullptr;
    if (equalIgnoringCase(name, "absent"))
        flag = &faults.chipAbsent;
    else if (equalIgnoringCase(name, "no-vpp"))
        flag = &faults.vppNeverArrives;
    else if (equalIgnoringCase(name, "data-in-low"))
        flag = &faults.dataInStuckLow;
    if (flag == nullptr || *flag)
        return false;
    *flag = true;
    return true;
}

} // namespace

std::optional<SimPortOptions> parseSimPort(std::string_view port)
{
    if (!startsWithIgnoringCase(port, kPrefix))
        return std::nullopt;
    port.remove_prefix(kPrefix.size());
    SimPortOptions options;
    if (port.empty()) {
        options.chip = findChipModel(kDefaultChipName);
        return options;
    }
    if (port.front() != kChipSeparator)
        return std::nullopt;
    port.remove_prefix(1);

    const auto chipEnd = port.find(kOptionSeparator);
    const auto chipName = port.substr(0, chipEnd);
    options.chip = findChipModel(chipName.empty() ? kDefaultChipName : chipName);
    if (options.chip == nullptr)
        return std::nullopt;
    port = chipEnd == std::string_view::npos ? std::string_view {} : port.substr(chipEnd);

    while (!port.empty()) {
        port.remove_prefix(1);  // the comma
        const auto end = port.find(kOptionSeparator);
        const auto option = port.substr(0, end);
        port = end == std::string_view::npos ? std::string_view {} : port.substr(end);
        bool taken = false;
        if (startsWithIgnoringCase(option, kImageOption))
            taken = takeOption(option, kImageOption, options.imagePath);
        else if (startsWithIgnoringCase(option, kTraceOption))
            taken = takeOption(option, kTraceOption, options.tracePath);
        else if (startsWithIgnoringCase(option, kFaultOption))
            taken = takeFault(option, options.faults);
        else if (equalIgnoringCase(option, kLowVoltageOption))
            taken = !std::exchange(options.lowVoltage, true);
        if (!taken)
            return std::nullopt;
    }
    return options;
}

std::string lowVoltageRefusal(const SimPortOptions& options)
{
    if (!options.lowVoltage)
        return {};
    const std::string name(options.chip->name);
    if (!hasPgmPin(options.chip->family))
        return name + std::string(messages::kNoPgmPin);
    if (!hasLvpBit(*options.chip))
        return name + std::string(messages::kNoLvpBit);
    return {};
}

} // namespace velmora::sim
