#include "corvant/sim/SimFiles.h"

#include <system_error>
#include <windows.h>

namespace velmora::sim {

namespace {

// Marks a held image: on Windows nothing stays open, because the chip's image is
// saved by renaming a new file over it and Windows refuses to replace an open file.
// Two ports on one image file are therefore not refused here.
constexpr int kHeldWithoutHandle = 0;

std::string reason(const std::filesystem::path& path, const char* what)
{
    return path.string() + what;
}

} // namespace

HeldImageFile::~HeldImageFile()
{
    release(true);
}

bool HeldImageFile::open(const std::filesystem::path& path, std::string& error)
{
    release(true);
    std::error_code failure;
    const auto status = std::filesystem::status(path, failure);
    bool created = false;
    if (status.type() == std::filesystem::file_type::not_found) {
        HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = reason(path, " cannot be created");
            return false;
        }
        CloseHandle(handle);
        created = true;
    } else if (status.type() != std::filesystem::file_type::regular) {
        error = reason(path, " is not a regular file");
        return false;
    }
    descriptor_ = kHeldWithoutHandle;
    created_ = created;
    path_ = path;
    return true;
}

void HeldImageFile::release(bool keepCreatedFile)
{
    if (descriptor_ < 0)
        return;
    if (created_ && !keepCreatedFile) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    descriptor_ = -1;
    created_ = false;
}

// Regular files and devices such as NUL; Windows has no FIFO that could hang the open.
std::FILE* openTraceStream(const std::filesystem::path& path)
{
    std::error_code failure;
    if (std::filesystem::is_directory(path, failure))
        return nullptr;
    return _wfopen(path.c_str(), L"wb");
}

} // namespace velmora::sim
