#pragma once
// The programmer on an FTDI chip's data pins in synchronous bit-bang mode
// (FT232R, FT2232, FT232H): MCLR (a Vpp switch or MCLR at logic level, with or
// without PGM), PGC and PGD outputs, the target's data read on a separate input
// pin, the directions set once. Every byte written is one pin state for one byte
// period and comes back as the pins read just before it was applied, so the
// back end takes whole streams (PinStream.h): thousands of states per USB
// exchange, waits as held states or host pauses (FtdiStreamPlan.h). The single
// calls are one-move streams.

#include "corvant/BackendTable.h"
#include "corvant/FtdiLink.h"
#include "corvant/FtdiPortOptions.h"
#include "corvant/FtdiStreamPlan.h"
#include "corvant/LineCostProbe.h"
#include "corvant/PinBackend.h"
#include "corvant/PinStream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace corvant {

// The host's clock and its sleep, in seconds; tests pass their own.
struct FtdiHost {
    MonotonicClock now = steadyClock();
    std::function<void(double)> sleep;  // at least this long; empty: the thread sleeps
};

// What the opening measured.
struct FtdiCalibration {
    int baud = 0;                // as asked of the library
    double statesPerSecond = 0;  // the pins' measured byte rate at that baud
    double exchangeSeconds = 0;  // one write and its read-back, one byte
};

class FtdiBackend final : public PinBackend, public StreamingBackend {
public:
    // Opens the device, sets the directions with every output low, then measures
    // the byte rate and picks the baud; nullptr (device closed) with the reason
    // in failure when any of it fails.
    static std::unique_ptr<PinBackend> open(std::unique_ptr<FtdiLink> link, const FtdiWiring& wiring, FtdiHost host,
                                            std::string& failure);
    ~FtdiBackend() override;
    FtdiBackend(const FtdiBackend&) = delete;
    FtdiBackend& operator=(const FtdiBackend&) = delete;

    bool setVpp(bool on) override;
    bool setDataClock(bool data, bool clock) override;
    bool read(std::uint8_t& level) override;
    bool close() override;
    std::string describe() const override;
    StreamingBackend* streaming() override { return this; }
    bool run(std::span<const PinMove> moves, std::span<std::uint8_t> levels) override;

    const FtdiCalibration& calibration() const { return calibration_; }
    // Write-and-read-back rounds that waited for every byte to return.
    std::uint64_t exchanges() const { return exchanges_; }

private:
    FtdiBackend(std::unique_ptr<FtdiLink> link, FtdiWiring wiring, FtdiHost host);
    bool setUp(std::string& failure);
    bool calibrate(std::string& failure);
    std::optional<double> statesPerSecondAt(int baud, bool linkKeepsUp);
    std::optional<double> secondsToPump(std::size_t count);
    // The byte clock's rate from one timed write, 0 when no time passed.
    std::optional<double> clockRate();
    // Writes `bytes` and reads `back.size()` bytes back (the oldest in flight
    // first), never more in flight than the chip's transmit FIFO holds.
    bool pump(std::span<const std::uint8_t> bytes, std::span<std::uint8_t> back);
    // pump() for a run that ends with every byte read back.
    bool pumpDrained(std::span<const std::uint8_t> bytes, std::span<std::uint8_t> back);
    bool runPlan(const FtdiStreamPlan& plan, std::vector<std::uint8_t>& back);
    double shortestByteSeconds() const;

    std::unique_ptr<FtdiLink> link_;
    FtdiWiring wiring_;
    FtdiHost host_;
    FtdiPinMasks masks_;
    std::uint8_t pins_ = 0;  // as last proven on the chip
    bool pinsProven_ = true; // false after a failed stream
    bool open_ = false;
    std::size_t inFlight_ = 0;  // written and not yet read back
    FtdiCalibration calibration_;
    std::uint64_t exchanges_ = 0;
};

// The row for "FTDI:" ports on the links `makeLink` gives.
BackendEntry ftdiBackendEntry(std::function<std::unique_ptr<FtdiLink>()> makeLink, FtdiHost host = {});

} // namespace corvant
