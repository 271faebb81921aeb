#include "corvant/sim/SimFiles.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::sim {

namespace {

constexpr mode_t kNewFileMode = 0666;   // narrowed by the umask

std::string reason(const std::filesystem::path& path, const char* what)
{
    return path.string() + what;
}

// Non-blocking, so that a FIFO cannot hang the open before fstat turns it away.
// missing: the open failed because there is no such file.
int openRegular(const std::filesystem::path& path, int flags, std::string& error, bool& missing)
{
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, kNewFileMode);
    missing = descriptor < 0 && errno == ENOENT;
    if (descriptor < 0) {
        error = path.string() + ": " + std::strerror(errno);
        return -1;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        error = reason(path, " is not a regular file");
        return -1;
    }
    return descriptor;
}

} // namespace

HeldImageFile::~HeldImageFile()
{
    release(true);
}

bool HeldImageFile::open(const std::filesystem::path& path, std::string& error)
{
    release(true);
    bool missing = false;
    int descriptor = openRegular(path, O_RDWR, error, missing);
    bool created = false;
    if (missing) {
        descriptor = openRegular(path, O_RDWR | O_CREAT | O_EXCL, error, missing);
        created = descriptor >= 0;
    }
    if (descriptor < 0)
        return false;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        error = reason(path, " is in use by another program");
        ::close(descriptor);
        return false;
    }
    descriptor_ = descriptor;
    created_ = created;
    path_ = path;
    return true;
}

void HeldImageFile::release(bool keepCreatedFile)
{
    if (descriptor_ < 0)
        return;
    if (created_ && !keepCreatedFile)
        ::unlink(path_.c_str());
    ::close(descriptor_);   // drops the lock
    descriptor_ = -1;
    created_ = false;
}

} // namespace velmora::sim

namespace velmora::sim {

// A FIFO only opens here when a reader holds it already, so the open cannot wait for one.
std::FILE* openTraceStream(const std::filesystem::path& path)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, kNewFileMode);
    if (descriptor < 0)
        return nullptr;
    struct stat status {};
    const bool usable = ::fstat(descriptor, &status) == 0 && (S_ISREG(status.st_mode) || S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode));
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (!usable || flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    std::FILE* stream = ::fdopen(descriptor, "w");
    if (stream == nullptr)
        ::close(descriptor);
    return stream;
}

} // namespace velmora::sim
