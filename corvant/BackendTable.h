#pragma once
// Which back end a port string names: one row per kind of port, the first row
// whose prefix the string starts with (any case) opens it. A new back end is a
// file pair that offers its row and one line in standardBackends().

#include "corvant/PinBackend.h"

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
    std::string_view prefix; // upper case
    BackendFactory open;
};

using BackendTable = std::vector<BackendEntry>;

// The rows for this platform's own hardware layers.
BackendTable standardBackends();

// nullptr when no row takes the port.
const BackendEntry* findBackend(const BackendTable& table, std::string_view port);

// The simulated programmer's row ("SIM").
BackendEntry simBackendEntry();

} // namespace corvant
