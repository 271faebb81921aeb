#pragma once
// Where velmora-cli finds the open port's line costs for the engine's slow-port warning.

#include <optional>

#include "engine/SlowPortWarning.h"

namespace velmora::cli {

// The open port's line costs as the pin-interface library measured them;
// nullopt when no port is open or the library does not offer them.
std::optional<corvant::LineCosts> openPortLineCosts();

} // namespace velmora::cli
