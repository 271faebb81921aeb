#pragma once
// The warning before an operation on a port whose measured speed makes a full
// read take more than three times the protocol's own time, as the engine counts
// that read.

#include <optional>
#include <string>
#include <string_view>

#include "corvant/PortSpeed.h"

namespace velmora::cli {

// The open port's line costs as the pin-interface library measured them;
// nullopt when no port is open or the library does not offer them.
std::optional<corvant::LineCosts> openPortLineCosts();

// info: the GetDllInfo text of the open port, costs: its line costs. nullopt
// when the port is fast enough or its costs are unknown.
std::optional<std::string> slowPortWarning(std::string_view info, const std::optional<corvant::LineCosts>& costs);

} // namespace velmora::cli
