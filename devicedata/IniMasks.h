#pragma once
// Configuration type 3: the device's Mask and SetMask keys in Devices.ini.

#include <string>

#include "devicedata/ConfigMasks.h"
#include "devicedata/UserMessages.h"

namespace velmora {

// Reads the file afresh, so edits made while the program runs take effect. A
// missing or malformed key gives an all-zero block and its message; an unreadable
// file gives "INI load error" and two all-zero blocks. Without messages it is silent.
ConfigMasks Type3Masks(const std::string& devicesIniPath, const std::string& deviceName,
                       UserMessages* messages);

} // namespace velmora
