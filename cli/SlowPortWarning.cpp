#include "cli/SlowPortWarning.h"

#include "cli/Platform.h"

namespace velmora::cli {

std::optional<corvant::LineCosts> openPortLineCosts()
{
    // Looked up, not imported: a pin-interface library from before it still loads.
    return lineCostsFrom(reinterpret_cast<GetLineCostsFunction>(
        loadedLibraryFunction(VELMORA_CORVANT_FILE_NAME, "GetLineCosts")));
}

} // namespace velmora::cli
