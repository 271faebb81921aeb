#include "cli/platform/EndingSignals.h"

#include <csignal>
#include <initializer_list>

namespace velmora::cli {

namespace {

extern "C" void onEndingSignal(int number)
{
    recordEndingSignal(number);
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

int brokenPipeSignal()
{
    return SIGPIPE;
}

} // namespace velmora::cli
