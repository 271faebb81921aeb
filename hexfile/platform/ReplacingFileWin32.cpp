#include "hexfile/platform/ReplacingFile.h"

#include <algorithm>
#include <atomic>
#include <windows.h>

#include "hexfile/platform/WidePath.h"

namespace velmora {

namespace {

constexpr int kCreateAttempts = 100;
// Leaves room for the dot and the suffix within the usual 255-character name limit.
constexpr std::size_t kMaxNameInTemporary = 200;
// WriteFile takes a 32-bit count; larger pieces go out one part per call.
constexpr std::size_t kMaxWriteSize = 1u << 30;

std::atomic<unsigned> temporaryCounter{0};

HANDLE handleOf(NativeFile file)
{
    return reinterpret_cast<HANDLE>(file);
}

std::size_t nameStart(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

std::string temporaryPathFor(const std::string& target)
{
    const std::size_t start = nameStart(target);
    const std::string name = target.substr(start).substr(0, kMaxNameInTemporary);
    return target.substr(0, start) + "." + name + "." + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(temporaryCounter.fetch_add(1)) + ".tmp";
}

// Whether the target may be replaced: no file, or a file that is neither a folder nor
// read-only (a read-only file is one the user asked to keep).
bool replaceableTarget(const std::wstring& target)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// Only that the folder is there: its access rights show only when the file is created.
bool folderExists(const std::string& targetPath)
{
    const std::size_t start = nameStart(targetPath);
    const auto folder = widePath(start == 0 ? std::string(".") : targetPath.substr(0, start));
    if (!folder)
        return false;
    const DWORD attributes = GetFileAttributesW(folder->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void deleteFile(const std::string& path)
{
    if (const auto wide = widePath(path))
        DeleteFileW(wide->c_str());
}

} // namespace

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::canReplace(const std::string& targetPath)
{
    const auto target = widePath(targetPath);
    return target && !target->empty() && replaceableTarget(*target) && folderExists(targetPath);
}

// Temporaries a killed save left behind are not swept here as they are on POSIX; they
// carry the target's name and the process id, so they are easy to spot and remove.
bool ReplacingFile::open(const std::string& targetPath)
{
    discard();
    const auto target = widePath(targetPath);
    if (!target || target->empty() || !replaceableTarget(*target))
        return false;

    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string candidate = temporaryPathFor(targetPath);
        const auto wide = widePath(candidate);
        if (!wide)
            return false;
        // No sharing: nobody reads the new version before it is complete.
        HANDLE handle = CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            return false;
        }
        file_ = reinterpret_cast<NativeFile>(handle);
        targetPath_ = targetPath;
        temporaryPath_ = std::move(candidate);
        return true;
    }
    return false;
}

bool ReplacingFile::write(std::string_view bytes)
{
    if (file_ == kNoNativeFile)
        return false;
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min(bytes.size(), kMaxWriteSize));
        if (!WriteFile(handleOf(file_), bytes.data(), piece, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

ReplacingFile::CommitResult ReplacingFile::commit()
{
    if (file_ == kNoNativeFile)
        return CommitResult::WriteFailed;
    if (!FlushFileBuffers(handleOf(file_))) {
        discard();
        return CommitResult::WriteFailed;
    }
    const bool closed = CloseHandle(handleOf(file_)) != 0;
    file_ = kNoNativeFile;
    const auto from = widePath(temporaryPath_);
    const auto to = widePath(targetPath_);
    // WRITE_THROUGH: the call returns only once the move is on the disk.
    if (!closed || !from || !to ||
        !MoveFileExW(from->c_str(), to->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        discard();
        return CommitResult::CloseFailed;
    }
    temporaryPath_.clear();
    return CommitResult::Done;
}

void ReplacingFile::discard()
{
    if (file_ != kNoNativeFile) {
        CloseHandle(handleOf(file_));
        file_ = kNoNativeFile;
    }
    if (!temporaryPath_.empty()) {
        deleteFile(temporaryPath_);
        temporaryPath_.clear();
    }
}

} // namespace velmora
