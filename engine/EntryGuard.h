#pragma once
// The two questions both front ends ask before a programming session starts: can the
// programmer, as it is wired, enter the selected device at all, and would its entry put
// more on MCLR than the device's programming guide allows?

#include <string>

#include "devicedata/DeviceRecord.h"
#include "signalling/EntryWiring.h"

namespace velmora {

// Empty when the device can be entered through this wiring; otherwise why not and which
// wiring does it: a part with a PGM pin on MCLR alone, a part without one on a PGM line,
// a part without a high-voltage mode on a programmer that raises Vpp.
std::string entryRefusal(const SelectedDevice& device, EntryWiring wiring);

// Empty unless the entry puts Vpp on MCLR through a programmer whose Vpp cannot be kept
// low (vppUnregulated: the JDM's about 13 V) and the device's family allows less; then
// the warning, naming the part, its limits and their document, and what to use instead.
std::string vppWarning(const SelectedDevice& device, EntryWiring wiring, bool vppUnregulated);

} // namespace velmora
