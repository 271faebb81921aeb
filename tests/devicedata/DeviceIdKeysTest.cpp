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

TEST(DeviceIdKeys, WithoutADeviceIdNothingIsChecked)
{
    const DeviceRecord none = onlyRecord("DeviceIDMask=0xFFF0\n");
    EXPECT_EQ(none.deviceIdState, DeviceIdState::Absent);
    EXPECT_FALSE(MatchesDeviceId(none, 0x1140)) << "a section without an ID names no chip";

    const DeviceRecord anyCase = onlyRecord("deviceid=0x1140\nDEVICEIDMASK=0xFFF0\n");
    EXPECT_EQ(anyCase.deviceIdState, DeviceIdState::Usable);
    EXPECT_EQ(anyCase.deviceId, 0x1140);
    EXPECT_EQ(anyCase.deviceIdMask, 0xFFF0);
}

// Each of these once left the section without an ID, so the check was skipped or any
// chip passed for the device.
TEST(DeviceIdKeys, KeysThatCannotNameTheChipMakeTheIdUnusableWithTheirReason)
{
    const struct {
        const char* keys;
        const char* key;
        const char* words;
    } cases[] = {
        {"DeviceID=0x1140 ; PIC18F2420\n", "deviceid", "a comment behind a value is part of the value"},
        {"DeviceID=0x11400\n", "deviceid", "DeviceID=0x11400 is not a 16-bit number"},
        {"Device ID=0x1140\n", "device id", "key \"device id\" is not DeviceID"},
        {"DeviceID=0x1140\nDevice_ID_Mask=0xFFF0\n", "device_id_mask", "is not DeviceIDMask"},
        {"DeviceID=0x1140\nDeviceIDMask=mask\n", "deviceidmask", "DeviceIDMask=mask is not a 16-bit number"},
        {"DeviceID=0x1140\nDeviceIDMask=0\n", "deviceidmask", "does not cover the device bits 0xFFE0"},
        {"DeviceID=0x1140\nDeviceIDMask=0xFF00\n", "deviceidmask", "does not cover the device bits 0xFFE0"},
        {"DeviceID=0\n", "deviceid", "device bits all 0 or all 1"},
        {"DeviceID=0xFFFF\n", "deviceid", "device bits all 0 or all 1"},
        {"DeviceID=0x001F\n", "deviceid", "device bits all 0 or all 1"},
        {"DeviceID=0xFFE0\nDeviceIDMask=0xFFFF\n", "deviceid", "device bits all 0 or all 1"},
    };
    for (const auto& c : cases) {
        const DeviceRecord record = onlyRecord(c.keys);
        EXPECT_EQ(record.deviceIdState, DeviceIdState::Unusable) << c.keys;
        EXPECT_EQ(record.deviceIdProblemKey, c.key) << c.keys;
        EXPECT_NE(record.deviceIdProblem.find(c.words), std::string::npos) << record.deviceIdProblem;
        for (const std::uint16_t rawId : {0x0000, 0x1140, 0x0420, 0xFFFF})
            EXPECT_FALSE(MatchesDeviceId(record, rawId)) << c.keys;
    }
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
