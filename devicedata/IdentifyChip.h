#pragma once
// What a device ID read from the chip says, given the device database: which
// sections name it, whether it at least belongs to a known family, or whether no
// chip answered at all.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "devicedata/DeviceList.h"

namespace velmora {

// What the device-ID read gives when no chip drives the data line.
inline constexpr std::uint16_t kSilentLowId = 0x0000;
inline constexpr std::uint16_t kSilentHighId = 0xFFFF;

struct ChipIdentity {
    enum class Kind { Named, UnnamedInFamily, Silent };
    Kind kind = Kind::Silent;
    std::uint16_t rawId = 0;
    std::vector<std::string> names;   // sections whose DeviceID the raw ID matches, in file order
    std::uint16_t revision = 0;       // under the first match's mask, else outside the device bits
    std::string_view family;          // for UnnamedInFamily
};

// Walks the list from its first record; the cursor ends on its last.
ChipIdentity IdentifyChip(DeviceList& devices, std::uint16_t rawId);

} // namespace velmora
