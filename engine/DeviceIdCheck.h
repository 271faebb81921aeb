#pragma once
// The front end's say on the chip that answers, asked by an operation once the chip is
// in programming mode and before anything is erased or written: the raw device ID
// (DEVID2:DEVID1, revision included) in, an empty text to go on, or the message the
// operation ends with. Called on the engine's worker.

#include <cstdint>
#include <functional>
#include <string>

namespace velmora {

using DeviceIdCheck = std::function<std::string(std::uint16_t rawId)>;

} // namespace velmora
