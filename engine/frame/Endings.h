#pragma once
// How every operation ends: switched off, then the outcome, with the failure or the
// final report in a message box and the window closed, or quietly after a cancel.

#include <string>

#include "engine/OperationOutcome.h"
#include "engine/frame/OperationFrame.h"

namespace velmora {

// What an operation does to the memory image at its endings. The read gives a failed
// or cancelled read a blank image rather than a half-read one; the others leave it.
class EndingHooks {
public:
    // The image emptied and the grid refreshed.
    virtual void discardImage() {}
    // Right after a successful switch-off.
    virtual void afterSwitchOff() {}
    // Before the outcome of a switched-off operation is set.
    virtual void beforeOutcome() {}

protected:
    ~EndingHooks() = default;
};

class Endings {
public:
    explicit Endings(OperationFrame& frame);
    Endings(OperationFrame& frame, EndingHooks& hooks);

    // The recorded cancel or failure.
    void interrupted();
    // Shows the recorded failure, switches off, closes the window.
    void failure();
    // Switches off; no message, no close request.
    void cancel();
    // Switch-off, then the final report in an information box; a cancel request found
    // after the switch-off ends quietly instead.
    void normal(const std::string& report, OperationOutcome outcome);
    // The switch-off of an ending that reports nothing; false when it failed and the
    // operation has been ended with its message.
    bool switchedOff();
    // A failed switch-off at an ending: its message, then done.
    void afterSwitchOffFailure(bool discard = true);

private:
    OperationFrame& frame_;
    EndingHooks& hooks_;
};

} // namespace velmora
