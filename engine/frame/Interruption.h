#pragma once
// Why an operation left its normal course: the first failure (with its message) or a
// cancel request found at a check point.

#include <string>

namespace velmora {

struct Interruption {
    enum class Kind { None, Failure, Cancel };
    Kind kind = Kind::None;
    std::string message;
    // The read keeps what it read so far when an EEPROM address instruction failed.
    bool keepImage = false;
};

} // namespace velmora
