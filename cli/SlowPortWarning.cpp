#include "cli/SlowPortWarning.h"

#include "cli/CliTexts.h"
#include "corvant/PortSpeed.h"

namespace velmora::cli {

std::optional<std::string> slowPortWarning(std::string_view info)
{
    const auto costs = corvant::parseSpeedText(info);
    if (!costs || !corvant::isSlowPort(*costs))
        return std::nullopt;
    // The library's name adds nothing here; the port, its driver and its speed do.
    constexpr std::string_view kLibraryHead = "corvant " VELMORA_VERSION ", ";
    if (info.starts_with(kLibraryHead))
        info.remove_prefix(kLibraryHead.size());
    return std::string(kSlowPortWarning) + std::string(info);
}

} // namespace velmora::cli
