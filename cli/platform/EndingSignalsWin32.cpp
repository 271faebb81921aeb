#include "cli/platform/EndingSignals.h"

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace velmora::cli {

namespace {

// Lock-free, so safe in a handler, and an ordinary atomic for the threads that read it.
std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onEndingSignal(int number)
{
    int none = 0;
    caught.compare_exchange_strong(none, number);
    // The C runtime resets the handler before calling it.
    std::signal(number, onEndingSignal);
}

} // namespace

void catchEndingSignals()
{
    for (const int number : {SIGINT, SIGTERM, SIGBREAK})
        std::signal(number, onEndingSignal);
}

int caughtEndingSignal()
{
    return caught;
}

// Windows has no SIGPIPE; its conventional number keeps the exit status the same.
int brokenPipeSignal()
{
    return 13;
}

} // namespace velmora::cli
