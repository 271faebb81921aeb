#include "platform/RegularFile.h"

#include <algorithm>
#include <windows.h>

namespace velmora::platform {

namespace {

// ReadFile takes a 32-bit count; larger buffers are filled one piece per call.
constexpr std::size_t kMaxReadSize = 1u << 30;

HANDLE handleOf(std::intptr_t file)
{
    return reinterpret_cast<HANDLE>(file);
}

std::error_code lastError()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

bool isFolder(const std::filesystem::path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

OpenStatus RegularFile::open(const std::filesystem::path& path, std::error_code& error)
{
    close();
    error.clear();
    // Sharing writes too: an editor or an assembler may still hold the file open.
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD reason = GetLastError();
        if (reason == ERROR_FILE_NOT_FOUND || reason == ERROR_PATH_NOT_FOUND)
            return OpenStatus::Missing;
        // A folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS.
        if (isFolder(path))
            return OpenStatus::NotRegularFile;
        error = {static_cast<int>(reason), std::system_category()};
        return OpenStatus::Failed;
    }
    // Devices and pipes are turned away as on POSIX: a read could block forever.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return OpenStatus::NotRegularFile;
    }
    file_ = reinterpret_cast<std::intptr_t>(handle);
    return OpenStatus::Opened;
}

std::optional<std::size_t> RegularFile::read(std::span<char> buffer, std::error_code& error)
{
    if (file_ == kClosed) {
        error = std::make_error_code(std::errc::bad_file_descriptor);
        return std::nullopt;
    }
    DWORD count = 0;
    const auto wanted = static_cast<DWORD>(std::min(buffer.size(), kMaxReadSize));
    if (!ReadFile(handleOf(file_), buffer.data(), wanted, &count, nullptr)) {
        error = lastError();
        return std::nullopt;
    }
    return static_cast<std::size_t>(count);
}

void RegularFile::close()
{
    if (file_ == kClosed)
        return;
    CloseHandle(handleOf(file_));
    file_ = kClosed;
}

} // namespace velmora::platform
