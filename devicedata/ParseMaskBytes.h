#pragma once
// The text form of a type-3 Mask or SetMask key: 14 hex byte values separated by spaces.

#include <string_view>

#include "devicedata/ConfigMasks.h"

namespace velmora {

// Tokens of hex digits separated by any number of spaces (leading and trailing
// spaces too); each token's value must be at most 0xFF and there must be exactly
// 14 of them. Tabs or any other character reject the text. On failure `bytes` is
// left untouched.
bool ParseMaskBytes(std::string_view text, ConfigBlock& bytes);

} // namespace velmora
