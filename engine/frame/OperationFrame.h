#pragma once
// The frame every device operation runs in, whatever the protocol: the postings, the
// cancel check points and the failure record, the opening, Vpp raised and switched
// off, and the start and end of each memory area with its 300 ms pause. Each step
// returns false when the operation must leave its course; the reason is then in
// interruption().

#include <cstdint>
#include <string>

#include "engine/OperationOutcome.h"
#include "engine/PostingBlock.h"
#include "engine/frame/Interruption.h"
#include "engine/frame/ProgrammingMode.h"
#include "engine/frame/RunnerControl.h"
#include "engine/frame/StepGuard.h"

namespace velmora {

class OperationFrame final : public StepGuard {
public:
    OperationFrame(RunnerControl& runner, PostingBlock& posting);
    // The protocol that raises and lowers Vpp; set before the first raiseVpp().
    void setMode(ProgrammingMode& mode) { mode_ = &mode; }

    PostingBlock& post() { return post_; }

    const Interruption& interruption() const { return interruption_; }
    bool cancelled() const { return interruption_.kind == Interruption::Kind::Cancel; }
    // Records a failure; always false so that callers can return it.
    bool fail(std::string message) override;
    void keepImageOnFailure() { interruption_.keepImage = true; }

    // A check point: false (and a recorded cancel) when the cancel request is set.
    bool check() override;
    bool cancelRequested() const { return runner_.cancelRequested(); }

    // The start of every operation: code 0, busy, fresh displays; false when a cancel
    // request came first, the operation then ended as cancelled.
    bool opened();
    // The outcome published; the pin driver's session is ended first, so that once
    // the operation shows as over nothing of it is still on its way to the lines.
    void finish(OperationOutcome outcome);

    bool wait300ms();
    // Delay(units); its failure is "Fault on delay.".
    bool pause(std::uint32_t units);

    // A further area: action text emptied, progress 0, then the area's action.
    void startArea(const char* action);
    // Process text emptied and address cleared, as every area ends.
    void clearAreaDisplays();
    // clearAreaDisplays, the 300 ms pause and a check point.
    bool endArea();

    // "Turn on Vpp", programming mode, check, the 300 ms wait, empty process text, check.
    bool raiseVpp();
    // Displays cleared, "Turn off Vpp", programming mode left and the 300 ms wait.
    bool switchOff();

private:
    RunnerControl& runner_;
    PostingBlock& post_;
    ProgrammingMode* mode_ = nullptr;
    Interruption interruption_;
};

} // namespace velmora
