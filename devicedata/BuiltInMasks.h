#pragma once
// Configuration types 1 and 2: built-in tables adjusted by the device's flags.

#include "devicedata/ConfigMasks.h"

namespace velmora {

ConfigMasks Type1Masks(const SelectedDevice& device);
ConfigMasks Type2Masks(const SelectedDevice& device);

} // namespace velmora
