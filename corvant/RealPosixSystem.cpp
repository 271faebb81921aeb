#include "corvant/PosixSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace corvant {
namespace {

class RealPosixSystem final : public PosixSystem {
public:
    int open(const char* path, int flags) override { return ::open(path, flags); }
    int close(int fd) override { return ::close(fd); }
    int fcntl(int fd, int command, int argument) override { return ::fcntl(fd, command, argument); }
    int ioctl(int fd, unsigned long request, int* arg) override { return ::ioctl(fd, request, arg); }
    int flock(int fd, int operation) override { return ::flock(fd, operation); }
    int tcgetattr(int fd, termios* settings) override { return ::tcgetattr(fd, settings); }
    int tcsetattr(int fd, int when, const termios* settings) override
    {
        return ::tcsetattr(fd, when, settings);
    }
    ssize_t readlink(const char* path, char* buffer, std::size_t size) override
    {
        return ::readlink(path, buffer, size);
    }
};

} // namespace

PosixSystem& realPosixSystem()
{
    // Never destroyed: the library's own static state may still close a port
    // through it while the process exits.
    static auto* const system = new RealPosixSystem();
    return *system;
}

} // namespace corvant
