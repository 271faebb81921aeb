// The speed check of an opened port: the measurement on a recorded kernel layer
// made slow on purpose, the costs it offers and the words it gives.

#include "FakePosixSystem.h"

#include "corvant/JdmBackend.h"
#include "corvant/PinInterface.h"
#include "corvant/PortSpeed.h"
#include "corvant/PosixSerialLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace corvant::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class SlowSerialPort : public ::testing::Test {
protected:
    SlowSerialPort() { os.addSerialPort("/dev/ttyUSB0"); }

    BackendTable table()
    {
        return serialBackendEntries([this](const std::string& device, std::string& failure) {
            return PosixSerialLines::open(os, device, failure);
        });
    }

    FakePosixSystem os;
    PinInterface pins{table(), [this] { return os.seconds(); }};
};

TEST_F(SlowSerialPort, MeasuresBothCostsWithinItsBudgetWithoutRaisingVppOrClocking)
{
    os.setLineCosts(1.1e-3, 1.0e-3);
    ASSERT_TRUE(pins.comInit("/dev/ttyUSB0"));
    const std::string info = pins.info();
    EXPECT_THAT(info, HasSubstr("line change 1.1 ms, line read 1.0 ms: a full read of a 32 KB chip takes about "
                                + durationText(workSeconds(kWordsFullRead, {1.1e-3, 1.0e-3})) + " on this port"));
    EXPECT_THAT(info, HasSubstr("(the protocol alone needs 9.7 s)"));
    std::uint32_t write = 0;
    std::uint32_t read = 0;
    ASSERT_TRUE(pins.lineCosts(&write, &read));
    EXPECT_EQ(write, 1100000u);
    EXPECT_EQ(read, 1000000u);
    EXPECT_LT(os.seconds(), 0.2);
    EXPECT_THAT(os.calls(), Not(::testing::Contains("TIOCSBRK")));
    const auto sets = std::count(os.calls().begin(), os.calls().end(), "TIOCMSET DTR=0 RTS=0");
    EXPECT_EQ(std::count_if(os.calls().begin(), os.calls().end(), [](const std::string& c) { return c.starts_with("TIOCMSET"); }),
              sets);
    EXPECT_GT(sets, 20);
}

TEST_F(SlowSerialPort, AFastPortUsesItsWholeCallCount)
{
    os.setLineCosts(2e-6, 3e-6);
    ASSERT_TRUE(pins.comInit("/dev/ttyUSB0"));
    EXPECT_THAT(pins.info(), HasSubstr("line change 2.0 \xC2\xB5s, line read 3.0 \xC2\xB5s"));
    EXPECT_THAT(pins.info(), Not(HasSubstr("protocol alone")));
    EXPECT_EQ(std::count(os.calls().begin(), os.calls().end(), "TIOCMGET"), kProbeCalls + 1); // one at set-up
    std::uint32_t write = 0;
    std::uint32_t read = 0;
    ASSERT_TRUE(pins.lineCosts(&write, &read));
    EXPECT_EQ(write, 2000u);
    EXPECT_EQ(read, 3000u);
    EXPECT_FALSE(pins.lineCosts(&write, nullptr));
    ASSERT_TRUE(pins.comClose());
    EXPECT_FALSE(pins.lineCosts(&write, &read)) << "no port, no costs";
}

TEST(PortSpeedWords, CostsAndDurationsInTheLargestUnitTheyReach)
{
    for (const auto& [seconds, text] : std::vector<std::pair<double, const char*>>{
             {1.1e-3, "1.1 ms"}, {1.0e-3, "1.0 ms"}, {0.85e-6, "850 ns"}, {2.5e-6, "2.5 \xC2\xB5s"},
             {12.3e-6, "12 \xC2\xB5s"}, {0, "0.0 ns"}, {1.5, "1.5 s"}})
        EXPECT_EQ(costText(seconds), text) << seconds;
    for (const auto& [seconds, text] : std::vector<std::pair<double, const char*>>{
             {9.73, "9.7 s"}, {11.2, "11 s"}, {59.4, "59 s"}, {59.6, "1 min"}, {250, "4 min 10 s"},
             {3599.4, "59 min 59 s"}, {3600, "1 h"}, {4800, "1 h 20 min"}, {7199, "2 h"}})
        EXPECT_EQ(durationText(seconds), text) << seconds;
}

TEST_F(SlowSerialPort, AUsbAdapterIsNamedWithItsDriverAndTheFastPath)
{
    os.addSerialPort("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
    os.addLink("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "../../ttyUSB0");
    os.addLink("/sys/class/tty/ttyUSB0/device/subsystem", "../../../../../../bus/usb-serial");
    os.addLink("/sys/class/tty/ttyUSB0/device/driver", "../../../../../../bus/usb-serial/drivers/ftdi_sio");
    for (const char* port : {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"}) {
        ASSERT_TRUE(pins.comInit(port)) << port;
        EXPECT_THAT(pins.info(), HasSubstr("a USB serial adapter (kernel driver ftdi_sio)")) << port;
        EXPECT_THAT(pins.info(), HasSubstr("a motherboard or PCI serial port, or a GPIO programmer, is the fast path"));
    }
}

TEST_F(SlowSerialPort, AMotherboardPortIsNotCalledAnAdapter)
{
    os.addSerialPort("/dev/ttyS0");
    os.addLink("/sys/class/tty/ttyS0/device/subsystem", "../../../bus/pnp");
    os.addLink("/sys/class/tty/ttyS0/device/driver", "../../../bus/pnp/drivers/serial");
    ASSERT_TRUE(pins.comInit("COM1"));
    EXPECT_THAT(pins.info(), Not(HasSubstr("USB")));
}

TEST_F(SlowSerialPort, AnAcmModemWithoutADriverLinkIsStillAnAdapter)
{
    os.addSerialPort("/dev/ttyACM0");
    os.addLink("/sys/class/tty/ttyACM0/device/subsystem", "../../../../bus/usb");
    ASSERT_TRUE(pins.comInit("/dev/ttyACM0"));
    EXPECT_THAT(pins.info(), HasSubstr("kernel driver unknown"));
}

} // namespace
} // namespace corvant::test
