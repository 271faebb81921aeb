#include "engine/SlowPortWarning.h"

#include "engine/EngineTexts.h"
#include "engine/OperationTime.h"
#include "platform/LoadedLibrary.h"

namespace velmora {

std::optional<corvant::LineCosts> lineCostsFrom(GetLineCostsFunction getLineCosts)
{
    std::uint32_t writeNanoseconds = 0;
    std::uint32_t readNanoseconds = 0;
    if (getLineCosts == nullptr || getLineCosts(&writeNanoseconds, &readNanoseconds) == 0)
        return std::nullopt;
    return corvant::LineCosts{writeNanoseconds * 1e-9, readNanoseconds * 1e-9};
}

std::optional<corvant::LineCosts> openPortLineCosts()
{
    return lineCostsFrom(reinterpret_cast<GetLineCostsFunction>(
        platform::loadedLibraryFunction(platform::pinInterfaceLibraryFile(), "GetLineCosts")));
}

std::optional<std::string> slowPortWarning(std::string_view info, const std::optional<corvant::LineCosts>& costs)
{
    if (!costs || !corvant::isSlowPort(referenceFullRead(), *costs))
        return std::nullopt;
    // The library's name adds nothing here; the port, its driver and its speed do.
    constexpr std::string_view kLibraryHead = "corvant " VELMORA_VERSION ", ";
    if (info.starts_with(kLibraryHead))
        info.remove_prefix(kLibraryHead.size());
    return std::string(texts::kSlowPortWarning) + std::string(info);
}

} // namespace velmora
