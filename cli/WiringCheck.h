#pragma once
// velmora-cli wiring: the engine's line check, printed.

#include <cstdio>

#include "engine/WiringCheck.h"

namespace velmora::cli {

// Drives the pattern through the driver, leaves every line low and prints the levels
// seen and the verdict, with what the verdict cannot show when data in is PGD itself.
// Exit status 0 when data in follows data out, 2 otherwise (also when a line could
// not be driven or read).
int runWiringCheck(PinDriver& driver, bool dataInIsPgd, std::FILE* out, std::FILE* err);

} // namespace velmora::cli
