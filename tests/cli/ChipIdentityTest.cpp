// What a device ID read says against a database: named, of a known family, or silent.

#include "cli/ChipIdentity.h"

#include <gtest/gtest.h>

#include "devicedata/LoadDeviceList.h"

namespace velmora::cli {
namespace {

class ChipIdentityTest : public ::testing::Test {
protected:
    ChipIdentityTest()
    {
        EXPECT_TRUE(BuildDeviceList(devices, "[PIC18F452]\nProgMemSize=32768\nDeviceID=0x0420\n"
                                             "[PIC18F2420]\nProgMemSize=16384\nDeviceID=0x1140\nDeviceIDMask=0xFFF0\n"
                                             "[PIC18F2423]\nProgMemSize=16384\nDeviceID=0x1150\nDeviceIDMask=0xFFF0\n"
                                             "[MYBOARD452]\nProgMemSize=32768\nDeviceID=0x0420\n"
                                             "[NOID]\nProgMemSize=1024\n"));
    }
    DeviceList devices;
};

TEST_F(ChipIdentityTest, NamesEveryMatchingSectionWithTheRevisionUnderItsMask)
{
    const ChipIdentity twin = identifyChip(devices, 0x1153);
    EXPECT_EQ(twin.kind, ChipIdentity::Kind::Named);
    EXPECT_EQ(twin.names, std::vector<std::string> {"PIC18F2423"});
    EXPECT_EQ(twin.revision, 3);
    EXPECT_EQ(describeChip(twin), "device ID 0x1153: PIC18F2423, revision 3");

    const ChipIdentity shared = identifyChip(devices, 0x0427);
    EXPECT_EQ(shared.names, (std::vector<std::string> {"PIC18F452", "MYBOARD452"}));
    EXPECT_EQ(describeChip(shared), "device ID 0x0427: PIC18F452 or MYBOARD452, revision 7");
}

TEST_F(ChipIdentityTest, AKnownFamilyIdIsToldFromASilentLine)
{
    const ChipIdentity unnamed = identifyChip(devices, 0x1203);
    EXPECT_EQ(unnamed.kind, ChipIdentity::Kind::UnnamedInFamily);
    EXPECT_EQ(describeChip(unnamed),
              "device ID 0x1203: a PIC18F2XXX/4XXX (DS39622) ID that no device of the database names, revision 3");

    for (const std::uint16_t silent : {0x0000, 0xFFFF, 0x3000, 0xFF20}) {
        const ChipIdentity chip = identifyChip(devices, silent);
        EXPECT_EQ(chip.kind, ChipIdentity::Kind::Silent) << silent;
        EXPECT_TRUE(chip.names.empty());
    }
}

TEST_F(ChipIdentityTest, RefusesToWriteAnyChipButTheSelectedOne)
{
    EXPECT_EQ(refusalToWrite(identifyChip(devices, 0x0421), "MYBOARD452"), "");
    EXPECT_EQ(refusalToWrite(identifyChip(devices, 0x1141), "PIC18F452"),
              "chip answers as PIC18F2420 (0x1141), but PIC18F452 is selected; use --device PIC18F2420 or --no-id-check");
    EXPECT_NE(refusalToWrite(identifyChip(devices, 0x1203), "PIC18F452").find("use --no-id-check"), std::string::npos);
    EXPECT_NE(refusalToWrite(identifyChip(devices, 0xFFFF), "PIC18F452").find("no chip answers"), std::string::npos);
}

TEST(SilentChipChecklist, SaysWhatWasReadAndSuitsTheProgrammer)
{
    const std::string jdm = silentChipChecklist(0xFFFF, "/dev/ttyUSB0");
    EXPECT_EQ(jdm.rfind("no chip answering: data in read high on every bit (0xFFFF).\n", 0), 0U);
    for (const char* item : {"Vpp reaches MCLR", "VDD and ground", "PGC and PGD are not swapped", "PGM is pulled low",
                             "seated"})
        EXPECT_NE(jdm.find(item), std::string::npos) << item;
    EXPECT_NE(jdm.find("TxD"), std::string::npos);
    EXPECT_EQ(jdm.find("fault="), std::string::npos);
    // Every spelling corvant opens as a serial port gets the JDM's advice.
    for (const char* port : {"COM3", "Com1"})
        EXPECT_NE(silentChipChecklist(0xFFFF, port).find("TxD"), std::string::npos) << port;

    const std::string sim = silentChipChecklist(0x0000, "SIM:PIC18F452,fault=absent");
    EXPECT_NE(sim.find("read low on every bit (0x0000)"), std::string::npos);
    EXPECT_NE(sim.find("fault="), std::string::npos);
    EXPECT_EQ(sim.find("TxD"), std::string::npos);
    EXPECT_EQ(sim.find("LVP bit (CONFIG4L"), std::string::npos);

    // Entered at low voltage: the LVP bit, the PGM line and the bulk-erase supply, no Vpp.
    for (const char* port : {"SIM:PIC18F4550,lvp", "GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=22"}) {
        const std::string lvp = silentChipChecklist(0xFFFF, port);
        for (const char* item : {"LVP bit (CONFIG4L bit 2) is set", "needs high voltage", "PGM (RB5) is wired",
                                 "3.0 V to 5.5 V for a bulk erase", "VDD and ground"})
            EXPECT_NE(lvp.find(item), std::string::npos) << port << ": " << item << "\n" << lvp;
        EXPECT_EQ(lvp.find("Vpp reaches MCLR"), std::string::npos) << port;
        EXPECT_EQ(lvp.find("PGM is pulled low"), std::string::npos) << port;
    }
}

} // namespace
} // namespace velmora::cli
