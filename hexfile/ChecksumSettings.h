#pragma once
// The four persisted settings of the program checksum added after each HEX load.

#include <cstdint>
#include <string>

namespace velmora {

// Values of the type field; others (an edited settings file) store a checksum of 0.
enum ChecksumType : std::int32_t {
    SimpleSumOfWords = 0, // "Simple sum of program memory words"
    AdditionToZero = 1,   // "Addition to zero"
};

struct ChecksumSettings {
    bool enabled = false;
    // Ask before overwriting a last word that differs from warnValue.
    bool warnEnabled = true;
    // The expected prior value of the last word, as the user typed it (unvalidated).
    std::string warnValue = "0x0000";
    std::int32_t type = SimpleSumOfWords;
};

} // namespace velmora
