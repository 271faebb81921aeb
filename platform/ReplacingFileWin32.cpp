#include "platform/ReplacingFileCalls.h"

#include <algorithm>
#include <windows.h>

#include "platform/Utf8Path.h"

namespace velmora::platform::replacing {

namespace {

// WriteFile takes a 32-bit count; larger pieces go out one part per call.
constexpr std::size_t kMaxWriteSize = 1u << 30;

HANDLE handleOf(std::intptr_t file)
{
    return reinterpret_cast<HANDLE>(file);
}

} // namespace

std::size_t nameStart(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

// No file, or a file that is neither a folder nor read-only (a read-only file is one
// the user asked to keep).
std::optional<std::string> replaceableTarget(const std::string& targetPath)
{
    const auto target = widePath(targetPath);
    if (!target || target->empty())
        return std::nullopt;
    const DWORD attributes = GetFileAttributesW(target->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return std::nullopt;
    return targetPath;
}

// Only that the folder is there: its access rights show only when the file is created.
bool folderAccepts(const std::string& target)
{
    const std::size_t start = nameStart(target);
    const auto folder = widePath(start == 0 ? std::string(".") : target.substr(0, start));
    if (!folder)
        return false;
    const DWORD attributes = GetFileAttributesW(folder->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Not swept here as on POSIX: the temporaries carry the target's name and the process
// id, so they are easy to spot and remove.
void removeStaleTemporaries(const std::string& /*target*/) {}

Created createTemporary(const std::string& temporary, const std::string& /*target*/, std::intptr_t& file)
{
    const auto wide = widePath(temporary);
    if (!wide)
        return Created::Failed;
    // No sharing: nobody reads the new version before it is complete.
    HANDLE handle = CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS ? Created::NameTaken : Created::Failed;
    file = reinterpret_cast<std::intptr_t>(handle);
    return Created::Yes;
}

bool writeAll(std::intptr_t file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min(bytes.size(), kMaxWriteSize));
        if (!WriteFile(handleOf(file), bytes.data(), piece, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool flushToDisk(std::intptr_t file)
{
    return FlushFileBuffers(handleOf(file)) != 0;
}

bool closeFile(std::intptr_t file)
{
    return CloseHandle(handleOf(file)) != 0;
}

// WRITE_THROUGH: the call returns only once the move is on the disk.
bool moveOver(const std::string& temporary, const std::string& target)
{
    const auto from = widePath(temporary);
    const auto to = widePath(target);
    return from && to && MoveFileExW(from->c_str(), to->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void removeFile(const std::string& path)
{
    if (const auto wide = widePath(path))
        DeleteFileW(wide->c_str());
}

unsigned long currentProcessId()
{
    return static_cast<unsigned long>(GetCurrentProcessId());
}

} // namespace velmora::platform::replacing
