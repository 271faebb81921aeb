#pragma once
// The texts velmora-cli prints about the chip a device-ID read identified.

#include <cstdint>
#include <string>
#include <string_view>

#include "devicedata/IdentifyChip.h"

namespace velmora::cli {

// "device ID 0x1203: PIC18F4550, revision 3" and its variants for the other kinds.
std::string describeChip(const ChipIdentity& chip);

// The checklist for a chip that does not answer, worded for the port's programmer.
std::string silentChipChecklist(std::uint16_t rawId, std::string_view port);

// Empty when the chip may be written as the selected device; otherwise why not.
std::string refusalToWrite(const ChipIdentity& chip, const std::string& selectedName);

} // namespace velmora::cli
