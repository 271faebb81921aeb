#pragma once
// The words both front ends have for the chip a device-ID read identified: what it is,
// what to check when none answers, and how it differs from the selected device.

#include <cstdint>
#include <string>
#include <string_view>

#include "devicedata/IdentifyChip.h"

namespace velmora {

// "device ID 0x1203: PIC18F4550, revision 3" and its variants for the other kinds.
std::string describeChip(const ChipIdentity& chip);

// The checklist for a chip that does not answer, worded for the port's programmer;
// wiringCheck names the front end's own line check.
std::string silentChipChecklist(std::uint16_t rawId, std::string_view port, std::string_view wiringCheck);

// Empty when the chip may be written as the selected device; otherwise how the two
// differ ("chip answers as PIC18F452 (0x0427), but PIC18F2420 is selected").
std::string chipMismatch(const ChipIdentity& chip, const std::string& selectedName);

} // namespace velmora
