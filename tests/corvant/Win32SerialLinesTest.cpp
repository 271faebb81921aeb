// The Windows serial back end through PinInterface (the exports' state) on a recorded
// comm API: which calls each pin operation makes, and what is left behind.

#include "RecordedWin32Comm.h"

#include "corvant/JdmBackend.h"
#include "corvant/PinInterface.h"
#include "corvant/Win32SerialLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace corvant::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const wchar_t* kCom1 = L"\\\\.\\COM1";

SerialLinesOpener openerOn(RecordedWin32Comm& comm)
{
    return [&comm](const std::string& device, std::string& failure) {
        return Win32SerialLines::open(comm, device, failure);
    };
}

class Win32SerialPort : public ::testing::Test {
protected:
    Win32SerialPort() : port(comm.addPort(kCom1))
    {
        // As another program might have left it: Vpp up as well.
        port.breakOn = true;
    }

    void openPort()
    {
        ASSERT_TRUE(pins.comInit("COM1")) << pins.info();
        comm.clearCalls();
    }

    RecordedWin32Comm comm;
    RecordedPort& port;
    PinInterface pins{serialBackendEntries(openerOn(comm))};
};

TEST_F(Win32SerialPort, OpensExclusivelyWithoutHandshakingAndAllLinesLow)
{
    ASSERT_TRUE(pins.comInit("COM1")) << pins.info();

    EXPECT_EQ(port.openAccess, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
    EXPECT_EQ(port.openShareMode, 0u);
    EXPECT_FALSE(port.settings.fOutxCtsFlow);
    EXPECT_FALSE(port.settings.fOutxDsrFlow);
    EXPECT_FALSE(port.settings.fDsrSensitivity);
    EXPECT_FALSE(port.settings.fOutX);
    EXPECT_FALSE(port.settings.fInX);
    EXPECT_EQ(port.settings.fDtrControl, static_cast<DWORD>(DTR_CONTROL_DISABLE));
    EXPECT_EQ(port.settings.fRtsControl, static_cast<DWORD>(RTS_CONTROL_DISABLE));
    EXPECT_EQ(port.settings.BaudRate, static_cast<DWORD>(CBR_9600)) << "only handshaking changes";
    EXPECT_FALSE(port.breakOn);
    EXPECT_FALSE(port.dtr);
    EXPECT_FALSE(port.rts);
    EXPECT_THAT(pins.info(), ::testing::StartsWith("corvant " VELMORA_VERSION ", JDM serial bit-bang programmer on \\\\.\\COM1 "
                                                   "(Vpp=TxD break, PGD=DTR, PGC=RTS, data in=CTS). line change "));
}

TEST_F(Win32SerialPort, TwoDigitPortsAndDeviceNamesOpenThroughTheDeviceNamespace)
{
    RecordedPort& com10 = comm.addPort(L"\\\\.\\COM10");
    for (const char* name : {"COM10", "\\\\.\\COM10"}) {
        ASSERT_TRUE(pins.comInit(name)) << name << ": " << pins.info();
        EXPECT_TRUE(com10.open) << name;
        ASSERT_TRUE(pins.comClose());
        EXPECT_FALSE(com10.open) << name;
    }
}

TEST_F(Win32SerialPort, WritesMoveOnlyTheLinesThatChangeDataBeforeClock)
{
    openPort();
    struct Step {
        std::uint8_t vpp, data, clock;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {1, 0, 0, {"SETBREAK"}},
        {1, 1, 1, {"SETDTR", "SETRTS"}},
        {1, 1, 0, {"CLRRTS"}},
        {1, 0, 1, {"CLRDTR", "SETRTS"}},
        {1, 0, 1, {}},
        // Vpp leaves before data and clock change.
        {0, 1, 0, {"CLRBREAK", "SETDTR", "CLRRTS"}},
    };
    for (const Step& step : steps) {
        comm.clearCalls();
        EXPECT_TRUE(pins.write(step.vpp, step.data, step.clock));
        EXPECT_EQ(comm.calls(), step.calls) << int(step.vpp) << int(step.data) << int(step.clock);
        EXPECT_EQ(port.breakOn, step.vpp != 0);
        EXPECT_EQ(port.dtr, step.data != 0);
        EXPECT_EQ(port.rts, step.clock != 0);
    }
}

TEST_F(Win32SerialPort, AFailedLineIsSetAgainOnTheNextWrite)
{
    openPort();
    comm.failNext("SETDTR", ERROR_GEN_FAILURE);
    EXPECT_FALSE(pins.write(0, 1, 0));
    comm.clearCalls();
    EXPECT_TRUE(pins.write(0, 1, 0));
    EXPECT_THAT(comm.calls(), ElementsAre("SETDTR"));
    EXPECT_TRUE(port.dtr);
}

TEST_F(Win32SerialPort, ReadsCtsAloneAndFailsWhenTheStatusCannotBeRead)
{
    openPort();
    std::uint8_t level = 7;
    for (const auto& [status, expected] : {std::pair{MS_CTS_ON, 1}, {MS_DSR_ON | MS_RING_ON | MS_RLSD_ON, 0},
                                           {MS_CTS_ON | MS_DSR_ON, 1}, {0ul, 0}}) {
        port.modemStatus = status;
        EXPECT_TRUE(pins.read(&level));
        EXPECT_EQ(level, expected) << status;
    }
    comm.failNext("GetCommModemStatus", ERROR_GEN_FAILURE);
    port.modemStatus = MS_CTS_ON;
    EXPECT_FALSE(pins.read(&level));
    EXPECT_EQ(level, 0);
}

TEST_F(Win32SerialPort, CloseDropsVppAndTheRaisedLinesAndKeepsHandshakingOff)
{
    openPort();
    ASSERT_TRUE(pins.write(1, 1, 1));
    comm.clearCalls();
    EXPECT_TRUE(pins.comClose());
    EXPECT_THAT(comm.calls(), ElementsAre("CLRBREAK", "CLRDTR", "CLRRTS", "CloseHandle"));
    EXPECT_FALSE(port.open);
    EXPECT_FALSE(port.breakOn || port.dtr || port.rts);
    EXPECT_EQ(port.settings.fDtrControl, static_cast<DWORD>(DTR_CONTROL_DISABLE));
    EXPECT_THAT(pins.info(), HasSubstr("no port open"));
}

TEST_F(Win32SerialPort, OpenFailuresGiveTheReasonAndLeaveNothingOpen)
{
    struct Case {
        const char* call;
        DWORD error;
        const char* reason;
    };
    const Case cases[] = {
        {"CreateFileW", ERROR_ACCESS_DENIED, "\\\\.\\COM1 is in use by another program"},
        {"CreateFileW", ERROR_FILE_NOT_FOUND, "cannot open \\\\.\\COM1: no such port"},
        {"CreateFileW", ERROR_GEN_FAILURE, "cannot open \\\\.\\COM1: Windows error 31"},
        {"GetCommState", ERROR_INVALID_FUNCTION, "\\\\.\\COM1 is not a serial port"},
        {"SetCommState", ERROR_GEN_FAILURE, "cannot set up \\\\.\\COM1: Windows error 31"},
        {"CLRBREAK", ERROR_GEN_FAILURE, "\\\\.\\COM1 has no modem control lines"},
    };
    for (const Case& failure : cases) {
        comm.failNext(failure.call, failure.error);
        EXPECT_FALSE(pins.comInit("COM1")) << failure.call;
        EXPECT_THAT(pins.info(), HasSubstr(failure.reason)) << failure.call;
        EXPECT_FALSE(port.open) << failure.call;
        EXPECT_FALSE(pins.write(0, 0, 0)) << failure.call;
    }
}

TEST_F(Win32SerialPort, APortHeldByAnotherOpenIsInUseAndAnAbsentOneIsNotThere)
{
    ASSERT_TRUE(pins.comInit("COM1"));
    PinInterface other{serialBackendEntries(openerOn(comm))};
    EXPECT_FALSE(other.comInit("COM1"));
    EXPECT_THAT(other.info(), HasSubstr("\\\\.\\COM1 is in use by another program"));
    EXPECT_TRUE(port.open) << "the first holder keeps the port";
    EXPECT_FALSE(other.comInit("COM7"));
    EXPECT_THAT(other.info(), HasSubstr("cannot open \\\\.\\COM7: no such port"));
    EXPECT_THAT(comm.calls(), ::testing::Contains(HasSubstr("CreateFileW \\\\.\\COM7")));
}

} // namespace
} // namespace corvant::test
