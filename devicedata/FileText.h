#pragma once
// Reads a whole settings or database file into memory through the platform's careful
// door (platform/ReadRegularFile.h), with the bound and the words these files need.

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/ReadRegularFile.h"

namespace velmora {

using FileReadStatus = platform::ReadStatus;

// Devices.ini and Velmora.ini are a few kilobytes; a thousand times that is plenty.
inline constexpr std::size_t kTextFileSizeLimit = 8 * 1024 * 1024;

// On anything but Read, `contents` is left empty.
FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents,
                            std::size_t limit = kTextFileSizeLimit);
// The same, with the system's reason for Unreadable in `error` ("Permission denied").
FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents, std::error_code& error,
                            std::size_t limit = kTextFileSizeLimit);

// Whether a read failed in a way worth an error box: a missing file is not, it only
// means defaults.
inline bool FileReadFailed(FileReadStatus status)
{
    return status != FileReadStatus::Read && status != FileReadStatus::Missing;
}

// Why a file was not read, for a message after its path: "no such file", ...
std::string FileReadProblem(FileReadStatus status, std::size_t limit = kTextFileSizeLimit);

} // namespace velmora
