#include "cli/SlowPortWarning.h"

#include "platform/LoadedLibrary.h"

namespace velmora::cli {

std::optional<corvant::LineCosts> openPortLineCosts()
{
    // Looked up, not imported: a pin-interface library from before it still loads.
    return lineCostsFrom(reinterpret_cast<GetLineCostsFunction>(
        platform::loadedLibraryFunction(platform::pinInterfaceLibraryFile(), "GetLineCosts")));
}

} // namespace velmora::cli
