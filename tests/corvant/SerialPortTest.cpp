// The serial back end through PinInterface (the exports' state) on a stand-in
// kernel: which system calls each pin operation makes, and what is left behind. The
// back end's own logic is JdmBackendTest's, a second program on the port the contract's.

#include "FakePosixSystem.h"
#include "JdmRig.h"

#include "corvant/JdmBackend.h"
#include "corvant/PinInterface.h"
#include "corvant/PosixSerialLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>

namespace corvant::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kNoPort = "corvant " VELMORA_VERSION ", no port open";
// Linux's TIOCM_OUT2 (an output the driver may use), not in the libc headers.
constexpr int kOut2 = 0x4000;

BackendTable serialPortsOn(FakePosixSystem& os)
{
    return serialBackendEntries(openOn<PosixSerialLines>(os));
}

class SerialPort : public ::testing::Test {
protected:
    SerialPort() : port(os.addSerialPort("/dev/ttyS0")), original(port.settings)
    {
        // As another program might have left it: Vpp, data and clock all up.
        port.modemBits = TIOCM_DTR | TIOCM_RTS;
        port.breakOn = true;
    }

    void openPort()
    {
        ASSERT_TRUE(pins.comInit("COM1"));
        os.clearCalls();
    }

    FakePosixSystem os;
    FakeDevice& port;
    termios original;
    PinInterface pins{serialPortsOn(os)};
};

TEST_F(SerialPort, OpensExclusivelyBlockingWithoutFlowControlAndAllLinesLow)
{
    ASSERT_TRUE(pins.comInit("COM1"));

    const auto* file = os.fileOf("/dev/ttyS0");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->openFlags & O_ACCMODE, O_RDWR);
    EXPECT_TRUE(file->openFlags & O_NOCTTY);
    EXPECT_TRUE(file->openFlags & O_NONBLOCK);
    EXPECT_FALSE(file->flags & O_NONBLOCK);
    EXPECT_THAT(os.calls(), ::testing::Contains("TIOCEXCL"));
    EXPECT_THAT(os.calls(), ::testing::Contains("flock LOCK_EX|LOCK_NB"));
    EXPECT_FALSE(port.settings.c_cflag & CRTSCTS);
    EXPECT_TRUE(port.settings.c_cflag & CLOCAL);
    EXPECT_FALSE(port.settings.c_iflag & (IXON | IXOFF));
    EXPECT_FALSE(port.breakOn);
    EXPECT_EQ(port.modemBits & (TIOCM_DTR | TIOCM_RTS), 0);
    EXPECT_THAT(pins.info(), StartsWith("corvant " VELMORA_VERSION ", JDM serial bit-bang programmer on /dev/ttyS0 "
                                        "(Vpp=TxD break, PGD=DTR, PGC=RTS, data in=CTS). line change "));
}

TEST_F(SerialPort, EachWriteIsOneTiocmsetAndBreakMovesOnlyWithVpp)
{
    openPort();
    struct Step {
        std::uint8_t vpp, data, clock;
        std::vector<std::string> calls;
    };
    const std::vector<Step> steps = {
        {0, 1, 0, {"TIOCMSET DTR=1 RTS=0"}},
        {1, 0, 0, {"TIOCMSET DTR=0 RTS=0", "TIOCSBRK"}}, // data settles before Vpp rises
        {1, 1, 1, {"TIOCMSET DTR=1 RTS=1"}},
        {1, 0, 1, {"TIOCMSET DTR=0 RTS=1"}},
        {1, 0, 1, {"TIOCMSET DTR=0 RTS=1"}},
        {0, 1, 1, {"TIOCCBRK", "TIOCMSET DTR=1 RTS=1"}}, // Vpp falls before anything moves
        {0, 0, 0, {"TIOCMSET DTR=0 RTS=0"}},
        {2, 0x80, 255, {"TIOCMSET DTR=1 RTS=1", "TIOCSBRK"}}, // any non-zero level is high
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        os.clearCalls();
        EXPECT_TRUE(pins.write(steps[i].vpp, steps[i].data, steps[i].clock)) << "step " << i;
        EXPECT_EQ(os.calls(), steps[i].calls) << "step " << i;
        EXPECT_EQ(port.breakOn, steps[i].vpp != 0) << "step " << i;
    }
}

TEST_F(SerialPort, OtherOutputBitsSurviveWithoutReadingThemBack)
{
    port.modemBits = kOut2 | TIOCM_DTR;
    openPort();
    ASSERT_TRUE(pins.write(0, 0, 1));
    ASSERT_TRUE(pins.write(0, 1, 0));
    EXPECT_EQ(port.modemBits, kOut2 | TIOCM_DTR);
    EXPECT_THAT(os.calls(), ::testing::Not(::testing::Contains("TIOCMGET")));
}

TEST_F(SerialPort, ReadsDataInFromCts)
{
    openPort();
    std::uint8_t level = 7;
    port.modemBits |= TIOCM_CTS;
    EXPECT_TRUE(pins.read(&level));
    EXPECT_EQ(level, 1);
    port.modemBits &= ~TIOCM_CTS;
    port.modemBits |= TIOCM_DSR | TIOCM_CD; // other inputs do not leak in
    EXPECT_TRUE(pins.read(&level));
    EXPECT_EQ(level, 0);
    EXPECT_THAT(os.calls(), ElementsAre("TIOCMGET", "TIOCMGET"));

    port.modemBits |= TIOCM_CTS;
    os.failNext("TIOCMGET", EIO);
    level = 7;
    EXPECT_FALSE(pins.read(&level));
    EXPECT_EQ(level, 0);
}

