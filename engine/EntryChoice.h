#pragma once
// Which way into programming mode a programmer wired this way has for a device of
// this family.

#include "devicedata/ProgrammingFamily.h"
#include "signalling/EntryWiring.h"

namespace velmora {

enum class EntryMethod {
    VppLine,   // EnterProgMode: Vpp at VIHH, or (PGM wiring) PGM and then MCLR by the back end
    Key,       // EnterProgModeByKey: MCLR at logic level and the 32-bit key
    None,      // the wiring cannot take the device in: no line may move
};

EntryMethod entryMethodFor(EntryWiring wiring, ProgrammingFamily family);

} // namespace velmora
