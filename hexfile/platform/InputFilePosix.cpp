#include "hexfile/platform/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

InputFile::~InputFile()
{
    close();
}

bool InputFile::open(const std::string& path)
{
    close();
    // Non-blocking so that opening a FIFO cannot hang before it is turned away below.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return false;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return false;
    }
    file_ = descriptor;
    return true;
}

std::optional<std::size_t> InputFile::read(std::span<char> buffer)
{
    if (file_ == kNoNativeFile)
        return std::nullopt;
    for (;;) {
        const ssize_t count = ::read(static_cast<int>(file_), buffer.data(), buffer.size());
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno != EINTR)
            return std::nullopt;
    }
}

void InputFile::close()
{
    if (file_ == kNoNativeFile)
        return;
    ::close(static_cast<int>(file_));
    file_ = kNoNativeFile;
}

} // namespace velmora
