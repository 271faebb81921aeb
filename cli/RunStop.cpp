#include "cli/RunStop.h"

#include "cli/platform/EndingSignals.h"

namespace velmora::cli {

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
