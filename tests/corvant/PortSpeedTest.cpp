// The speed check of an opened port: the measurement on a recorded kernel layer
// made slow on purpose, the estimate it gives, and the words GetDllInfo uses.

#include "FakePosixSystem.h"

#include "corvant/JdmBackend.h"
#include "corvant/PinInterface.h"
#include "corvant/PortSpeed.h"
#include "corvant/PosixSerialLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace corvant::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

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

TEST(PortSpeedWords, EstimateAddsTheCallCostsToTheProtocolsOwnTime)
{
    EXPECT_NEAR(protocolFullReadSeconds(), 9.73, 0.005);
    const LineCosts costs{1.1e-3, 1.0e-3};
    EXPECT_DOUBLE_EQ(fullReadSeconds(costs), protocolFullReadSeconds() + static_cast<double>(kFullReadWrites) * 1.1e-3
                                                 + static_cast<double>(kFullReadReads) * 1.0e-3);
    EXPECT_DOUBLE_EQ(fullReadSeconds({}), protocolFullReadSeconds());
    // The line between slow and not: three times the protocol's time.
    const double edge = 2 * protocolFullReadSeconds() / static_cast<double>(kFullReadWrites);
    EXPECT_FALSE(isSlowPort({edge * 0.99, 0}));
    EXPECT_TRUE(isSlowPort({edge * 1.01, 0}));
}

TEST(PortSpeedWords, TheSentenceReadsBackToTheCostsItShows)
{
    const LineCosts slow{1.1e-3, 1.0e-3};
    const std::string text = speedText(slow);
    EXPECT_THAT(text, ::testing::StartsWith("line change 1.1 ms, line read 1.0 ms: a full read of a 32 KB chip takes about "));
    EXPECT_THAT(text, ::testing::EndsWith(" on this port (the protocol alone needs 9.7 s)"));
    const auto back = parseSpeedText("corvant " VELMORA_VERSION ", some port. " + text);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->writeSeconds, 1.1e-3);
    EXPECT_DOUBLE_EQ(back->readSeconds, 1.0e-3);
    EXPECT_EQ(estimateSentence(text), text.substr(text.find("a full read")));

    const std::string fast = speedText({0.9e-6, 0.7e-6});
    EXPECT_THAT(fast, Not(HasSubstr("protocol alone")));
    const auto fastBack = parseSpeedText(fast);
    ASSERT_TRUE(fastBack);
    EXPECT_NEAR(fastBack->writeSeconds, 0.9e-6, 1e-12);
    EXPECT_THAT(std::string(estimateSentence(fast)), ::testing::EndsWith("on this port"));

    for (const char* none : {"", "corvant " VELMORA_VERSION ", no port open", "line change 1.1 ms", "line change x ms, line read 1 ms",
                             "line change 1.1 parsecs, line read 1.0 ms"})
        EXPECT_FALSE(parseSpeedText(none)) << none;
    EXPECT_EQ(estimateSentence("corvant " VELMORA_VERSION ", no port open"), "");
}

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
                                + durationText(fullReadSeconds({1.1e-3, 1.0e-3})) + " on this port"));
    EXPECT_THAT(info, HasSubstr("(the protocol alone needs 9.7 s)"));
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
