#include "ui/platform/SignalPipe.h"

#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

namespace velmora::platform {

namespace {

int writeEnd = -1;

extern "C" void onEndingSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t ignored = ::write(writeEnd, &byte, 1);
}

} // namespace

int openEndingSignalPipe()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    writeEnd = ends[1];
    for (const int number : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) {
        struct sigaction action {};
        action.sa_handler = onEndingSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(number, &action, nullptr);
    }
    return ends[0];
}

int readEndingSignals(int pipe)
{
    int last = 0;
    unsigned char byte = 0;
    while (::read(pipe, &byte, 1) == 1)
        last = byte;
    return last;
}

} // namespace velmora::platform
