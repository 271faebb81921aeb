#include "cli/platform/EndingSignals.h"

#include <csignal>
#include <initializer_list>

namespace velmora::cli {

namespace {

extern "C" void onEndingSignal(int number)
{
    recordEndingSignal(number);
    // The C runtime resets the handler before calling it.
    std::signal(number, onEndingSignal);
}

} // namespace

void catchEndingSignals()
{
    for (const int number : {SIGINT, SIGTERM, SIGBREAK})
        std::signal(number, onEndingSignal);
}

// Windows has no SIGPIPE; its conventional number keeps the exit status the same.
int brokenPipeSignal()
{
    return 13;
}

} // namespace velmora::cli
