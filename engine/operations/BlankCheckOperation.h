#pragma once
// Operation 5, for front ends that want a blank check on its own: Vpp on, the blank
// check, Vpp off and a report. Nothing is erased or written.

#include "engine/operations/OperationContext.h"

namespace velmora {

class BlankCheckOperation {
public:
    explicit BlankCheckOperation(const OperationContext& context) : s(context) {}
    void run();

private:
    OperationContext s;
};

} // namespace velmora
