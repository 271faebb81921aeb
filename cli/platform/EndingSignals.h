#pragma once
// The OS side of ending a run early: the signals that end a program (Ctrl+C, kill,
// a closed terminal, Ctrl+\) only record their number, so that the program can switch
// the programming voltage off before it leaves; a write to a closed pipe returns an
// error instead of killing the process.

namespace velmora::cli {

// Installs the handlers. Safe to call more than once.
void catchEndingSignals();

// The number of the first ending signal caught, or 0.
int caughtEndingSignal();

// The signal number that stands for output nobody reads any more (SIGPIPE).
int brokenPipeSignal();

// For the handlers (EndingSignalsPosix.cpp, EndingSignalsWin32.cpp): keeps the first
// number and ignores the later ones, so a second Ctrl+C cannot hurry the switch-off.
// Safe in a signal handler: one lock-free atomic, no lock, no allocation.
void recordEndingSignal(int number);

} // namespace velmora::cli
