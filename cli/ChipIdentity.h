#pragma once
// The texts velmora-cli prints about the chip a device-ID read identified: the
// engine's words with the command line's own advice.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ChipIdentity.h"

namespace velmora::cli {

// The checklist for a chip that does not answer, pointing at velmora-cli wiring.
std::string silentChipChecklist(std::uint16_t rawId, std::string_view port);

// Empty when the chip may be written as the selected device; otherwise why not.
std::string refusalToWrite(const ChipIdentity& chip, const std::string& selectedName);

} // namespace velmora::cli
