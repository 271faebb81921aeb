#pragma once
// Installs a PinDriver with fresh pin levels for the life of a test, then restores
// the imported driver and clears the levels again.

#include "signalling/PinDriver.h"

namespace velmora::test {

class ScopedPinDriver {
public:
    explicit ScopedPinDriver(PinDriver& driver);
    ~ScopedPinDriver();
    ScopedPinDriver(const ScopedPinDriver&) = delete;
    ScopedPinDriver& operator=(const ScopedPinDriver&) = delete;
};

} // namespace velmora::test
