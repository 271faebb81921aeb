#pragma once
// Platform layer: what the settings file needs to know about folders. An installed
// program's folder belongs to the system, so the user's own configuration folder takes
// the settings instead.

#include <filesystem>

namespace velmora::platform {

// Whether the current user may create files in the folder.
bool isWritableFolder(const std::filesystem::path& folder);

// The folder where this user's programs keep their settings; empty when the system
// names none.
std::filesystem::path userConfigFolder();

} // namespace velmora::platform
