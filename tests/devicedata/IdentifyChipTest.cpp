// What a device ID read says against a database: named, of a known family, or silent.

#include "devicedata/IdentifyChip.h"

#include <gtest/gtest.h>

#include "devicedata/LoadDeviceList.h"

namespace velmora {
namespace {

class IdentifyChipTest : public ::testing::Test {
protected:
    IdentifyChipTest()
    {
        EXPECT_TRUE(BuildDeviceList(devices, "[PIC18F452]\nProgMemSize=32768\nDeviceID=0x0420\n"
                                             "[PIC18F2420]\nProgMemSize=16384\nDeviceID=0x1140\nDeviceIDMask=0xFFF0\n"
                                             "[PIC18F2423]\nProgMemSize=16384\nDeviceID=0x1150\nDeviceIDMask=0xFFF0\n"
                                             "[MYBOARD452]\nProgMemSize=32768\nDeviceID=0x0420\n"
                                             "[NOID]\nProgMemSize=1024\n"));
    }
    DeviceList devices;
};

TEST_F(IdentifyChipTest, NamesEveryMatchingSectionWithTheRevisionUnderItsMask)
{
    const ChipIdentity twin = IdentifyChip(devices, 0x1153);
    EXPECT_EQ(twin.kind, ChipIdentity::Kind::Named);
    EXPECT_EQ(twin.names, std::vector<std::string> {"PIC18F2423"});
    EXPECT_EQ(twin.revision, 3);

    const ChipIdentity shared = IdentifyChip(devices, 0x0437);
    EXPECT_EQ(shared.kind, ChipIdentity::Kind::Named);
    EXPECT_EQ(shared.names, (std::vector<std::string> {"PIC18F452", "MYBOARD452"}));
    EXPECT_EQ(shared.revision, 0x17) << "under the default mask DEVID1 bit 4 is revision";
}

TEST_F(IdentifyChipTest, AKnownFamilyIdIsToldFromASilentLine)
{
    const ChipIdentity unnamed = IdentifyChip(devices, 0x1213);
    EXPECT_EQ(unnamed.kind, ChipIdentity::Kind::UnnamedInFamily);
    EXPECT_EQ(unnamed.family, "PIC18F2XXX/4XXX (DS39622)");
    EXPECT_EQ(unnamed.revision, 0x13) << "every bit outside the device bits";
    // A PIC18F45K22 that an older database does not name is still no silent line.
    EXPECT_EQ(IdentifyChip(devices, 0x5504).family, "PIC18F2XK22/4XK22 (DS41398)");
    EXPECT_EQ(IdentifyChip(devices, 0x4CA2).family, "PIC18F2XJXX/4XJXX (DS39687)");
    EXPECT_EQ(IdentifyChip(devices, 0x4221).family, "PIC18F6XJXX/8XJXX (DS39644)");
    EXPECT_EQ(IdentifyChip(devices, 0x1FA4).family, "PIC18F97J60 family (DS39688)");

    for (const std::uint16_t silent : {0x0000, 0xFFFF, 0x3000, 0xFF20}) {
        const ChipIdentity chip = IdentifyChip(devices, silent);
        EXPECT_EQ(chip.kind, ChipIdentity::Kind::Silent) << silent;
        EXPECT_TRUE(chip.names.empty());
        EXPECT_EQ(chip.rawId, silent);
    }
}

} // namespace
} // namespace velmora
