#include "corvant/PosixSerialLines.h"

#include "corvant/CorvantTexts.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <system_error>

namespace corvant {
namespace {

// What TIOCMGET reports but TIOCMSET cannot set.
constexpr int kInputModemBits = TIOCM_CTS | TIOCM_CAR | TIOCM_RNG | TIOCM_DSR;

std::string errorText(int error)
{
    return std::system_category().message(error);
}

std::string setUpFailure(const std::string& device, int error)
{
    return std::string(texts::kCannotSetUp) + device + ": " + errorText(error);
}

std::string lastComponent(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool readLink(PosixSystem& system, const std::string& path, std::string& target)
{
    char buffer[4096];
    const ssize_t length = system.readlink(path.c_str(), buffer, sizeof buffer);
    if (length <= 0)
        return false;
    target.assign(buffer, static_cast<std::size_t>(length));
    return true;
}

// Empty for a port that is not on USB. A /dev/serial/by-id name is a link to the tty.
std::string usbSerialDriver(PosixSystem& system, const std::string& device)
{
    std::string name = lastComponent(device);
    std::string target;
    if (readLink(system, device, target))
        name = lastComponent(target);
    const std::string sysfs = "/sys/class/tty/" + name + "/device/";
    std::string subsystem;
    if (!readLink(system, sysfs + "subsystem", subsystem) || !lastComponent(subsystem).starts_with("usb"))
        return {};
    std::string driver;
    if (!readLink(system, sysfs + "driver", driver))
        return std::string(texts::kUnknownDriver);
    return lastComponent(driver);
}

} // namespace

std::unique_ptr<SerialLines> openSerialLines(const std::string& device, std::string& failure)
{
    return PosixSerialLines::open(realPosixSystem(), device, failure);
}

std::string comPortDevice(unsigned number)
{
    return "/dev/ttyS" + std::to_string(number - 1);
}

std::unique_ptr<SerialLines> PosixSerialLines::open(PosixSystem& system, const std::string& device,
                                                    std::string& failure)
{
    // O_NONBLOCK only so that open does not wait for a carrier that a
    // programmer never raises.
    const int fd = system.open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        failure = std::string(texts::kCannotOpen) + device + ": " + errorText(error);
        if (error == EACCES || error == EPERM)
            failure += texts::kPermissionHint;
        return nullptr;
    }
    std::unique_ptr<PosixSerialLines> lines(new PosixSerialLines(system, fd, device));
    if (!lines->setUp(failure))
        return nullptr; // the destructor undoes what setUp did and closes
    lines->usbDriver_ = usbSerialDriver(system, device);
    return lines;
}

PosixSerialLines::PosixSerialLines(PosixSystem& system, int fd, std::string device)
    : system_(system), fd_(fd), device_(std::move(device))
{
}

PosixSerialLines::~PosixSerialLines()
{
    close();
}

bool PosixSerialLines::setUp(std::string& failure)
{
    if (system_.tcgetattr(fd_, &saved_) != 0) {
        failure = device_ + std::string(texts::kNotSerialPort);
        return false;
    }
    // The lock first: a port another program holds is left exactly as it is.
    if (system_.flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        failure = error == EWOULDBLOCK ? device_ + std::string(texts::kInUse)
                                       : setUpFailure(device_, error);
        return false;
    }
    if (system_.ioctl(fd_, TIOCEXCL, nullptr) != 0) {
        failure = setUpFailure(device_, errno);
        return false;
    }
    exclusive_ = true;
    const int flags = system_.fcntl(fd_, F_GETFL, 0);
    if (flags < 0 || system_.fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        failure = setUpFailure(device_, errno);
        return false;
    }
    // Hardware flow control would let the driver move RTS (our clock) on its
    // own, and an XOFF sent on TxD would cut into the Vpp line.
    termios lines = saved_;
    lines.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    lines.c_cflag |= CLOCAL;
    lines.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settingsChanged_ = true;
    if (system_.tcsetattr(fd_, TCSANOW, &lines) != 0) {
        failure = setUpFailure(device_, errno);
        return false;
    }
    int bits = 0;
    if (system_.ioctl(fd_, TIOCMGET, &bits) != 0) {
        failure = device_ + std::string(texts::kNoModemLines);
        return false;
    }
    outputBits_ = bits & ~kInputModemBits;
    return true;
}

bool PosixSerialLines::setBreak(bool on)
{
    if (!isOpen())
        return false;
    return system_.ioctl(fd_, on ? TIOCSBRK : TIOCCBRK, nullptr) == 0;
}

bool PosixSerialLines::setDtrRts(bool dtr, bool rts)
{
    if (!isOpen())
        return false;
    int bits = outputBits_ & ~(TIOCM_DTR | TIOCM_RTS);
    if (dtr)
        bits |= TIOCM_DTR;
    if (rts)
        bits |= TIOCM_RTS;
    if (system_.ioctl(fd_, TIOCMSET, &bits) != 0)
        return false;
    outputBits_ = bits;
    return true;
}

bool PosixSerialLines::readCts(bool& high)
{
    high = false;
    if (!isOpen())
        return false;
    int bits = 0;
    if (system_.ioctl(fd_, TIOCMGET, &bits) != 0)
        return false;
    high = (bits & TIOCM_CTS) != 0;
    return true;
}

bool PosixSerialLines::close()
{
    if (!isOpen())
        return true;
    bool released = true;
    if (settingsChanged_)
        released = system_.tcsetattr(fd_, TCSANOW, &saved_) == 0 && released;
    if (exclusive_)
        released = system_.ioctl(fd_, TIOCNXCL, nullptr) == 0 && released;
    // Closing the descriptor also drops the flock.
    released = system_.close(fd_) == 0 && released;
    fd_ = -1;
    return released;
}

} // namespace corvant