TEST_F(SerialPort, ClosesVppFirstThenLinesThenRestoresAndReleases)
{
    openPort();
    ASSERT_TRUE(pins.write(1, 1, 1));
    os.clearCalls();

    EXPECT_TRUE(pins.comClose());
    EXPECT_THAT(os.calls(), ElementsAre("TIOCCBRK", "TIOCMSET DTR=0 RTS=0", "tcsetattr",
                                        "TIOCNXCL", "close"));
    EXPECT_TRUE(sameSettings(port.settings, original));
    EXPECT_EQ(os.openCount(), 0u);
    EXPECT_FALSE(port.exclusive);
    EXPECT_EQ(port.lockedBy, -1);
    EXPECT_STREQ(pins.info(), kNoPort);

    os.clearCalls();
    std::uint8_t level = 0;
    EXPECT_FALSE(pins.write(0, 0, 0));
    EXPECT_FALSE(pins.read(&level));
    EXPECT_TRUE(pins.comClose()); // nothing open stays nothing open
    EXPECT_TRUE(os.calls().empty());
}

TEST_F(SerialPort, ReopeningClosesTheOldPortFirst)
{
    os.addSerialPort("/dev/ttyS1");
    openPort();
    ASSERT_TRUE(pins.write(1, 0, 0));
    os.clearCalls();
    EXPECT_TRUE(pins.comInit("COM2"));
    ASSERT_GE(os.calls().size(), 2u);
    EXPECT_EQ(os.calls()[0], "TIOCCBRK");
    const auto close = std::find(os.calls().begin(), os.calls().end(), "close");
    const auto open = std::find(os.calls().begin(), os.calls().end(), "open /dev/ttyS1");
    EXPECT_LT(close, open);
    EXPECT_EQ(os.openCount(), 1u);

    // The same port again works too: our own lock is gone before the new open.
    EXPECT_TRUE(pins.comInit("COM2"));
    // A failed open still leaves the old port closed, not half open.
    EXPECT_FALSE(pins.comInit("COM9"));
    EXPECT_EQ(os.openCount(), 0u);
    EXPECT_FALSE(pins.write(0, 0, 0));
}

TEST_F(SerialPort, PortLockedByAnotherProgramIsLeftAlone)
{
    port.lockedElsewhere = true;
    EXPECT_FALSE(pins.comInit("COM1"));
    EXPECT_THAT(pins.info(), HasSubstr("/dev/ttyS0 is in use by another program"));
    EXPECT_FALSE(port.exclusive);
    EXPECT_TRUE(port.breakOn); // the other program's lines are not touched
    EXPECT_EQ(os.openCount(), 0u);
}

struct Failure {
    const char* call;
    int error;
    const char* reason;
};

void PrintTo(const Failure& failure, std::ostream* out)
{
    *out << failure.call << " fails with errno " << failure.error;
}

std::string failureName(const ::testing::TestParamInfo<Failure>& info)
{
    return std::string(info.param.call) + "_errno" + std::to_string(info.param.error);
}

class SerialPortFailure : public SerialPort, public ::testing::WithParamInterface<Failure> {};

TEST_P(SerialPortFailure, LeavesNothingOpenAndSaysWhy)
{
    os.failNext(GetParam().call, GetParam().error);
    EXPECT_FALSE(pins.comInit("COM1"));

    EXPECT_EQ(os.openCount(), 0u);
    EXPECT_TRUE(sameSettings(port.settings, original));
    EXPECT_FALSE(port.exclusive);
    EXPECT_EQ(port.lockedBy, -1);
    EXPECT_THAT(pins.info(), StartsWith(kNoPort));
    EXPECT_THAT(pins.info(), HasSubstr(GetParam().reason));
    std::uint8_t level = 0;
    EXPECT_FALSE(pins.write(1, 1, 1));
    EXPECT_FALSE(pins.read(&level));
}

INSTANTIATE_TEST_SUITE_P(
    EverySetUpStep, SerialPortFailure,
    ::testing::Values(Failure{"open", ENOENT, "cannot open /dev/ttyS0"},
                      Failure{"open", EACCES, "dialout group"},
                      Failure{"tcgetattr", ENOTTY, "/dev/ttyS0 is not a serial port"},
                      Failure{"flock", EWOULDBLOCK, "in use by another program"},
                      Failure{"TIOCEXCL", EIO, "cannot set up /dev/ttyS0"},
                      Failure{"fcntl", EIO, "cannot set up /dev/ttyS0"},
                      Failure{"tcsetattr", EIO, "cannot set up /dev/ttyS0"},
                      Failure{"TIOCMGET", ENOTTY, "has no modem control lines"},
                      Failure{"TIOCCBRK", EINVAL, "has no modem control lines"},
                      Failure{"TIOCMSET", EIO, "has no modem control lines"}),
    failureName);

TEST(PinInterfaceCalls, SimPortsNeverReachTheSerialPort)
{
    int serialOpens = 0;
    BackendTable table{simBackendEntry()};
    for (BackendEntry& serial : serialBackendEntries([&](const std::string&, std::string&) -> std::unique_ptr<SerialLines> {
             ++serialOpens;
             return nullptr;
         }))
        table.push_back(std::move(serial));
    PinInterface pins{std::move(table)};
    for (const char* name : {"SIM", "sim", "SIM:PIC18F452"}) {
        EXPECT_TRUE(pins.comInit(name)) << name;
        EXPECT_THAT(pins.info(), ::testing::Not(HasSubstr("no port open"))) << name;
        EXPECT_TRUE(pins.write(1, 0, 0)) << name;
    }
    EXPECT_TRUE(pins.comClose());
    EXPECT_FALSE(pins.write(1, 0, 0));
    EXPECT_EQ(serialOpens, 0);
}

} // namespace
} // namespace corvant::test
