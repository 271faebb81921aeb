#pragma once
// Where the simulated chip reports what happens: the list of violations it keeps for
// tests, and the observers (trace file, recorders) it forwards everything to.

#include <string>
#include <string_view>
#include <vector>

#include "sim/SimObserver.h"
#include "sim/Violation.h"

namespace velmora::sim {

class ChipEvents {
public:
    void addObserver(SimObserver* observer);
    void removeObserver(SimObserver* observer);

    void violation(SimTime time, ViolationKind kind, std::string_view parameter, std::string detail);
    void note(SimTime time, std::string_view text);
    void command(const DecodedCommand& command);
    void programMode(SimTime time, bool entered, Entry entry);
    void pgm(SimTime time, bool high);

    const std::vector<Violation>& violations() const { return violations_; }
    void clearViolations() { violations_.clear(); }

private:
    std::vector<SimObserver*> observers_;
    std::vector<Violation> violations_;
};

} // namespace velmora::sim
