#pragma once
// The device-ID space of the PIC18F programming guides the program speaks: which
// DEVID2 values name a family, so that an ID Devices.ini does not know can still be
// told from a silent line. Not a device list: the database names the devices.

#include <cstdint>
#include <string_view>

namespace velmora {

// The family a DEVID2 byte belongs to, or empty when no guide uses it.
std::string_view KnownIdFamily(std::uint8_t devid2);

} // namespace velmora
