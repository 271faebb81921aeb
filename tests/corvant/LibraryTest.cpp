// The shipped libcorvant.so through its C exports, on the real kernel: no
// serial hardware is needed, only paths that cannot be a programmer and a
// pseudo-terminal. What every call does without a port is the contract's.

#include "PseudoTerminal.h"

#include "corvant/corvant.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

namespace {

using corvant::test::PseudoTerminal;

std::size_t openDescriptors()
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

bool noPortOpen()
{
    return std::string(GetDllInfo()).starts_with("corvant " VELMORA_VERSION ", no port open");
}

bool sameSettings(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag;
}

// True when nobody else holds the port: we can open and lock it ourselves.
bool canLock(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return locked;
}

class Library : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(ComClose(), 1); }
};

TEST_F(Library, PortsThatCannotBeOpenedLeaveNothingBehind)
{
    const std::size_t before = openDescriptors();
    for (const char* port : {"", "COM0", "nonsense", "/dev/velmora-no-such-port", "/dev/null"}) {
        EXPECT_EQ(ComInit(port), 0) << port;
        EXPECT_TRUE(noPortOpen()) << port << ": " << GetDllInfo();
        EXPECT_EQ(ProgrammerWrite(1, 1, 1), 0) << port;
    }
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_NE(std::string(GetDllInfo()).find("/dev/null is not a serial port"), std::string::npos)
        << GetDllInfo();
}

// Whether a pty carries modem lines is the kernel's business; what must hold
// either way: no crash, a clean result, and the port given back as it was.
TEST_F(Library, PseudoTerminalEitherWorksOrFailsCleanly)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave().empty());
    const termios before = pty.settings();
    const std::size_t descriptors = openDescriptors();

    if (ComInit(pty.slave().c_str()) == 1) {
        EXPECT_NE(std::string(GetDllInfo()).find(pty.slave()), std::string::npos);
        EXPECT_FALSE(canLock(pty.slave())); // held while open
        std::uint8_t level = 0;
        ProgrammerWrite(1, 1, 1);
        ProgrammerRead(&level);
        EXPECT_LE(level, 1);
        ComClose();
    } else {
        EXPECT_TRUE(noPortOpen()) << GetDllInfo();
        EXPECT_EQ(ProgrammerWrite(0, 0, 0), 0);
    }
    EXPECT_TRUE(canLock(pty.slave()));
    EXPECT_TRUE(sameSettings(pty.settings(), before));
    EXPECT_EQ(openDescriptors(), descriptors);
}

TEST_F(Library, PortLockedByAnotherHolderIsRefused)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave().empty());
    const termios before = pty.settings();
    const int holder = open(pty.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);

    EXPECT_EQ(ComInit(pty.slave().c_str()), 0);
    EXPECT_NE(std::string(GetDllInfo()).find("in use by another program"), std::string::npos)
        << GetDllInfo();
    EXPECT_TRUE(sameSettings(pty.settings(), before));
    close(holder);
}

} // namespace
