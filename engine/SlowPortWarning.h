#pragma once
// The warning before an operation on a port whose measured speed makes a full read
// take more than three times the protocol's own time, as the engine counts that read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "corvant/PortSpeed.h"
#include "corvant/corvant.h"

namespace velmora {

// GetLineCosts, as a front end finds it in the pin-interface library.
using GetLineCostsFunction = std::uint8_t(CORVANT_CALL*)(std::uint32_t*, std::uint32_t*);

// The open port's line costs as the library measured them; nullopt when the library
// does not offer them (getLineCosts null) or no port is open.
std::optional<corvant::LineCosts> lineCostsFrom(GetLineCostsFunction getLineCosts);
// The same from the loaded pin-interface library, GetLineCosts looked up by name: a
// library from before it still loads, and then no costs are known.
std::optional<corvant::LineCosts> openPortLineCosts();

// info: the GetDllInfo text of the open port, costs: its line costs. nullopt when the
// port is fast enough or its costs are unknown.
std::optional<std::string> slowPortWarning(std::string_view info, const std::optional<corvant::LineCosts>& costs);

} // namespace velmora
