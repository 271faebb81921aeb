#pragma once
// A programmer back end behind the five exports: one per kind of hardware (a
// serial port, GPIO lines, the simulated chip). ComInit picks one by the port
// string from the back-end table; the exports only forward to it.

#include <cstdint>
#include <memory>
#include <string>

namespace corvant {

class PinBackend {
public:
    virtual ~PinBackend() = default;
    // All three lines take the given levels (0 or 1) before the call returns.
    virtual bool write(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) = 0;
    // level receives the data-in line: 0 low, 1 high.
    virtual bool read(std::uint8_t& level) = 0;
    // Drives every line low and releases the hardware.
    virtual bool close() = 0;
    // One line describing the back end and its port, for GetDllInfo.
    virtual std::string describe() const = 0;
};

// The simulated programmer for port strings that begin with "SIM"; nullptr when
// the string names nothing usable (an unknown chip, a bad option; failure stays
// empty) or its files cannot be used (failure says why).
std::unique_ptr<PinBackend> openSimBackend(const std::string& port, std::string& failure);

} // namespace corvant
