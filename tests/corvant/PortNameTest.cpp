#include "corvant/PortName.h"
#include "corvant/SerialLines.h"

#include <gtest/gtest.h>

namespace corvant {
namespace {

TEST(PortName, ComPortsInAnyCaseMapToTheirSerialDevice)
{
    for (const auto& [text, number, device] :
         {std::tuple{"COM1", 1u, "/dev/ttyS0"}, {"com2", 2u, "/dev/ttyS1"},
          {"Com12", 12u, "/dev/ttyS11"}, {"cOM256", 256u, "/dev/ttyS255"}}) {
        const auto name = parsePortName(text);
        ASSERT_TRUE(name) << text;
        EXPECT_EQ(name->kind, PortKind::ComNumber) << text;
        EXPECT_EQ(name->comNumber, number) << text;
        EXPECT_EQ(comPortDevice(name->comNumber), device) << text;
    }
}

TEST(PortName, RejectsWhatIsNoPort)
{
    for (const char* text : {"", "COM", "COM0", "COM01", "COM1a", "COM-1", "COM+1", " COM1",
                             "COM1 ", "COM 1", "LPT1", "ttyUSB0", "dev/ttyS0", "CO",
                             "COM99999999999999999999"})
        EXPECT_FALSE(parsePortName(text)) << '"' << text << '"';
}

TEST(PortName, AbsolutePathsAreDevices)
{
    const auto name = parsePortName("/dev/ttyUSB0");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->kind, PortKind::DevicePath);
    EXPECT_EQ(name->text, "/dev/ttyUSB0");
}

TEST(PortName, SimPrefixInAnyCaseGoesToTheSimulator)
{
    for (const char* text : {"SIM", "sim", "SIM:PIC18F452", "Sim:PIC18F4550,image=a.hex,trace=t.txt"}) {
        const auto name = parsePortName(text);
        ASSERT_TRUE(name) << text;
        EXPECT_EQ(name->kind, PortKind::Simulated) << text;
        EXPECT_EQ(name->text, text);
    }
}

} // namespace
} // namespace corvant
