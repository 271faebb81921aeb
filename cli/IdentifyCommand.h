#pragma once
// What velmora-cli identify says about the chip that answered.

#include <cstdio>
#include <string_view>

#include "cli/ChipIdentity.h"

namespace velmora::cli {

// Prints what the chip answers; the exit status is 0 for a device of the database,
// 1 for an ID of a known family that no section names, 2 when no chip answers.
int reportIdentity(const ChipIdentity& chip, std::string_view port, std::FILE* out, std::FILE* err);

} // namespace velmora::cli
