#pragma once
// Reading a recorded pin trace the way the target sees it: clock pulses with the data
// bit latched on each falling edge, the ICSP frames those bits form, and how long the
// lines stayed idle. Only successful writes and reads count; failed calls changed nothing.

#include <cstdint>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/PinCall.h"

namespace velmora::test {

struct ClockPulse {
    std::uint64_t riseTime = 0;
    std::uint64_t fallTime = 0;            // end of the trace when the clock never fell
    bool fell = false;
    std::uint8_t data = 0;                 // data level when the clock fell: the bit latched
    std::optional<std::uint8_t> sampled;   // data-in read while the clock was high

    std::uint64_t highTime() const { return fallTime - riseTime; }
};

struct IcspFrame {
    std::uint8_t command = 0;              // four bits
    std::uint16_t operand = 0;             // read commands: only the eight padding bits
    std::optional<std::uint8_t> readValue; // read commands: the byte sampled on the last eight clocks
    bool complete = false;                 // false: the trace ended inside the frame
};

std::vector<PinCall> writesOf(const std::vector<PinCall>& calls);
std::vector<ClockPulse> clockPulses(const std::vector<PinCall>& calls);
// The data bit latched at every falling clock edge.
std::vector<std::uint8_t> latchedBits(const std::vector<PinCall>& calls);
// Splits the pulses into ICSP frames: 4 command bits, then 16 operand bits, or for the
// read commands (0010, 1000-1011) 8 padding bits and 8 sampled bits.
std::vector<IcspFrame> decodeIcspFrames(const std::vector<PinCall>& calls);
// From the first write at or after `from` that leaves data and clock low: how long
// both stay low (to the next write raising either, or to the end of the trace).
std::uint64_t linesIdleSpan(const std::vector<PinCall>& calls, std::uint64_t from);

// The low `count` bits of `value`, least significant first: bits as they travel.
std::vector<std::uint8_t> bitsLsbFirst(std::uint32_t value, int count);
std::vector<std::uint8_t> concatBits(const std::vector<std::vector<std::uint8_t>>& parts);
// Equality of two bit sequences, printed as 0/1 strings with the first difference.
::testing::AssertionResult sameBits(const std::vector<std::uint8_t>& actual,
                                    const std::vector<std::uint8_t>& expected);

} // namespace velmora::test
