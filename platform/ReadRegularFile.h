#pragma once
// Reads a whole regular file into memory, never more than a bound, every I/O error a
// status instead of an exception, so that a hostile path (a device, a FIFO, /proc) can
// neither hang nor abort the program.

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

namespace velmora::platform {

enum class ReadStatus { Read, Missing, NotRegularFile, TooLarge, Unreadable };

// On anything but Read, contents is left empty; on Unreadable error holds the reason.
ReadStatus readRegularFile(const std::filesystem::path& path, std::string& contents, std::error_code& error,
                           std::size_t limit);

} // namespace velmora::platform
