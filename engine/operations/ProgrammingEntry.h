#pragma once
// Entering programming mode for an operation, and the device ID read there.

#include <cstdint>

#include "engine/operations/OperationContext.h"

namespace velmora {

// Vpp raised, then the engine's device-ID check when it has one: the ID read and the
// front end's verdict, whose refusal is recorded as the failure.
bool enterProgramming(const OperationContext& c);

// The two device-ID bytes: table-pointer set-up to 3FFFFEh, a read with and one
// without increment, with a check point before every command.
bool readDeviceId(const OperationContext& c, std::uint16_t& rawId);

} // namespace velmora
