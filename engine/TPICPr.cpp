#include "engine/TPICPr.h"

#include "engine/classic/ClassicIcsp.h"
#include "engine/frame/OperationFrame.h"
#include "engine/operations/BlankCheckOperation.h"
#include "engine/operations/DeviceIdOperation.h"
#include "engine/operations/EraseAndProgram.h"
#include "engine/operations/OperationContext.h"
#include "engine/operations/ReadOperation.h"
#include "engine/operations/VerifyOperation.h"

namespace velmora {

TPICPr::TPICPr()
    : image_(std::make_unique<DeviceImage>())
{
    WorkerThread::start();
}

TPICPr::~TPICPr()
{
    cancelRequest = true;
    stop();
}

void TPICPr::setBridge(ProgressBridge* bridge)
{
    posting_.setBridge(bridge);
}

void TPICPr::start(std::uint8_t code)
{
    windowClosed = false;
    if (code != OperationNone)
        busy = true;
    operationCode = code;
    resume();
}

void TPICPr::requestCancel()
{
    windowClosed = true;
    if (busy)
        cancelRequest = true;
}

bool TPICPr::waitForEnd(const std::function<bool()>& serveCalls) const
{
    while (busy || cancelRequest) {
        if (!serveCalls())
            return false;
    }
    return true;
}

void TPICPr::Execute()
{
    raisePriority();
    while (!terminated()) {
        suspend();
        if (terminated())
            break;
        dispatch(operationCode);
    }
}

void TPICPr::operationOpened()
{
    operationCode = OperationNone;
    busy = true;
}

void TPICPr::operationEnded(OperationOutcome outcome)
{
    lastOutcome = outcome;
    busy = false;
    cancelRequest = false;
}

void TPICPr::dispatch(std::uint8_t code)
{
    OperationFrame frame(*this, posting_);
    ClassicIcsp icsp(frame, data().device, entryWiring);
    frame.setMode(icsp);
    const OperationContext context{frame, icsp, data(), options, deviceIdCheck};
    switch (code) {
    case OperationRead:
        ReadOperation(context).run();
        break;
    case OperationErase:
        EraseAndProgram(context, true).run();
        break;
    case OperationProgram:
        EraseAndProgram(context, false).run();
        break;
    case OperationVerify:
        VerifyOperation(context).run();
        break;
    case OperationBlankCheck:
        BlankCheckOperation(context).run();
        break;
    case OperationDeviceId:
        DeviceIdOperation(context).run();
        break;
    default:
        // Unknown codes do nothing; the progress window stays until the user cancels.
        // Busy was set by the hand-over and must not outlive it, or the Cancel that
        // closes the window would wait for it for ever.
        operationCode = OperationNone;
        busy = false;
        break;
    }
}

} // namespace velmora
