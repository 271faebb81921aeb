#pragma once
// The port strings that select the simulated programmer:
//   SIM
//   SIM:<chip>
//   SIM:<chip>,image=<file.hex>,trace=<file>,fault=<fault>,lvp
// "SIM", the chip name and the option names are case-insensitive; an empty chip name
// means PIC18F452; options may come in any order, each at most once; a file name runs
// to the next comma. fault= may be given once per fault: absent (no chip on the
// lines), no-vpp (Vpp never reaches MCLR), data-in-low (the data-in line stuck low).
// lvp: the programmer enters at low voltage, PGM high and then MCLR at VDD, instead
// of Vpp at VIHH on MCLR; on a chip without a PGM pin (K22, the J parts) MCLR only moves
// between 0 and VDD, and the ICSP layer clocks the entry key in while it is low. A J part
// has no high-voltage mode: without lvp the port puts VIHH on its MCLR, which the
// simulated chip records as a violation (refusing is the program's job, not the port's).

#include <optional>
#include <string>
#include <string_view>

#include "sim/ChipModel.h"
#include "sim/FaultSet.h"

namespace velmora::sim {

struct SimPortOptions {
    const ChipModel* chip = nullptr;
    std::string imagePath;   // empty: a fresh erased chip that is not kept
    std::string tracePath;   // empty: no trace
    FaultSet faults;
    bool lowVoltage = false;
};

// nullopt for a string that is not a SIM port, names an unknown chip or carries an
// unknown, repeated or empty option; refusal, when given, then says which.
std::optional<SimPortOptions> parseSimPort(std::string_view port, std::string* refusal = nullptr);

// Empty when the programmer may enter the chosen chip at low voltage (or does not
// try); otherwise why not, naming the part.
std::string lowVoltageRefusal(const SimPortOptions& options);

} // namespace velmora::sim
