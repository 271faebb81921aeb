#pragma once
// The warning before an operation on a port whose measured speed makes it take
// more than three times the protocol's own time.

#include <optional>
#include <string>
#include <string_view>

namespace velmora::cli {

// info: the GetDllInfo text of the open port. nullopt when the port is fast
// enough or says nothing about its speed.
std::optional<std::string> slowPortWarning(std::string_view info);

} // namespace velmora::cli
