#pragma once
// Operation 5, for front ends that want a blank check on its own: Vpp on, the blank
// check, Vpp off and a report. Nothing is erased or written.

#include "engine/IcspSession.h"

namespace velmora {

class BlankCheckOperation {
public:
    explicit BlankCheckOperation(IcspSession& session) : s(session) {}
    void run();

private:
    IcspSession& s;
};

} // namespace velmora
