#include "cli/SlowPortWarning.h"

#include "cli/CliTexts.h"
#include "corvant/corvant.h"
#include "engine/OperationTime.h"
#include "platform/LoadedLibrary.h"

namespace velmora::cli {

std::optional<corvant::LineCosts> openPortLineCosts()
{
    // Looked up, not imported: a pin-interface library from before it still loads.
    using GetLineCostsFunction = std::uint8_t(CORVANT_CALL*)(std::uint32_t*, std::uint32_t*);
    const auto getLineCosts = reinterpret_cast<GetLineCostsFunction>(
        platform::loadedLibraryFunction(platform::pinInterfaceLibraryFile(), "GetLineCosts"));
    std::uint32_t writeNanoseconds = 0;
    std::uint32_t readNanoseconds = 0;
    if (getLineCosts == nullptr || getLineCosts(&writeNanoseconds, &readNanoseconds) == 0)
        return std::nullopt;
    return corvant::LineCosts{writeNanoseconds * 1e-9, readNanoseconds * 1e-9};
}

std::optional<std::string> slowPortWarning(std::string_view info, const std::optional<corvant::LineCosts>& costs)
{
    if (!costs || !corvant::isSlowPort(referenceFullRead(), *costs))
        return std::nullopt;
    // The library's name adds nothing here; the port, its driver and its speed do.
    constexpr std::string_view kLibraryHead = "corvant " VELMORA_VERSION ", ";
    if (info.starts_with(kLibraryHead))
        info.remove_prefix(kLibraryHead.size());
    return std::string(kSlowPortWarning) + std::string(info);
}

} // namespace velmora::cli
