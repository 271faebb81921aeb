#pragma once
// A stand-in for the kernel's tty layer: serial ports with settings, modem
// lines, a break state, TIOCEXCL and flock. Every call is logged by name, and
// the next call of a given name can be made to fail.

#include "corvant/PosixSystem.h"
#include "tests/support/CallLog.h"

#include <map>
#include <string>
#include <vector>

namespace corvant::test {

struct FakeDevice {
    termios settings{};
    int modemBits = 0; // outputs as last set, inputs as the test wants them
    bool breakOn = false;
    bool exclusive = false;
    bool lockedElsewhere = false; // flock held by another program
    int lockedBy = -1;            // our descriptor holding the flock
};

class FakePosixSystem final : public PosixSystem {
public:
    // A port as a driver leaves it: hardware flow control and XON/XOFF on.
    FakeDevice& addSerialPort(const std::string& path);
    void failNext(const std::string& call, int error) { log_.failNext(call, error); }
    // A symbolic link (as sysfs has them) that readlink reports.
    void addLink(const std::string& path, const std::string& target) { links_[path] = target; }
    // A slow port: every modem-line set or get moves the clock on by its cost.
    void setLineCosts(double writeSeconds, double readSeconds)
    {
        writeCost_ = writeSeconds;
        readCost_ = readSeconds;
    }
    double seconds() const { return seconds_; }

    const std::vector<std::string>& calls() const { return log_.calls(); }
    void clearCalls() { log_.clear(); }
    std::size_t openCount() const { return files_.size(); }
    struct OpenFile {
        std::string path;
        int openFlags; // as given to open
        int flags;     // as fcntl F_SETFL left them
    };
    const OpenFile* fileOf(const std::string& path) const;

    int open(const char* path, int flags) override;
    int close(int fd) override;
    int fcntl(int fd, int command, int argument) override;
    int ioctl(int fd, unsigned long request, int* arg) override;
    int flock(int fd, int operation) override;
    int tcgetattr(int fd, termios* settings) override;
    int tcsetattr(int fd, int when, const termios* settings) override;
    ssize_t readlink(const char* path, char* buffer, std::size_t size) override;

private:
    // Logs the call; true (errno set) when it is to fail.
    bool failing(const std::string& entry);
    // The port behind fd; nullptr with EBADF.
    FakeDevice* portOf(int fd);

    std::map<std::string, FakeDevice> devices_;
    std::map<int, OpenFile> files_;
    velmora::test::CallLog<int> log_;
    std::map<std::string, std::string> links_;
    int nextFd_ = 10;
    double writeCost_ = 0;
    double readCost_ = 0;
    double seconds_ = 0;
};

bool sameSettings(const termios& a, const termios& b);

} // namespace corvant::test
