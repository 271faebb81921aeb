#pragma once
// A pseudo-terminal pair for tests on the real kernel: the slave stands in for a serial
// port, the master stays with the test. POSIX only.

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <string>

namespace corvant::test {

class PseudoTerminal {
public:
    PseudoTerminal() : master_(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return;
        char name[128] = {};
        if (ptsname_r(master_, name, sizeof name) == 0)
            slave_ = name;
    }
    ~PseudoTerminal()
    {
        if (master_ >= 0)
            ::close(master_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Empty when the system gave no pair.
    const std::string& slave() const { return slave_; }
    // The slave's settings, as its master reports them.
    termios settings() const
    {
        termios now{};
        tcgetattr(master_, &now);
        return now;
    }

private:
    int master_;
    std::string slave_;
};

} // namespace corvant::test
