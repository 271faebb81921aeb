#pragma once
// Whether this benchmark runs with the libftdi1 stand-in in front of libftdi1, and
// what the stand-in counted and its simulated chip objected to.

#include <cstddef>
#include <cstdint>

struct FtdiStandInCounts {
    std::uint64_t exchanges = 0;
    std::uint64_t bytesWritten = 0;
    double frameSeconds = 0;  // waiting for USB frames in reads
    double fifoSeconds = 0;   // waiting for FIFO room in writes
    std::uint64_t stalls = 0;
    double idleSeconds = 0;   // the pins with nothing queued
};

bool ftdiStandInLinked();
void ftdiStandInResetCounts();
FtdiStandInCounts ftdiStandInCounts();
std::size_t ftdiStandInViolations();
