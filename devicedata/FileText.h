#pragma once
// Reads a whole file into memory, telling a missing file from an unreadable one.

#include <filesystem>
#include <string>

namespace velmora {

enum class FileReadStatus { Read, Missing, Unreadable };

// On anything but Read, `contents` is left empty.
FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents);

} // namespace velmora
