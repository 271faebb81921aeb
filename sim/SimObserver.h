#pragma once
// Who listens to the simulated chip: the trace file, test recorders. Every call
// happens on the thread that drives the pins, in time order.

#include <cstdint>
#include <string_view>

#include "sim/SimTime.h"
#include "sim/Violation.h"

namespace velmora::sim {

// How the chip entered program/verify mode: Vpp at VIHH on MCLR, or PGM high and then
// MCLR at VDD.
enum class Entry : std::uint8_t { HighVoltage, LowVoltage };

struct DecodedCommand {
    SimTime time;             // when its last bit was clocked
    std::uint8_t command;     // 4-bit ICSP command
    std::uint16_t operand;    // as clocked in (for reads only the ignored low byte)
    bool isRead;              // 0010 and 1000..1011: byteRead is what the chip shifted out
    std::uint8_t byteRead;
};

class SimObserver {
public:
    virtual ~SimObserver() = default;
    virtual void programModeChanged(SimTime /*time*/, bool /*entered*/, Entry /*entry*/) {}
    virtual void pgmChanged(SimTime /*time*/, bool /*high*/) {}
    virtual void commandDecoded(const DecodedCommand& /*command*/) {}
    virtual void violationRecorded(const Violation& /*violation*/) {}
    // Internal events worth a line in a trace: an erase starting or ending, a block programmed.
    virtual void noted(SimTime /*time*/, std::string_view /*text*/) {}
};

} // namespace velmora::sim
