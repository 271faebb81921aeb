#pragma once
// Paths are UTF-8 inside the program; the Windows file API takes UTF-16.

#include <optional>
#include <string>

namespace velmora {

// nullopt when the text is not valid UTF-8.
std::optional<std::wstring> widePath(const std::string& utf8);

} // namespace velmora
