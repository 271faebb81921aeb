#include "FakePosixSystem.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>

namespace corvant::test {
namespace {

constexpr int kInputBits = TIOCM_CTS | TIOCM_CAR | TIOCM_RNG | TIOCM_DSR;

std::string ioctlEntry(unsigned long request, const int* arg)
{
    switch (request) {
    case TIOCEXCL: return "TIOCEXCL";
    case TIOCNXCL: return "TIOCNXCL";
    case TIOCSBRK: return "TIOCSBRK";
    case TIOCCBRK: return "TIOCCBRK";
    case TIOCMGET: return "TIOCMGET";
    case TIOCMSET:
        return std::string("TIOCMSET DTR=") + ((*arg & TIOCM_DTR) ? "1" : "0") +
               " RTS=" + ((*arg & TIOCM_RTS) ? "1" : "0");
    default: return "ioctl " + std::to_string(request);
    }
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

const FakePosixSystem::OpenFile* FakePosixSystem::fileOf(const std::string& path) const
{
    for (const auto& [fd, file] : files_)
        if (file.path == path)
            return &file;
    return nullptr;
}

bool FakePosixSystem::failing(const std::string& entry)
{
    const auto error = log_.record(entry);
    if (error)
        errno = *error;
    return error.has_value();
}

FakeDevice* FakePosixSystem::portOf(int fd)
{
    const auto file = files_.find(fd);
    if (file == files_.end()) {
        errno = EBADF;
        return nullptr;
    }
    return &devices_.at(file->second.path);
}

int FakePosixSystem::open(const char* path, int flags)
{
    if (failing("open " + std::string(path)))
        return -1;
    const auto port = devices_.find(path);
    if (port == devices_.end())
        return fail(ENOENT);
    if (port->second.exclusive)
        return fail(EBUSY);
    files_[nextFd_] = OpenFile{path, flags, flags & ~O_CLOEXEC};
    return nextFd_++;
}

int FakePosixSystem::close(int fd)
{
    const bool failed = failing("close");
    FakeDevice* port = portOf(fd);
    if (!port)
        return -1;
    // The descriptor is gone even when close reports an error.
    if (port->lockedBy == fd)
        port->lockedBy = -1;
    files_.erase(fd);
    return failed ? -1 : 0;
}

int FakePosixSystem::fcntl(int fd, int command, int argument)
{
    if (failing(command == F_GETFL ? "fcntl F_GETFL" : "fcntl F_SETFL") || !portOf(fd))
        return -1;
    OpenFile& file = files_.at(fd);
    if (command == F_GETFL)
        return file.flags;
    file.flags = argument;
    return 0;
}

int FakePosixSystem::ioctl(int fd, unsigned long request, int* arg)
{
    FakeDevice* port = failing(ioctlEntry(request, arg)) ? nullptr : portOf(fd);
    if (!port)
        return -1;
    switch (request) {
    case TIOCEXCL: port->exclusive = true; return 0;
    case TIOCNXCL: port->exclusive = false; return 0;
    case TIOCSBRK: seconds_ += writeCost_; port->breakOn = true; return 0;
    case TIOCCBRK: seconds_ += writeCost_; port->breakOn = false; return 0;
    case TIOCMGET: seconds_ += readCost_; *arg = port->modemBits; return 0;
    case TIOCMSET:
        seconds_ += writeCost_;
        port->modemBits = (port->modemBits & kInputBits) | (*arg & ~kInputBits);
        return 0;
    default: return fail(EINVAL);
    }
}

int FakePosixSystem::flock(int fd, int operation)
{
    const bool exclusiveNoWait = operation == (LOCK_EX | LOCK_NB);
    FakeDevice* port = failing(exclusiveNoWait ? "flock LOCK_EX|LOCK_NB" : "flock") ? nullptr : portOf(fd);
    if (!port)
        return -1;
    if (!exclusiveNoWait)
        return fail(EINVAL); // the only lock a port is ever taken with
    if (port->lockedElsewhere || (port->lockedBy != -1 && port->lockedBy != fd))
        return fail(EWOULDBLOCK);
    port->lockedBy = fd;
    return 0;
}

int FakePosixSystem::tcgetattr(int fd, termios* settings)
{
    FakeDevice* port = failing("tcgetattr") ? nullptr : portOf(fd);
    if (!port)
        return -1;
    *settings = port->settings;
    return 0;
}

int FakePosixSystem::tcsetattr(int fd, int, const termios* settings)
{
    FakeDevice* port = failing("tcsetattr") ? nullptr : portOf(fd);
    if (!port)
        return -1;
    port->settings = *settings;
    return 0;
}

ssize_t FakePosixSystem::readlink(const char* path, char* buffer, std::size_t size)
{
    const auto link = links_.find(path);
    if (link == links_.end())
        return fail(ENOENT);
    const std::size_t length = std::min(size, link->second.size());
    link->second.copy(buffer, length);
    return static_cast<ssize_t>(length);
}

} // namespace corvant::test
