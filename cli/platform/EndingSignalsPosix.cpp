#include "cli/platform/EndingSignals.h"

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace velmora::cli {

namespace {

// Lock-free, so safe in a handler, and an ordinary atomic for the threads that read it.
std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free);

// Only an assignment to a sig_atomic_t: nothing here may lock or allocate. Later signals
// change nothing, so a second Ctrl+C cannot hurry the switch-off.
extern "C" void onEndingSignal(int number)
{
    int none = 0;
    caught.compare_exchange_strong(none, number);
}

void handle(int number, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
}

} // namespace

void catchEndingSignals()
{
    for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        handle(number, onEndingSignal);
    handle(SIGPIPE, SIG_IGN);
}

int caughtEndingSignal()
{
    return caught;
}

int brokenPipeSignal()
{
    return SIGPIPE;
}

} // namespace velmora::cli
