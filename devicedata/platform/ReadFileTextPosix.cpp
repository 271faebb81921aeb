// The bounded reader on POSIX: a non-blocking open, so that a FIFO cannot hang before
// fstat turns it away, and plain read() calls, whose errors come back as values.

#include "devicedata/FileText.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

class Descriptor {
public:
    explicit Descriptor(int value) : value_(value) {}
    ~Descriptor()
    {
        if (value_ >= 0)
            ::close(value_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return value_; }

private:
    int value_;
};

FileReadStatus failure(std::error_code& error)
{
    error.assign(errno, std::generic_category());
    return FileReadStatus::Unreadable;
}

FileReadStatus openFailure(std::error_code& error)
{
    return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : failure(error);
}

} // namespace

FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents, std::error_code& error,
                            std::size_t limit)
{
    contents.clear();
    error.clear();
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0)
        return openFailure(error);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return failure(error);
    if (!S_ISREG(status.st_mode))
        return FileReadStatus::NotRegularFile;
    if (static_cast<std::uintmax_t>(status.st_size) > limit)
        return FileReadStatus::TooLarge;

    // The size fstat gives is only a hint: files under /proc say 0 and hold more.
    std::string text;
    for (;;) {
        const std::size_t used = text.size();
        if (used > limit)
            return FileReadStatus::TooLarge;
        text.resize(used + kChunk);
        const ssize_t count = ::read(file.get(), text.data() + used, kChunk);
        if (count < 0) {
            text.resize(used);
            if (errno == EINTR)
                continue;
            return failure(error);
        }
        text.resize(used + static_cast<std::size_t>(count));
        if (count == 0)
            break;
    }
    if (text.size() > limit)
        return FileReadStatus::TooLarge;
    contents = std::move(text);
    return FileReadStatus::Read;
}

} // namespace velmora
