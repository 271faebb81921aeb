#pragma once
// velmora-cli wiring: with Vpp off, PGD is driven high and low and the data-in line
// read back each time, then PGC is pulsed with PGD low. What data in did says which
// part of the data path works; the chip is never put in program mode.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "signalling/PinDriver.h"

namespace velmora::cli {

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

// Drives the pattern through the driver, leaves every line low and prints the levels
// seen and the verdict, with what the verdict cannot show when data in is PGD itself.
// Exit status 0 when data in follows data out, 2 otherwise (also when a line could
// not be driven or read).
int runWiringCheck(PinDriver& driver, bool dataInIsPgd, std::FILE* out, std::FILE* err);

} // namespace velmora::cli
