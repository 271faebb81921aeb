#pragma once
// The end of a self-timed write or row erase once WR is set: the WR poll, the clock
// low for the family's P10, and the write enable cleared.

#include "engine/operations/OperationContext.h"

namespace velmora {

// "Wait write completed..." while WR is polled, "Write instruction" for BCF WREN.
bool finishSelfTimedWrite(const OperationContext& c);

} // namespace velmora
