#pragma once
// What an operation may ask of the runner that started it: whether a cancel is
// requested, and the two moments the runner's state changes for it. The runner alone
// writes that state.

#include "engine/OperationOutcome.h"

namespace velmora {

class RunnerControl {
public:
    virtual bool cancelRequested() const = 0;
    // The start of every operation: code 0, busy.
    virtual void operationOpened() = 0;
    // Every ending: the outcome for headless front ends, then busy and cancel cleared.
    virtual void operationEnded(OperationOutcome outcome) = 0;

protected:
    ~RunnerControl() = default;
};

} // namespace velmora
