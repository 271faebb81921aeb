#pragma once
// The one rule both front ends ask before an operation starts: would it leave a chip
// that the programmer in use can no longer enter?

#include <cstdint>

#include "devicedata/DeviceImage.h"
#include "engine/ProgrammingOptions.h"

namespace velmora {

// True when the operation writes the configuration, the image turns LVP off and the
// programmer enters at low voltage: only a high-voltage programmer could enter the
// chip afterwards. A device that always enters by the key has no LVP bit to clear.
bool LocksOutLowVoltageEntry(std::uint8_t operation, const ProgrammingOptions& options, const DeviceImage& data,
                             bool lowVoltageEntry);

} // namespace velmora
