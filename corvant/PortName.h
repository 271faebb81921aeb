#pragma once
// What a ComInit port string names: a numbered COM port, a device path, or the
// simulated programmer.

#include <optional>
#include <string>
#include <string_view>

namespace corvant {

enum class PortKind { ComNumber, DevicePath, Simulated };

struct PortName {
    PortKind kind = PortKind::DevicePath;
    unsigned comNumber = 0; // 1 for "COM1"; only for PortKind::ComNumber
    std::string text;       // the string as given
};

// "COM<n>" (any case, n >= 1 in plain digits without leading zeros), a path
// starting with "/" or "\\.\", or anything starting with "SIM" (any case).
// Anything else is not a port name.
std::optional<PortName> parsePortName(std::string_view text);

} // namespace corvant
