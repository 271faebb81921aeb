#pragma once
// The production binding's stream: the pin-interface library's ProgrammerStream,
// looked up by name so that a library from before it still loads.

#include <cstdint>

#include "corvant/corvant.h"
#include "signalling/StreamingPinDriver.h"

namespace velmora {

using ProgrammerStreamFunction =
    std::uint8_t(CORVANT_CALL*)(const std::uint32_t*, std::uint32_t, std::uint8_t*, std::uint32_t);

// ProgrammerStream of the loaded library `libraryFile`; nullptr when that library is
// not loaded or does not export it.
ProgrammerStreamFunction exportedProgrammerStream(const char* libraryFile);

// The function as a step runner; an empty runner for nullptr.
StepRunner stepRunnerOf(ProgrammerStreamFunction stream);

} // namespace velmora
