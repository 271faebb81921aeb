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

int RunStop::ending(int commandStatus, std::FILE* out)
{
    const bool outputLost = std::fflush(out) != 0 || std::ferror(out) != 0;
    return requested(outputLost) ? exitStatus() : commandStatus;
}

} // namespace velmora::cli
