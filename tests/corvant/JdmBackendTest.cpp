// The JDM back end's own logic on a stand-in of its serial lines, through PinInterface
// (the exports' state): the order the lines move in, what a failed line leaves behind
// and how the port is let go. Which system calls each line takes is SerialPortTest's
// (POSIX) and Win32SerialLinesTest's business.

#include "FakeSerialLines.h"

#include "corvant/JdmBackend.h"
#include "corvant/PinInterface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

namespace corvant::test {
namespace {

class JdmBackendOnLines : public ::testing::Test {
protected:
    void openPort()
    {
        ASSERT_TRUE(pins.comInit("COM1")) << pins.info();
        port.calls.clear();
    }
    bool allLow() const { return !port.breakOn && !port.dtr && !port.rts; }

    FakeSerialPort port;
    PinInterface pins{serialBackendEntries(fakeSerialOpener(port))};
};

TEST_F(JdmBackendOnLines, VppLeavesFirstAndComesLast)
{
    openPort();
    EXPECT_TRUE(allLow());
    // Vpp, data and clock as written, and the calls they take on the lines.
    const std::vector<std::pair<std::array<std::uint8_t, 3>, std::vector<std::string>>> steps{
        {{0, 1, 0}, {"lines 1 0"}},
        {{1, 0, 0}, {"lines 0 0", "break 1"}},
        {{1, 1, 1}, {"lines 1 1"}},
        {{0, 1, 1}, {"break 0", "lines 1 1"}},
        {{2, 0x80, 255}, {"lines 1 1", "break 1"}}, // any non-zero level is high
    };
    for (const auto& [levels, calls] : steps) {
        port.calls.clear();
        EXPECT_TRUE(pins.write(levels[0], levels[1], levels[2]));
        EXPECT_EQ(port.calls, calls) << int(levels[0]) << int(levels[1]) << int(levels[2]);
    }
}

TEST_F(JdmBackendOnLines, AFailedBreakIsTriedAgainOnTheNextWrite)
{
    openPort();
    port.failNext = "break";
    EXPECT_FALSE(pins.write(1, 0, 0));
    EXPECT_FALSE(port.breakOn);
    port.calls.clear();
    EXPECT_TRUE(pins.write(1, 0, 0));
    EXPECT_THAT(port.calls, ::testing::ElementsAre("lines 0 0", "break 1"));

    // Vpp that failed to fall holds data and clock where they are.
    port.failNext = "break";
    EXPECT_FALSE(pins.write(0, 1, 1));
    EXPECT_TRUE(port.breakOn);
    EXPECT_FALSE(port.dtr || port.rts);
    port.calls.clear();
    EXPECT_TRUE(pins.write(0, 1, 1));
    EXPECT_THAT(port.calls, ::testing::ElementsAre("break 0", "lines 1 1"));
}

// CTS read as 1 or 0 is the contract's (its JdmOnSerialLines row); a failed read gives 0.
TEST_F(JdmBackendOnLines, AFailedCtsReadFailsWithZero)
{
    openPort();
    port.cts = true;
    port.failNext = "cts";
    std::uint8_t level = 7;
    EXPECT_FALSE(pins.read(&level));
    EXPECT_EQ(level, 0);
}

TEST_F(JdmBackendOnLines, CloseTakesVppThenTheLinesAndLetsGoEvenWhenALineFails)
{
    openPort();
    ASSERT_TRUE(pins.write(1, 1, 1));
    port.calls.clear();
    EXPECT_TRUE(pins.comClose());
    EXPECT_THAT(port.calls, ::testing::ElementsAre("break 0", "lines 0 0", "close"));
    EXPECT_TRUE(allLow());
    EXPECT_FALSE(port.held);

    openPort();
    ASSERT_TRUE(pins.write(1, 1, 1));
    port.calls.clear();
    port.failNext = "break";
    EXPECT_FALSE(pins.comClose());
    EXPECT_THAT(port.calls, ::testing::ElementsAre("break 0", "lines 0 0", "close"));
    EXPECT_FALSE(port.held);
    EXPECT_TRUE(pins.comInit("COM1")) << pins.info();
}

TEST_F(JdmBackendOnLines, APortWhoseLinesCannotBeSetLowIsRefusedAndLetGo)
{
    for (const char* failing : {"break", "lines"}) {
        port.failNext = failing;
        EXPECT_FALSE(pins.comInit("COM1")) << failing;
        EXPECT_THAT(pins.info(), ::testing::HasSubstr(port.device + " has no modem control lines")) << failing;
        EXPECT_FALSE(port.held) << failing;
        EXPECT_FALSE(pins.write(0, 0, 0)) << failing;
    }
}

TEST_F(JdmBackendOnLines, DestroyingWithAnOpenPortSwitchesVppOff)
{
    {
        PinInterface program{serialBackendEntries(fakeSerialOpener(port))};
        ASSERT_TRUE(program.comInit("COM1")) << program.info();
        ASSERT_TRUE(program.write(1, 1, 1));
        ASSERT_TRUE(port.breakOn);
    }
    EXPECT_TRUE(allLow());
    EXPECT_FALSE(port.held);
}

} // namespace
} // namespace corvant::test
