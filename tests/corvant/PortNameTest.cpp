#include "corvant/PortName.h"
#include "corvant/SerialLines.h"

#include <gtest/gtest.h>

namespace corvant {
namespace {

// What the platform opens for COM1, COM2, COM12 and COM256.
#if defined(_WIN32)
constexpr const char* kComDevices[] = {"\\\\.\\COM1", "\\\\.\\COM2", "\\\\.\\COM12", "\\\\.\\COM256"};
#else
constexpr const char* kComDevices[] = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS11", "/dev/ttyS255"};
#endif

TEST(PortName, ComPortsInAnyCaseMapToTheirSerialDevice)
{
    for (const auto& [text, number, device] :
         {std::tuple{"COM1", 1u, kComDevices[0]}, {"com2", 2u, kComDevices[1]},
          {"Com12", 12u, kComDevices[2]}, {"cOM256", 256u, kComDevices[3]}}) {
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
                             "COM1 ", "COM 1", "LPT1", "ttyUSB0", "dev/ttyS0", "CO", "\\\\COM1",
                             "COM99999999999999999999"})
        EXPECT_FALSE(parsePortName(text)) << '"' << text << '"';
}

TEST(PortName, AbsolutePathsAndWindowsDeviceNamesAreDevices)
{
    for (const char* text : {"/dev/ttyUSB0", "\\\\.\\COM10"}) {
        const auto name = parsePortName(text);
        ASSERT_TRUE(name) << text;
        EXPECT_EQ(name->kind, PortKind::DevicePath) << text;
        EXPECT_EQ(name->text, text);
    }
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
