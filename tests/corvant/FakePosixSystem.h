#pragma once
// A stand-in for the kernel's tty layer: devices with settings, modem lines, a
// break state, TIOCEXCL and flock; every call is logged by name and any call
// can be made to fail once.

#include "corvant/PosixSystem.h"

#include <map>
#include <string>
#include <vector>

namespace corvant::test {

struct FakeDevice {
    bool accessible = true;
    bool tty = true;
    termios settings{};
    int modemBits = 0;     // outputs as last set, inputs as the test wants them
    bool breakOn = false;
    bool exclusive = false;
    bool lockedElsewhere = false; // flock held by another program
    int lockedBy = -1;            // our descriptor holding the flock
};

class FakePosixSystem final : public PosixSystem {
public:
    // A serial port as a driver leaves it: hardware flow control and XON/XOFF on.
    FakeDevice& addSerialPort(const std::string& path);
    FakeDevice& device(const std::string& path) { return devices_.at(path); }

    // The next call logged under this name fails with error.
    void failNext(const std::string& call, int error);

    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    std::size_t openCount() const { return files_.size(); }
    int openFlagsOf(const std::string& path) const;
    int currentFlagsOf(const std::string& path) const;

    int open(const char* path, int flags) override;
    int close(int fd) override;
    int fcntl(int fd, int command, int argument) override;
    int ioctl(int fd, unsigned long request, int* arg) override;
    int flock(int fd, int operation) override;
    int tcgetattr(int fd, termios* settings) override;
    int tcsetattr(int fd, int when, const termios* settings) override;

private:
    struct OpenFile {
        std::string path;
        int openFlags;
        int flags;
    };
    // Logs the call; true when it is to fail (errno set).
    bool called(const std::string& entry);
    OpenFile* file(int fd);

    std::map<std::string, FakeDevice> devices_;
    std::map<int, OpenFile> files_;
    std::map<std::string, int> failures_;
    std::vector<std::string> calls_;
    int nextFd_ = 10;
};

bool sameSettings(const termios& a, const termios& b);

} // namespace corvant::test
