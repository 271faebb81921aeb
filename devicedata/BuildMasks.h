#pragma once
// Rebuilds the image's configuration mask and set mask for the selected device.

#include <string>

#include "devicedata/MemoryImage.h"
#include "devicedata/UserMessages.h"

namespace velmora {

// Types 1 and 2 use the built-in tables and the device's flags, type 3 the device's
// keys in the Devices.ini at devicesIniPath (messages may be null). Any other type
// leaves both blocks untouched and returns false.
bool BuildMasks(const SelectedDevice& device, const std::string& devicesIniPath,
                UserMessages* messages, MemoryImage& image);

} // namespace velmora
