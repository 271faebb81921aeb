#pragma once
// One FT232R in synchronous bit-bang mode, in real time: the byte clock, the two
// FIFOs and the USB IN packets, advanced lazily to the present at every call.
//
// Each tick of the byte clock samples the pins (the read-back byte) and then applies
// the next written byte, so the read-back runs one byte behind. The clock ticks only
// while a byte waits in the 128-byte host-to-chip FIFO and the 256-byte chip-to-host
// FIFO has room: when the host does not read, the pins hold (a stall), nothing is lost.
// Its period is the baud rate times a factor the host is not told, each byte up to
// `jitter` slower than that and never faster. The host gets read-back bytes only in IN
// packets (2 status + up to 62 data bytes) at USB frames (1 ms), at most 19 a frame;
// a packet shorter than full leaves only once the latency timer has run out. Packets
// leave only while a read is pending: the host asks for them.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <random>

#include "FtdiStandIn.h"
#include "sim/SimTime.h"

namespace ftdistandin {

using velmora::sim::SimTime;

// What sits on the pins: the board with the simulated chip.
class Pins {
public:
    // The eight pins as the adapter reads them at `time`.
    virtual std::uint8_t sample(SimTime time) = 0;
    // The output pins (`outputs` set) take `levels` at `time`.
    virtual void apply(SimTime time, std::uint8_t levels, std::uint8_t outputs) = 0;

protected:
    ~Pins() = default;
};

struct Timing {
    double rateFactor = 5;  // bytes per second per baud
    double jitter = 0.15;   // a byte's period: nominal x (1 + up to this)
};

class Ft232rModel {
public:
    using Clock = std::chrono::steady_clock;

    Ft232rModel(Pins& pins, Timing timing, velmora_ftdi_standin_counts& counts);

    // Synchronous bit-bang with these output pins, or back to UART mode.
    void setSynchronous(std::uint8_t outputs);
    void setUart();
    bool synchronous() const { return synchronous_; }
    void setBaudrate(int baud);
    void setLatency(std::chrono::milliseconds latency) { latency_ = latency; }
    // Empties both FIFOs and what the host library had buffered.
    void purge();
    // Blocks while the host-to-chip FIFO is full; false when `timeout` passes
    // without the data in (the bytes already taken stay taken).
    bool write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout);
    // What the host library has buffered, else what the next transfers bring: 0..size
    // bytes, short only when a transfer brought nothing but status bytes.
    std::size_t read(std::uint8_t* data, std::size_t size);
    // What the host library holds for the next read.
    std::size_t buffered() const { return host_.size(); }
    // The pins at this moment.
    std::uint8_t pinsNow();
    SimTime now() const;

private:
    static constexpr std::size_t kToChip = 128;
    static constexpr std::size_t kFromPins = 256;
    static constexpr std::size_t kPacketData = 62;
    static constexpr int kPacketsPerFrame = 19;
    static constexpr SimTime kFrame = std::chrono::milliseconds(1);

    void advance(SimTime to);
    bool clockBlocked() const { return !synchronous_ || toChip_.empty() || fromPins_.size() >= kFromPins; }
    SimTime nextTick() const;
    // Something that may have stopped the clock changed at `time`.
    void unblockedAt(SimTime time, bool wasBlocked);
    // The IN packets one frame carries; true when that was one packet of status bytes
    // alone.
    bool releasePackets(SimTime frame);
    void sleepUntil(SimTime time) const;
    SimTime drawPeriod();

    Pins& pins_;
    Timing timing_;
    velmora_ftdi_standin_counts& counts_;
    Clock::time_point origin_;
    std::minstd_rand random_{1};
    bool synchronous_ = false;
    std::uint8_t outputs_ = 0;
    SimTime nominal_ = std::chrono::microseconds(1);
    std::chrono::milliseconds latency_{16};
    std::deque<std::uint8_t> toChip_;
    std::deque<std::uint8_t> fromPins_;
    std::deque<std::uint8_t> host_;
    SimTime lastTick_{};
    SimTime gap_{};          // the period of the byte on the pins now
    SimTime readySince_{};   // when the clock last became free to tick
    SimTime lastPacket_{};
    bool stalled_ = false;
};

} // namespace ftdistandin
