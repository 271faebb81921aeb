#pragma once
// The one rule both front ends ask before an operation starts: would it leave a chip
// that the programmer in use can no longer enter?

#include <cstdint>

#include "devicedata/MemoryImage.h"
#include "engine/ProgrammingOptions.h"

namespace velmora {

// True when the operation writes the configuration, the image turns LVP off and the
// programmer enters at low voltage: only a high-voltage programmer could enter the
// chip afterwards.
bool LocksOutLowVoltageEntry(std::uint8_t operation, const ProgrammingOptions& options, const MemoryImage& image,
                             bool lowVoltageEntry);

} // namespace velmora
