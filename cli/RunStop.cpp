#include "cli/RunStop.h"

#include "cli/platform/EndingSignals.h"
#include "engine/TPICPr.h"

namespace velmora::cli {

void requestCancel(TPICPr& engine)
{
    engine.windowClosed = true;
    if (engine.busy)
        engine.cancelRequest = true;
}

RunStop::RunStop()
{
    catchEndingSignals();
}

bool RunStop::requested(bool outputLost)
{
    if (signal_ != 0)
        return true;
    signal_ = caughtEndingSignal();
    if (signal_ == 0 && outputLost)
        signal_ = brokenPipeSignal();
    return signal_ != 0;
}

} // namespace velmora::cli
