#pragma once
// What both front ends tell the user after programming a chip whose one code-protect
// bit covers the whole flash: the verify has been made, and no later one can be.

#include <cstdint>
#include <string>

#include "devicedata/DeviceImage.h"
#include "engine/ProgrammingOptions.h"

namespace velmora {

// Empty unless the operation programs a configuration in flash that clears CP0
// (CONFIG1H bit 2); then the notice naming the device.
std::string codeProtectNotice(std::uint8_t operation, const ProgrammingOptions& options, const DeviceImage& data);

} // namespace velmora
