#include "devicedata/DeviceIdKeys.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "devicedata/LoadDeviceList.h"

namespace velmora {
namespace {

DeviceRecord onlyRecord(const std::string& keys)
{
    DeviceList list;
    EXPECT_TRUE(BuildDeviceList(list, "[PIC18F2420]\nProgMemSize=16384\n" + keys));
    EXPECT_EQ(list.Count(), 1);
    return list.CopyCurrent();
}

TEST(DeviceIdKeys, ValuesTakeTheDatabaseIntegerSyntaxWithinSixteenBits)
{
    const struct {
        const char* text;
        std::optional<std::uint16_t> value;
    } cases[] = {
        {"0x0420", 0x0420}, {"$1140", 0x1140}, {"1056", 0x0420}, {" 0xFFFF", 0xFFFF}, {"0", 0x0000},
        {"0x10000", std::nullopt}, {"-1", std::nullopt}, {"0x04G0", std::nullopt}, {"", std::nullopt},
        {"0x0420 ; PIC18F452", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDeviceIdValue(c.text), c.value) << c.text;
}

TEST(DeviceIdKeys, MissingOrBadKeysLeaveNoIdAndTheDefaultMask)
{
    const DeviceRecord none = onlyRecord("");
    EXPECT_FALSE(none.deviceId.has_value());
    EXPECT_EQ(none.deviceIdMask, kDefaultDeviceIdMask);
    EXPECT_FALSE(MatchesDeviceId(none, 0x1140)) << "a section without an ID names no chip";

    const DeviceRecord bad = onlyRecord("DeviceID=0x11400\nDeviceIDMask=mask\n");
    EXPECT_FALSE(bad.deviceId.has_value());
    EXPECT_EQ(bad.deviceIdMask, kDefaultDeviceIdMask);

    const DeviceRecord anyCase = onlyRecord("deviceid=0x1140\nDEVICEIDMASK=0xFFF0\n");
    EXPECT_EQ(anyCase.deviceId, 0x1140);
    EXPECT_EQ(anyCase.deviceIdMask, 0xFFF0);
}

TEST(DeviceIdKeys, TheMaskDecidesWhichBitsAreTheRevision)
{
    const DeviceRecord plain = onlyRecord("DeviceID=0x1140\n");
    EXPECT_TRUE(MatchesDeviceId(plain, 0x1143));
    EXPECT_TRUE(MatchesDeviceId(plain, 0x1157)) << "with FFE0h bit 4 is revision";
    EXPECT_FALSE(MatchesDeviceId(plain, 0x1160));
    EXPECT_EQ(DeviceRevision(plain, 0x1157), 0x17);

    const DeviceRecord twin = onlyRecord("DeviceID=0x1140\nDeviceIDMask=0xFFF0\n");
    EXPECT_TRUE(MatchesDeviceId(twin, 0x1143));
    EXPECT_FALSE(MatchesDeviceId(twin, 0x1153)) << "DEVID1 bit 4 names the 2423";
    EXPECT_EQ(DeviceRevision(twin, 0x1143), 0x03);
}

} // namespace
} // namespace velmora
