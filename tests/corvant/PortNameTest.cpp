#include "corvant/BackendTable.h"
#include "corvant/PortName.h"
#include "corvant/SerialLines.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvant {
namespace {

// What the platform opens for COM1, COM2, COM12 and COM256.
#if defined(_WIN32)
constexpr const char* kComDevices[] = {"\\\\.\\COM1", "\\\\.\\COM2", "\\\\.\\COM12", "\\\\.\\COM256"};
constexpr const char* kDevicePath = "\\\\.\\COM10";
constexpr const char* kOtherPlatformsPath = "/dev/ttyUSB0";
#else
constexpr const char* kComDevices[] = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS11", "/dev/ttyS255"};
constexpr const char* kDevicePath = "/dev/ttyUSB0";
constexpr const char* kOtherPlatformsPath = "\\\\.\\COM10";
#endif

TEST(PortName, ComPortsInAnyCaseMapToTheirSerialDevice)
{
    for (const auto& [text, number, device] :
         {std::tuple{"COM1", 1u, kComDevices[0]}, {"com2", 2u, kComDevices[1]},
          {"Com12", 12u, kComDevices[2]}, {"cOM256", 256u, kComDevices[3]}}) {
        const auto parsed = parseComPort(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(*parsed, number) << text;
        EXPECT_EQ(comPortDevice(*parsed), device) << text;
    }
}

TEST(PortName, RejectsWhatIsNoComPort)
{
    for (const char* text : {"", "COM", "COM0", "COM01", "COM1a", "COM-1", "COM+1", " COM1",
                             "COM1 ", "COM 1", "LPT1", "ttyUSB0", "dev/ttyS0", "CO", "\\\\COM1",
                             "COM99999999999999999999"})
        EXPECT_FALSE(parseComPort(text)) << '"' << text << '"';
}

TEST(PortName, TheKindIsToldByThePrefixInAnyCase)
{
    for (const auto& [port, kind] :
         {std::pair<const char*, PortKind>{"SIM", PortKind::Sim}, {"sim:PIC18F4550,image=a.hex", PortKind::Sim},
          {"SIMX", PortKind::Sim}, {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=22", PortKind::Gpio}, {"gpio:0", PortKind::Gpio},
          {"FTDI:0403:6001,pgm=DSR", PortKind::Ftdi}, {"ftdi:", PortKind::Ftdi},
          {"COM1", PortKind::ComName}, {"Com12", PortKind::ComName}, {"com", PortKind::ComName},
          {kDevicePath, PortKind::SerialDevice}})
        EXPECT_EQ(portKind(port), kind) << port;
    for (const char* port : {"", "LPT1", "ttyUSB0", "GPIO", "GPIO0", "FTDI", "FTDI0403", "SI", "CO", "dev/ttyS0",
                             kOtherPlatformsPath})
        EXPECT_EQ(portKind(port), PortKind::Unknown) << port;
}

// The parsers are asked, so only a port that would open at low voltage counts.
TEST(PortName, TheEntryWiringIsWhatAValidPortDoesWithMclr)
{
    using velmora::EntryWiring;
    const std::vector<std::pair<EntryWiring, std::vector<const char*>>> rows{
        {EntryWiring::PgmPin,
         {"SIM:PIC18F4550,lvp", "sim:pic18f4550,image=a.hex,LVP", "SIM:,lvp",
          "GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=22", "gpio:0,PGM=4,mclr=17,pgc=27,pgd=22"}},
        {EntryWiring::MclrOnly,
         {"SIM:PIC18F45K22,lvp", "GPIO:gpiochip0,mclr=17,pgc=27,pgd=22", "gpio:0,MCLR=17,pgc=27,pgd=22,active-low=mclr"}},
        {EntryWiring::HighVoltage,
         {"SIM", "SIM:PIC18F45K22", "SIM:PIC18F4550,image=lvp", "SIM:PIC18F4550,lvp,lvp", "SIM:PIC18F999,lvp",
          "GPIO:gpiochip0,vpp=17,pgc=27,pgd=22", "GPIO:pgm=3", "GPIO:gpiochip0,pgm=24,pgc=27,pgd=22",
          "GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=27", "GPIO:gpiochip0,mclr=17,pgc=27", "COM1", kDevicePath, ""}}};
    for (const auto& [wiring, ports] : rows)
        for (const char* port : ports)
            EXPECT_EQ(entryWiring(port), wiring) << port;
}

// Only the JDM's Vpp is beyond the program's reach; the GPIO Vpp switch has the supply the user chose.
TEST(PortName, OnlyTheSerialProgrammersVppIsUnregulated)
{
    for (const char* port : {"COM1", "com7", kDevicePath})
        EXPECT_TRUE(vppIsUnregulated(port)) << port;
    for (const char* port : {"SIM", "SIM:PIC18F4550", "GPIO:gpiochip0,vpp=17,pgc=27,pgd=22", "LPT1", ""})
        EXPECT_FALSE(vppIsUnregulated(port)) << port;
}

TEST(BackendTable, TheFirstRowOfThePortsKindTakesIt)
{
    const BackendTable table = standardBackends();
    for (const char* port : {"SIM", "sim:PIC18F4550,image=a.hex", "COM1", "Com9", kDevicePath,
                             "GPIO:gpiochip0,vpp=17,pgc=27,pgd=22", "gpio:0", "FTDI:0403:6001", "ftdi:x"}) {
        const BackendEntry* entry = findBackend(table, port);
        ASSERT_NE(entry, nullptr) << port;
        EXPECT_EQ(entry->kind, portKind(port)) << port;
    }
    for (const char* port : {"", "LPT1", "ttyUSB0", "GPIO", "SI", "dev/ttyS0", kOtherPlatformsPath})
        EXPECT_EQ(findBackend(table, port), nullptr) << port;
    // A table without the kind's row takes none of its ports.
    EXPECT_EQ(findBackend(BackendTable{simBackendEntry()}, "COM1"), nullptr);
}

} // namespace
} // namespace corvant
