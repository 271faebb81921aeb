#pragma once
// How the last operation ended, for front ends that report it without windows
// (the command line's exit status). The user sees the same through the message boxes.

#include <cstdint>

namespace velmora {

enum class OperationOutcome : std::uint8_t {
    None,          // no operation has ended yet
    Completed,     // ended with its final report; a verify found no difference, a blank check a blank device
    Differences,   // a verify found differences, or a blank check a programmed device
    Aborted,       // the user answered Abort to a verify difference
    Failed,        // ended with an error box
    Cancelled,     // ended by a cancel request
};

} // namespace velmora
