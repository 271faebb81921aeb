#pragma once
// A PinDriver for tests: records every write, read and delay, answers reads from a
// script, keeps a virtual clock that only delay() advances, and fails the calls it is
// told to fail. Safe to share between the test thread and an engine worker.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "signalling/PinDriver.h"
#include "tests/support/PinCall.h"

namespace velmora::test {

class RecordingPinDriver final : public PinDriver {
public:
    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override;
    // A failing read still sets the level to 1, so a caller that trusts it is caught.
    bool programmerRead(std::uint8_t* level) override;
    // Advances the virtual clock by `units` unless the call fails.
    bool delay(std::uint32_t units) override;

    // Levels for the following reads, in order; once used up, reads give the idle level.
    void scriptDataIn(const std::vector<std::uint8_t>& levels);
    // The eight levels of a byte as the device shifts it out, least significant bit first.
    void scriptDataInByte(std::uint8_t value);
    void setIdleDataIn(std::uint8_t level);

    // Call k (1-based) fails, counting calls of every kind, or of `kind` only.
    void failAtCall(std::size_t k);
    void failAtCall(PinCallKind kind, std::size_t k);

    std::vector<PinCall> calls() const;
    std::size_t callCount() const;
    std::size_t callCount(PinCallKind kind) const;
    std::uint64_t now() const;
    // Forgets calls, counts, time, script and faults.
    void clear();

private:
    struct Fault {
        std::optional<PinCallKind> kind;
        std::size_t call = 0;
    };

    // Counts the call and reports whether it is to fail. Caller holds the mutex.
    bool countAndCheckFault(PinCallKind kind);

    mutable std::mutex mutex_;
    std::vector<PinCall> calls_;
    std::size_t totalCount_ = 0;
    std::size_t writeCount_ = 0;
    std::size_t readCount_ = 0;
    std::size_t delayCount_ = 0;
    std::uint64_t now_ = 0;
    std::deque<std::uint8_t> dataIn_;
    std::uint8_t idleDataIn_ = 0;
    std::vector<Fault> faults_;
};

} // namespace velmora::test
