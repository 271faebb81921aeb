#pragma once
// The POSIX calls the serial port needs, behind an interface so that tests can
// stand in for the kernel and record every modem-line request. Each call keeps
// the POSIX contract: -1 (or a negative result) with errno set on failure.

#include <cstddef>
#include <sys/types.h>
#include <termios.h>

namespace corvant {

class PosixSystem {
public:
    virtual ~PosixSystem() = default;
    virtual int open(const char* path, int flags) = 0;
    virtual int close(int fd) = 0;
    virtual int fcntl(int fd, int command, int argument) = 0;
    // arg is the int the request reads or fills (TIOCMGET, TIOCMSET); ignored by
    // requests without one (TIOCEXCL, TIOCNXCL, TIOCSBRK, TIOCCBRK).
    virtual int ioctl(int fd, unsigned long request, int* arg) = 0;
    virtual int flock(int fd, int operation) = 0;
    virtual int tcgetattr(int fd, termios* settings) = 0;
    virtual int tcsetattr(int fd, int when, const termios* settings) = 0;
    // Used on sysfs to tell a USB serial adapter from a motherboard port.
    virtual ssize_t readlink(const char* path, char* buffer, std::size_t size) = 0;
};

// The kernel itself; lives until the process ends.
PosixSystem& realPosixSystem();

} // namespace corvant
