#include "hexfile/platform/InputFile.h"

#include <algorithm>
#include <windows.h>

#include "hexfile/platform/WidePath.h"

namespace velmora {

namespace {

HANDLE handleOf(NativeFile file)
{
    return reinterpret_cast<HANDLE>(file);
}

// ReadFile takes a 32-bit count; larger buffers are filled one piece per call.
constexpr std::size_t kMaxReadSize = 1u << 30;

} // namespace

InputFile::~InputFile()
{
    close();
}

bool InputFile::open(const std::string& path)
{
    close();
    const auto wide = widePath(path);
    if (!wide)
        return false;
    // A folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS, so it fails here.
    // Sharing writes too: an editor or an assembler may still hold the file open.
    HANDLE handle = CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    // Devices and pipes are turned away as on POSIX: a read could block forever.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return false;
    }
    file_ = reinterpret_cast<NativeFile>(handle);
    return true;
}

std::optional<std::size_t> InputFile::read(std::span<char> buffer)
{
    if (file_ == kNoNativeFile)
        return std::nullopt;
    DWORD count = 0;
    const auto wanted = static_cast<DWORD>(std::min(buffer.size(), kMaxReadSize));
    if (!ReadFile(handleOf(file_), buffer.data(), wanted, &count, nullptr))
        return std::nullopt;
    return static_cast<std::size_t>(count);
}

void InputFile::close()
{
    if (file_ == kNoNativeFile)
        return;
    CloseHandle(handleOf(file_));
    file_ = kNoNativeFile;
}

} // namespace velmora
