#pragma once
// The line check both front ends offer: with Vpp off, PGD is driven high and low and the
// data-in line read back each time, then PGC is pulsed with PGD low. What data in did
// says which part of the data path works; the chip is never put in program mode.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signalling/PinDriver.h"

namespace velmora {

struct WiringSample {
    bool data = false;    // PGD as driven
    bool clock = false;   // PGC as driven
    bool dataIn = false;  // as read back
};

enum class WiringVerdict { Follows, FollowsClock, StaysLow, StaysHigh, Inverted, Erratic };

// The levels driven, in order.
std::vector<WiringSample> wiringPattern();

WiringVerdict classifyWiring(const std::vector<WiringSample>& samples);

// One line on what the verdict means and what to check.
std::string wiringAdvice(WiringVerdict verdict);

// Whether the programmer, as GetDllInfo describes it, reads data in on the PGD line
// itself: then data in follows data out whichever chip pin that line reaches.
bool dataInIsPgd(std::string_view programmerInfo);

// Drives the pattern through the driver and leaves every line low; the samples with
// data in as read, or nullopt when a line could not be driven or read.
std::optional<std::vector<WiringSample>> driveWiringPattern(PinDriver& driver);

// The levels seen, one line per signal, the verdict's advice and, when data in is PGD
// itself, what the check cannot show; every line ends with "\n".
std::string wiringReport(const std::vector<WiringSample>& samples, bool readOnPgd);

} // namespace velmora
