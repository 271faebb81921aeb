#include "cli/platform/EndingSignals.h"

#include <csignal>
#include <initializer_list>

namespace velmora::cli {

namespace {

volatile std::sig_atomic_t caught = 0;

// Only an assignment to a sig_atomic_t: nothing here may lock or allocate. Later signals
// change nothing, so a second Ctrl+C cannot hurry the switch-off.
extern "C" void onEndingSignal(int number)
{
    if (caught == 0)
        caught = number;
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
