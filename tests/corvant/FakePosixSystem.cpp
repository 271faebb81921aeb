#include "FakePosixSystem.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>

namespace corvant::test {
namespace {

constexpr int kInputBits = TIOCM_CTS | TIOCM_CAR | TIOCM_RNG | TIOCM_DSR;

std::string lineLevels(int bits)
{
    return std::string("DTR=") + ((bits & TIOCM_DTR) ? "1" : "0") + " RTS=" +
           ((bits & TIOCM_RTS) ? "1" : "0");
}

std::string ioctlEntry(unsigned long request, const int* arg)
{
    switch (request) {
    case TIOCEXCL: return "TIOCEXCL";
    case TIOCNXCL: return "TIOCNXCL";
    case TIOCSBRK: return "TIOCSBRK";
    case TIOCCBRK: return "TIOCCBRK";
    case TIOCMGET: return "TIOCMGET";
    case TIOCMSET: return "TIOCMSET " + lineLevels(arg ? *arg : 0);
    default: return "ioctl " + std::to_string(request);
    }
}

std::string flockEntry(int operation)
{
    std::string entry = "flock ";
    entry += (operation & LOCK_EX) ? "LOCK_EX" : (operation & LOCK_UN) ? "LOCK_UN" : "LOCK_SH";
    if (operation & LOCK_NB)
        entry += "|LOCK_NB";
    return entry;
}

int fail(int error)
{
    errno = error;
    return -1;
}

} // namespace

bool sameSettings(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag;
}

FakeDevice& FakePosixSystem::addSerialPort(const std::string& path)
{
    FakeDevice& port = devices_[path];
    port.settings.c_cflag = B9600 | CS8 | CREAD | HUPCL | CRTSCTS;
    port.settings.c_iflag = IXON | IXOFF;
    return port;
}

void FakePosixSystem::failNext(const std::string& call, int error)
{
    failures_[call] = error;
}

int FakePosixSystem::openFlagsOf(const std::string& path) const
{
    for (const auto& [fd, open] : files_)
        if (open.path == path)
            return open.openFlags;
    return -1;
}

int FakePosixSystem::currentFlagsOf(const std::string& path) const
{
    for (const auto& [fd, open] : files_)
        if (open.path == path)
            return open.flags;
    return -1;
}

bool FakePosixSystem::called(const std::string& entry)
{
    calls_.push_back(entry);
    const auto failure = failures_.find(entry.substr(0, entry.find(' ')));
    if (failure == failures_.end())
        return false;
    errno = failure->second;
    failures_.erase(failure);
    return true;
}

FakePosixSystem::OpenFile* FakePosixSystem::file(int fd)
{
    const auto found = files_.find(fd);
    return found == files_.end() ? nullptr : &found->second;
}

int FakePosixSystem::open(const char* path, int flags)
{
    if (called("open " + std::string(path)))
        return -1;
    const auto found = devices_.find(path);
    if (found == devices_.end())
        return fail(ENOENT);
    if (!found->second.accessible)
        return fail(EACCES);
    if (found->second.exclusive)
        return fail(EBUSY);
    const int fd = nextFd_++;
    files_[fd] = OpenFile{path, flags, flags & ~O_CLOEXEC};
    return fd;
}

int FakePosixSystem::close(int fd)
{
    OpenFile* open = file(fd);
    if (!open)
        return fail(EBADF);
    FakeDevice& port = devices_.at(open->path);
    const std::string path = open->path;
    // The descriptor is gone even when close reports an error.
    files_.erase(fd);
    if (port.lockedBy == fd)
        port.lockedBy = -1;
    const bool lastClose = std::none_of(files_.begin(), files_.end(),
                                        [&](const auto& entry) { return entry.second.path == path; });
    if (lastClose)
        port.exclusive = false;
    return called("close") ? -1 : 0;
}

int FakePosixSystem::fcntl(int fd, int command, int argument)
{
    if (called(command == F_GETFL ? "fcntl F_GETFL" : "fcntl F_SETFL"))
        return -1;
    OpenFile* open = file(fd);
    if (!open)
        return fail(EBADF);
    if (command == F_GETFL)
        return open->flags;
    open->flags = argument;
    return 0;
}

int FakePosixSystem::ioctl(int fd, unsigned long request, int* arg)
{
    if (called(ioctlEntry(request, arg)))
        return -1;
    OpenFile* open = file(fd);
    if (!open)
        return fail(EBADF);
    FakeDevice& port = devices_.at(open->path);
    if (!port.tty)
        return fail(ENOTTY);
    switch (request) {
    case TIOCEXCL: port.exclusive = true; return 0;
    case TIOCNXCL: port.exclusive = false; return 0;
    case TIOCSBRK: port.breakOn = true; return 0;
    case TIOCCBRK: port.breakOn = false; return 0;
    case TIOCMGET: *arg = port.modemBits; return 0;
    case TIOCMSET:
        port.modemBits = (port.modemBits & kInputBits) | (*arg & ~kInputBits);
        return 0;
    default: return fail(EINVAL);
    }
}

int FakePosixSystem::flock(int fd, int operation)
{
    if (called(flockEntry(operation)))
        return -1;
    OpenFile* open = file(fd);
    if (!open)
        return fail(EBADF);
    FakeDevice& port = devices_.at(open->path);
    if (operation & LOCK_UN) {
        if (port.lockedBy == fd)
            port.lockedBy = -1;
        return 0;
    }
    if (port.lockedElsewhere || (port.lockedBy != -1 && port.lockedBy != fd))
        return fail(EWOULDBLOCK);
    port.lockedBy = fd;
    return 0;
}

int FakePosixSystem::tcgetattr(int fd, termios* settings)
{
    if (called("tcgetattr"))
        return -1;
    OpenFile* open = file(fd);
    if (!open)
        return fail(EBADF);
    const FakeDevice& port = devices_.at(open->path);
    if (!port.tty)
        return fail(ENOTTY);
    *settings = port.settings;
    return 0;
}

int FakePosixSystem::tcsetattr(int fd, int, const termios* settings)
{
    if (called("tcsetattr"))
        return -1;
    OpenFile* open = file(fd);
    if (!open)
        return fail(EBADF);
    FakeDevice& port = devices_.at(open->path);
    if (!port.tty)
        return fail(ENOTTY);
    port.settings = *settings;
    return 0;
}

} // namespace corvant::test
