#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::platform {

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

} // namespace

OpenStatus RegularFile::open(const std::filesystem::path& path, std::error_code& error)
{
    close();
    error.clear();
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return OpenStatus::Missing;
        error = lastError();
        return OpenStatus::Failed;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        error = lastError();
        ::close(descriptor);
        return OpenStatus::Failed;
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return OpenStatus::NotRegularFile;
    }
    file_ = descriptor;
    return OpenStatus::Opened;
}

std::optional<std::size_t> RegularFile::read(std::span<char> buffer, std::error_code& error)
{
    if (file_ == kClosed) {
        error = std::make_error_code(std::errc::bad_file_descriptor);
        return std::nullopt;
    }
    for (;;) {
        const ssize_t count = ::read(static_cast<int>(file_), buffer.data(), buffer.size());
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno != EINTR) {
            error = lastError();
            return std::nullopt;
        }
    }
}

void RegularFile::close()
{
    if (file_ == kClosed)
        return;
    ::close(static_cast<int>(file_));
    file_ = kClosed;
}

} // namespace velmora::platform
