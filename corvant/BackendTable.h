#pragma once
// Which back end a port string names: one row per kind of port (PortName.h), the
// first row of the port's kind opens it. A new back end is a file pair that offers
// its row and one line in standardBackends().

#include "corvant/PinBackend.h"
#include "corvant/PortName.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvant {

// nullptr with the reason in failure when the port does not open.
using BackendFactory =
    std::function<std::unique_ptr<PinBackend>(const std::string& port, std::string& failure)>;

struct BackendEntry {
    PortKind kind;
    BackendFactory open;
};

using BackendTable = std::vector<BackendEntry>;

// The rows for this platform's own hardware layers.
BackendTable standardBackends();

// nullptr when no row is of the port's kind.
const BackendEntry* findBackend(const BackendTable& table, std::string_view port);

// The simulated programmer's row ("SIM").
BackendEntry simBackendEntry();

} // namespace corvant
