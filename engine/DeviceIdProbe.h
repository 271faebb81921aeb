#pragma once
// The device-ID read on its own, for a front end that wants to know the chip before
// it starts an operation: program mode on, the two bytes at 3FFFFEh, program mode off.
// It runs on the calling thread while the engine's worker is idle, posts nowhere and
// leaves the image untouched.

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class TPICPr;

struct DeviceIdProbe {
    std::optional<std::uint16_t> rawId;   // DEVID2:DEVID1 as read, revision included
    std::string failure;                  // the failing step's message when rawId is empty
};

DeviceIdProbe ProbeDeviceId(TPICPr& engine);

} // namespace velmora
