#pragma once
// A programmer back end behind the exports: one per kind of hardware (a serial
// port, GPIO lines, the simulated chip). ComInit picks one by the port string
// from the back-end table. PinInterface owns the order of the lines (Vpp leaves
// first and comes last) and hands a back end one move at a time, so a back end
// only carries out what it is given. Unlike the ICSP layer's PinDriver it knows
// no waits and lives inside the shared library, below the C exports.

#include <cstdint>
#include <memory>
#include <string>

namespace corvant {

class StreamingBackend;

class PinBackend {
public:
    virtual ~PinBackend() = default;
    // Vpp alone, data and clock staying as they are.
    virtual bool setVpp(bool on) = 0;
    // Data and clock together, under an unchanged Vpp; both take their levels
    // before the call returns.
    virtual bool setDataClock(bool data, bool clock) = 0;
    // level receives the data-in line: 0 low, 1 high.
    virtual bool read(std::uint8_t& level) = 0;
    // Releases the hardware; PinInterface has driven every line low first.
    virtual bool close() = 0;
    // One line describing the back end and its port, for GetDllInfo.
    virtual std::string describe() const = 0;
    // The same hardware taking whole streams (PinStream.h); nullptr for a back end
    // that acts on each call, which then only ever sees the calls above.
    virtual StreamingBackend* streaming() { return nullptr; }
};

// The simulated programmer for port strings that begin with "SIM"; nullptr when
// the string names nothing usable (an unknown chip, a bad option; failure stays
// empty) or its files cannot be used (failure says why).
std::unique_ptr<PinBackend> openSimBackend(const std::string& port, std::string& failure);

} // namespace corvant
