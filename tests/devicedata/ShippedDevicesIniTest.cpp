// The Devices.ini the build places beside the programs, checked on its own; the
// simulated chips' table is held to it in tests/sim.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "devicedata/DeviceIdKeys.h"
#include "devicedata/DeviceImage.h"
#include "devicedata/IniFile.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/ParseMaskBytes.h"
#include "tests/support/ScriptedMessages.h"

namespace velmora {
namespace {

const std::filesystem::path kShippedDevicesIni = VELMORA_DEVICES_INI;

std::map<std::string, DeviceRecord> shippedDevices()
{
    DeviceList list;
    std::map<std::string, DeviceRecord> devices;
    if (!LoadDeviceList(list, kShippedDevicesIni))
        return devices;
    list.MoveTo(0);
    for (int i = 0; i < list.Count(); ++i) {
        DeviceRecord record = list.CopyCurrentAndAdvance();
        EXPECT_FALSE(devices.contains(record.name)) << "duplicate " << record.name;
        devices[record.name] = record;
    }
    return devices;
}

TEST(ShippedDevicesIni, LoadsAndEveryDeviceIsProgrammable)
{
    const auto devices = shippedDevices();
    ASSERT_GE(devices.size(), 48u) << kShippedDevicesIni;
    IniFile ini;
    ASSERT_EQ(ini.load(kShippedDevicesIni), FileReadStatus::Read);
    test::ScriptedMessages messages;
    auto owner = std::make_unique<DeviceImage>();
    owner->setMaskSource(kShippedDevicesIni.string(), &messages);
    for (const auto& [name, device] : devices) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(device.configType >= 1 && device.configType <= 3);
        EXPECT_EQ(device.longEEAddr, device.eepromSize > 256);
        if (device.writeStrategy == WriteStrategy::Buffers) {
            ASSERT_GT(device.writeBufferSize, 0);
            EXPECT_EQ(device.writeBufferSize % 2, 0);
            EXPECT_EQ(device.programMemorySize % device.writeBufferSize, 0);
        }
        if (device.configType != 3)
            continue;
        ConfigBlock mask{};
        ConfigBlock setMask{};
        EXPECT_TRUE(ParseMaskBytes(ini.getString(name, "Mask", ""), mask));
        EXPECT_TRUE(ParseMaskBytes(ini.getString(name, "SetMask", ""), setMask));
        owner->SelectDevice(device);
        owner->ClearImage(true);
        for (int i = 0; i < kConfigCount; ++i)
            EXPECT_EQ(owner->image.config[i], mask[i] | setMask[i]) << "byte " << i;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ShippedDevicesIni, NoTwoDevicesAnswerWithTheSameId)
{
    const auto devices = shippedDevices();
    for (const auto& [name, device] : devices) {
        ASSERT_EQ(device.deviceIdState, DeviceIdState::Usable) << name;
        for (const auto& [otherName, other] : devices) {
            if (otherName != name) {
                EXPECT_FALSE(MatchesDeviceId(other, device.deviceId)) << name << " also reads as " << otherName;
            }
        }
    }
}

} // namespace
} // namespace velmora
