#pragma once
// Wraps another PinDriver (the simulated chip): records every call and makes the k-th
// fail without reaching the chip, as a programmer that drops one request would.

#include <cstddef>
#include <mutex>
#include <vector>

#include "signalling/PinDriver.h"
#include "tests/support/PinCall.h"

namespace velmora::test {

class FaultyPinDriver final : public PinDriver {
public:
    // Installs itself over `inner`, which must be the current driver; restores it on destruction.
    explicit FaultyPinDriver(PinDriver& inner, std::size_t failingCall = 0);
    ~FaultyPinDriver() override;
    FaultyPinDriver(const FaultyPinDriver&) = delete;
    FaultyPinDriver& operator=(const FaultyPinDriver&) = delete;

    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override;
    bool programmerRead(std::uint8_t* level) override;
    bool delay(std::uint32_t units) override;

    std::vector<PinCall> calls() const;

private:
    bool passes();

    PinDriver& inner_;
    std::size_t failingCall_;
    mutable std::mutex mutex_;
    std::vector<PinCall> calls_;
};

} // namespace velmora::test
