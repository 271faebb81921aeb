#pragma once
// The engine: the memory image with the selected device, the programming options,
// the runner state and the worker thread that runs the device operations.
//
// Threads: the user-interface thread starts an operation with start(), may ask for a
// cancel with requestCancel() at any time and waits for the end with waitForEnd(); the
// worker writes busy and cancelRequest only at an operation's start and endings. The
// runner alone writes its state; everyone else reads it. Everything the worker asks of
// the user interface goes through the ProgressBridge, whose calls block until the user
// interface is done.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "devicedata/DeviceImage.h"
#include "engine/DeviceIdCheck.h"
#include "engine/OperationCode.h"
#include "engine/OperationOutcome.h"
#include "engine/PostingBlock.h"
#include "engine/ProgrammingOptions.h"
#include "engine/ProgressBridge.h"
#include "engine/RunnerValue.h"
#include "signalling/EntryWiring.h"
#include "engine/WorkerThread.h"
#include "engine/frame/RunnerControl.h"

namespace velmora {

class TPICPr : public WorkerThread, private RunnerControl {
public:
    // Creates the image with the construction values of the selected-device fields and
    // starts the worker, which suspends itself at once.
    TPICPr();
    // Sets the cancel request and the terminated flag and ends the worker. A suspended
    // worker only wakes to leave; it never starts an operation.
    ~TPICPr() override;

    DeviceImage& data() { return *image_; }
    const DeviceImage& data() const { return *image_; }

    ProgrammingOptions options;
    // Asked by every operation right after it entered programming mode; empty (the
    // default) reads no device ID there. Set it while idle.
    DeviceIdCheck deviceIdCheck;
    // How the open port's programmer reaches MCLR, which decides how an operation
    // enters programming mode. Set it while idle, whenever the port changes.
    EntryWiring entryWiring = EntryWiring::HighVoltage;

    // Runner state, written by the runner only.
    RunnerValue<bool> cancelRequest{false};
    RunnerValue<bool> busy{false};
    RunnerValue<std::uint8_t> operationCode{OperationNone};
    RunnerValue<bool> windowClosed{true};
    // How the last operation ended; written by the worker before it clears busy.
    RunnerValue<OperationOutcome> lastOutcome{OperationOutcome::None};

    // The user interface the worker posts to; nullptr posts nowhere and answers
    // questions with Abort (or OK when Abort is not offered). Set it while idle.
    void setBridge(ProgressBridge* bridge);

    // The show-handler hand-over: the window open, busy when code is not 0, the code
    // copied into operationCode, the worker resumed. Call it only while idle.
    void start(std::uint8_t code);
    // The window's close path: the window closed, and a cancel request while busy.
    // After the end it only records the window closed.
    void requestCancel();
    // Waits until busy and cancel are clear. serveCalls runs between looks and must
    // carry out the worker's synchronous calls into the waiting thread, if it has any;
    // returning false gives up the wait. Returns whether the operation ended.
    bool waitForEnd(const std::function<bool()>& serveCalls) const;

protected:
    void Execute() override;

private:
    void dispatch(std::uint8_t code);

    bool cancelRequested() const override { return cancelRequest; }
    void operationOpened() override;
    void operationEnded(OperationOutcome outcome) override;

    std::unique_ptr<DeviceImage> image_;
    PostingBlock posting_;
};

} // namespace velmora
