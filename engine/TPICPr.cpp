#include "engine/TPICPr.h"

#include "engine/BlankCheckOperation.h"
#include "engine/DeviceIdOperation.h"
#include "engine/EraseAndProgram.h"
#include "engine/IcspSession.h"
#include "engine/ReadOperation.h"
#include "engine/VerifyOperation.h"

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

void TPICPr::dispatch(std::uint8_t code)
{
    IcspSession session(*this, posting_);
    switch (code) {
    case OperationRead:
        ReadOperation(session).run();
        break;
    case OperationErase:
        eraseOnly = true;
        EraseAndProgram(session).run();
        eraseOnly = false;
        break;
    case OperationProgram:
        eraseOnly = false;
        EraseAndProgram(session).run();
        break;
    case OperationVerify:
        VerifyOperation(session).run();
        break;
    case OperationBlankCheck:
        BlankCheckOperation(session).run();
        break;
    case OperationDeviceId:
        DeviceIdOperation(session).run();
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
