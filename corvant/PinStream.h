#pragma once
// A back end that takes line moves, waits and reads as one timed stream and
// answers the reads once the stream has run: the FTDI programmer, whose hardware
// carries thousands of line states in one USB exchange. PinInterface turns
// ProgrammerStream's steps into moves in the same order as its single writes
// (Vpp leaves first and comes last), so a streaming back end, like any other,
// only carries out what it is given.

#include <cstdint>
#include <span>

namespace corvant {

enum class PinMoveKind : std::uint8_t {
    Vpp,        // Vpp alone to `vpp`, data and clock staying as they are
    DataClock,  // data and clock together to `data` and `clock` under an unchanged Vpp
    Wait,       // the lines held as they are for at least `units` x 5 us
    Read,       // data-in sampled here, after every earlier move has reached the lines
};

struct PinMove {
    PinMoveKind kind = PinMoveKind::Wait;
    bool vpp = false;
    bool data = false;
    bool clock = false;
    std::uint32_t units = 0;
    bool operator==(const PinMove&) const = default;
};

class StreamingBackend {
public:
    // Carries the moves out in order, every wait at least as long as asked on the
    // lines themselves, whatever the hardware's pace; levels receives one level
    // (0 or 1) per Read move, in order, and is as long as there are reads. False at
    // the first failure, the lines then as far as the stream got.
    virtual bool run(std::span<const PinMove> moves, std::span<std::uint8_t> levels) = 0;

protected:
    ~StreamingBackend() = default;
};

} // namespace corvant
