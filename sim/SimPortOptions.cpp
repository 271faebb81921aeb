#include "sim/SimPortOptions.h"

#include <algorithm>
#include <cctype>

namespace velmora::sim {

namespace {

constexpr std::string_view kPrefix = "SIM";
constexpr char kChipSeparator = ':';
constexpr char kOptionSeparator = ',';
constexpr std::string_view kImageOption = "image=";
constexpr std::string_view kTraceOption = "trace=";

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
        && std::ranges::equal(text.substr(0, prefix.size()), prefix, [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
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
        if (!taken)
            return std::nullopt;
    }
    return options;
}

} // namespace velmora::sim
