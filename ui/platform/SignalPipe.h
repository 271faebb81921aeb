#pragma once
// Platform layer: the signals that end a program (SIGTERM, SIGHUP, SIGINT, SIGQUIT)
// written into a pipe that the event loop watches, so that the windows can end an
// operation and close as the user would instead of dying with Vpp on. The handler
// only writes one byte: nothing else is safe inside it.

namespace velmora::platform {

// Installs the handlers; the read end of the pipe, or -1 where there is none (the
// signals then keep their default action).
int openEndingSignalPipe();

// Drains the pipe; the number of the last signal read, or 0.
int readEndingSignals(int pipe);

} // namespace velmora::platform
