#pragma once
// The optional program checksum: after a HEX load, the last program word becomes a
// checksum of all the other words.

#include <cstdint>

#include "devicedata/DeviceImage.h"
#include "devicedata/UserMessages.h"
#include "hexfile/ChecksumSettings.h"

namespace velmora {

// The 16-bit checksum of program words 0 to wordCount - 2 (every word but the last) of
// the given type: their sum, or for AdditionToZero the value that makes the sum of all
// words 0. Any other type gives 0.
std::uint16_t ProgramChecksum(const MemoryImage& image, std::int32_t type);

// Stores the checksum in the last program word and marks both its bytes present, when
// enabled and the device has a whole word. With warnEnabled, a last word that differs
// from both the warn value and the new checksum makes it ask first; any answer but Yes
// leaves the image unchanged. Throws InvalidIntegerValue when the warn value is needed
// and is no integer.
void ApplyChecksum(DeviceImage& image, const ChecksumSettings& settings, UserMessages& messages);

} // namespace velmora
