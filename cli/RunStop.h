#pragma once
// What ends a command early: an ending signal, or output that nobody reads any more
// (a closed pipe or terminal). Either becomes one cancel request on the engine, so the
// running operation leaves through its cancel exit, with Vpp off, before the program
// ends with the status a shell expects of that signal.

#include <cstdio>

namespace velmora::cli {

class RunStop {
public:
    // Catches the ending signals from here on.
    RunStop();

    // Whether the run should stop: an ending signal arrived, or outputLost says that
    // writing to the terminal has failed. Once true it stays true.
    bool requested(bool outputLost = false);
    // 128 + the signal's number (SIGPIPE's for lost output); only when requested().
    int exitStatus() const { return 128 + signal_; }
    // Every command leaves through here: its own status, unless a signal came while it
    // ran or its output (flushed now) could not be written.
    int ending(int commandStatus, std::FILE* out);

private:
    int signal_ = 0;
};

} // namespace velmora::cli
