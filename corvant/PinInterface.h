#pragma once
// The state behind the exports: the one open back end, its measured line
// costs and the GetDllInfo text. The exports forward here; tests drive it directly with their own back
// end table and clock.

#include "corvant/BackendTable.h"
#include "corvant/LineCostProbe.h"
#include "corvant/PinBackend.h"
#include "corvant/PinStream.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace corvant {

class PinInterface {
public:
    explicit PinInterface(BackendTable backends = standardBackends(), MonotonicClock clock = steadyClock());
    ~PinInterface();
    PinInterface(const PinInterface&) = delete;
    PinInterface& operator=(const PinInterface&) = delete;

    // Closes any open port first; after a failure no port is open. An opened
    // port's line costs are measured and shown in info().
    bool comInit(const char* port);
    // Success also when no port was open: afterwards none is.
    bool comClose();
    // Any non-zero level counts as 1.
    bool write(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock);
    bool read(std::uint8_t* level);
    // ProgrammerStream: the steps as corvant.h encodes them. With no steps, whether
    // the open back end takes streams at all.
    bool stream(const std::uint32_t* steps, std::uint32_t stepCount, std::uint8_t* levels, std::uint32_t levelCount);
    // Valid until the next comInit or comClose.
    const char* info();
    // The open port's line costs in nanoseconds; false when no port is open.
    bool lineCosts(std::uint32_t* writeNanoseconds, std::uint32_t* readNanoseconds);

private:
    bool closeBackend();
    bool writeInOrder(bool vpp, bool data, bool clock);
    // The moves that bring the lines to these levels from vppOn, in the one safe order.
    static void appendOrderedMoves(std::vector<PinMove>& moves, bool& vppOn, bool vpp, bool data, bool clock);
    std::unique_ptr<PinBackend> openBackend(const char* port, std::string& failure);
    void describeNoPort(const std::string& failure);

    // Only one thread drives the pins by design; the lock costs next to
    // nothing beside a system call and keeps a stray caller from tearing the
    // back end out from under another.
    std::mutex mutex_;
    BackendTable backends_;
    MonotonicClock clock_;
    std::unique_ptr<PinBackend> backend_;
    bool vppOn_ = false;  // as the open back end last took it
    LineCosts costs_;     // the open back end's, as an operation sees them
    std::string info_;
};

} // namespace corvant
