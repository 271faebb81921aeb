// The JDM back end's own logic on a stand-in of its serial lines, through PinInterface
// (the exports' state): the order the lines move in, what a failed line leaves behind
// and how the port is let go. Which system calls each line takes is SerialPortTest's
// (POSIX) and Win32SerialLinesTest's business.

#include "FakeSerialLines.h"

#include "corvant/JdmBackend.h"
#include "corvant/PinInterface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace corvant::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

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
    struct Step {
        std::uint8_t vpp, data, clock;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {0, 1, 0, {"lines 1 0"}},
        {1, 0, 0, {"lines 0 0", "break 1"}},
        {1, 1, 1, {"lines 1 1"}},
        {0, 1, 1, {"break 0", "lines 1 1"}},
        {2, 0x80, 255, {"lines 1 1", "break 1"}}, // any non-zero level is high
    };
    for (const Step& step : steps) {
        port.calls.clear();
        EXPECT_TRUE(pins.write(step.vpp, step.data, step.clock));
        EXPECT_EQ(port.calls, step.calls) << int(step.vpp) << int(step.data) << int(step.clock);
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
    EXPECT_THAT(port.calls, ElementsAre("lines 0 0", "break 1"));

    // Vpp that failed to fall holds data and clock where they are.
    port.failNext = "break";
    EXPECT_FALSE(pins.write(0, 1, 1));
    EXPECT_TRUE(port.breakOn);
    EXPECT_FALSE(port.dtr || port.rts);
    port.calls.clear();
    EXPECT_TRUE(pins.write(0, 1, 1));
    EXPECT_THAT(port.calls, ElementsAre("break 0", "lines 1 1"));
}

TEST_F(JdmBackendOnLines, ReadGivesCtsAsOneOrZero)
{
    openPort();
    std::uint8_t level = 7;
    for (bool high : {true, false}) {
        port.cts = high;
        EXPECT_TRUE(pins.read(&level));
        EXPECT_EQ(level, high ? 1 : 0);
    }
    port.cts = true;
    port.failNext = "cts";
    EXPECT_FALSE(pins.read(&level));
    EXPECT_EQ(level, 0);
}

TEST_F(JdmBackendOnLines, CloseTakesVppThenTheLinesAndLetsGoEvenWhenALineFails)
{
    openPort();
    ASSERT_TRUE(pins.write(1, 1, 1));
    port.calls.clear();
    EXPECT_TRUE(pins.comClose());
    EXPECT_THAT(port.calls, ElementsAre("break 0", "lines 0 0", "close"));
    EXPECT_TRUE(allLow());
    EXPECT_FALSE(port.held);

    openPort();
    ASSERT_TRUE(pins.write(1, 1, 1));
    port.calls.clear();
    port.failNext = "break";
    EXPECT_FALSE(pins.comClose());
    EXPECT_THAT(port.calls, ElementsAre("break 0", "lines 0 0", "close"));
    EXPECT_FALSE(port.held);
    EXPECT_TRUE(pins.comInit("COM1")) << pins.info();
}

TEST_F(JdmBackendOnLines, APortWhoseLinesCannotBeSetLowIsRefusedAndLetGo)
{
    for (const char* failing : {"break", "lines"}) {
        port.failNext = failing;
        EXPECT_FALSE(pins.comInit("COM1")) << failing;
        EXPECT_THAT(pins.info(), HasSubstr(port.device + " has no modem control lines")) << failing;
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
