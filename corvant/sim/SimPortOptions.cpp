#include "corvant/sim/SimPortOptions.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "corvant/PortName.h"
#include "corvant/sim/SimProgrammerTexts.h"

namespace velmora::sim {

namespace {

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

// Why a port string is refused; empty when nothing is wrong.
using Refusal = std::string;

std::optional<SimPortOptions> refuse(std::string* refusal, Refusal reason)
{
    if (refusal != nullptr)
        *refusal = std::move(reason);
    return std::nullopt;
}

Refusal unknownOption(std::string_view option)
{
    if (option.empty())
        return std::string(messages::kEmptyOption);
    return std::string(messages::kUnknownOption) + std::string(option);
}

// Takes one "name=value" option into `target`; refused when it is empty or repeated.
Refusal takeOption(std::string_view option, std::string_view name, std::string& target)
{
    const auto value = option.substr(name.size());
    if (value.empty())
        return std::string(messages::kOptionWithoutValue) + std::string(option);
    if (!target.empty())
        return std::string(messages::kOptionTwice) + std::string(name);
    target = value;
    return {};
}

// Sets the named fault; refused for an unknown name or one already set.
Refusal takeFault(std::string_view option, FaultSet& faults)
{
    const auto name = option.substr(kFaultOption.size());
    bool* flag = nullptr;
    if (equalIgnoringCase(name, "absent"))
        flag = &faults.chipAbsent;
    else if (equalIgnoringCase(name, "no-vpp"))
        flag = &faults.vppNeverArrives;
    else if (equalIgnoringCase(name, "data-in-low"))
        flag = &faults.dataInStuckLow;
    if (flag == nullptr)
        return std::string(messages::kUnknownFault) + std::string(name) + std::string(messages::kKnownFaults);
    if (*flag)
        return std::string(messages::kOptionTwice) + std::string(option);
    *flag = true;
    return {};
}

} // namespace

std::optional<SimPortOptions> parseSimPort(std::string_view port, std::string* refusal)
{
    if (corvant::portKind(port) != corvant::PortKind::Sim)
        return std::nullopt;
    port.remove_prefix(corvant::portPrefix(corvant::PortKind::Sim).size());
    SimPortOptions options;
    if (port.empty()) {
        options.chip = findChipModel(kDefaultChipName);
        return options;
    }
    if (port.front() != kChipSeparator)
        return refuse(refusal, std::string(messages::kSimNeedsColon) + std::string(port));
    port.remove_prefix(1);

    const auto chipEnd = port.find(kOptionSeparator);
    const auto chipName = port.substr(0, chipEnd);
    options.chip = findChipModel(chipName.empty() ? kDefaultChipName : chipName);
    if (options.chip == nullptr)
        return refuse(refusal, std::string(messages::kUnknownChip) + std::string(chipName));
    port = chipEnd == std::string_view::npos ? std::string_view {} : port.substr(chipEnd);

    while (!port.empty()) {
        port.remove_prefix(1);  // the comma
        const auto end = port.find(kOptionSeparator);
        const auto option = port.substr(0, end);
        port = end == std::string_view::npos ? std::string_view {} : port.substr(end);
        Refusal reason;
        if (startsWithIgnoringCase(option, kImageOption))
            reason = takeOption(option, kImageOption, options.imagePath);
        else if (startsWithIgnoringCase(option, kTraceOption))
            reason = takeOption(option, kTraceOption, options.tracePath);
        else if (startsWithIgnoringCase(option, kFaultOption))
            reason = takeFault(option, options.faults);
        else if (equalIgnoringCase(option, kLowVoltageOption))
            reason = std::exchange(options.lowVoltage, true) ? std::string(messages::kOptionTwice) + std::string(option)
                                                             : Refusal {};
        else
            reason = unknownOption(option);
        if (!reason.empty())
            return refuse(refusal, std::move(reason));
    }
    return options;
}

std::string lowVoltageRefusal(const SimPortOptions& options)
{
    if (!options.lowVoltage)
        return {};
    const std::string name(options.chip->name);
    if (!hasPgmPin(options.chip->family) && !hasKeyEntry(options.chip->family))
        return name + std::string(messages::kNoPgmPin);
    // The J parts have no LVP bit: the key is their only way in.
    if (!isJFamily(options.chip->family) && !hasLvpBit(*options.chip))
        return name + std::string(messages::kNoLvpBit);
    return {};
}

} // namespace velmora::sim
