// The Devices.ini the build places beside the programs, checked on its own and
// against Microchip's published device facts.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "devicedata/BuiltInMasks.h"
#include "devicedata/DeviceIdKeys.h"
#include "devicedata/DeviceImage.h"
#include "devicedata/IniFile.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/ParseMaskBytes.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Pic18Facts.h"

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

TEST(ShippedDevicesIni, MatchesMicrochipsPublishedFacts)
{
    auto devices = shippedDevices();
    EXPECT_EQ(devices.size(), std::size(test::kPic18Facts));
    IniFile ini;
    ASSERT_EQ(ini.load(kShippedDevicesIni), FileReadStatus::Read);

    for (const test::Pic18Facts& fact : test::kPic18Facts) {
        const std::string name(fact.name);
        SCOPED_TRACE(name);
        ASSERT_TRUE(devices.contains(name));
        const DeviceRecord& d = devices[name];
        EXPECT_EQ(static_cast<std::uint32_t>(d.programMemorySize), fact.programMemorySize);
        EXPECT_EQ(static_cast<std::uint32_t>(d.eepromSize), fact.eepromSize);
        EXPECT_EQ(d.longEEAddr, fact.eepromSize > 256);
        EXPECT_EQ(static_cast<int>(d.writeStrategy), fact.writeStrategy);
        EXPECT_EQ(static_cast<std::uint32_t>(d.writeBufferSize), fact.writeBufferSize);
        EXPECT_EQ(d.configType, fact.configType);
        EXPECT_EQ(d.ccp2mxApp, fact.ccp2mxApp);
        EXPECT_EQ(d.waitAndPmApp, fact.waitAndPmApp);
        EXPECT_EQ(std::to_string(d.cp0App) + std::to_string(d.cp1App) + std::to_string(d.cp2App)
                      + std::to_string(d.cp3App),
                  fact.codeBlocks);
        EXPECT_EQ(d.deviceId, fact.deviceId);
        EXPECT_EQ(d.deviceIdMask, fact.deviceIdMask);

        ConfigBlock implemented{};
        std::copy(fact.implementedConfigBits.begin(), fact.implementedConfigBits.end(), implemented.begin());
        SelectedDevice flags;
        flags.ccp2mxApp = d.ccp2mxApp;
        flags.waitAndPmApp = d.waitAndPmApp;
        flags.cp0App = d.cp0App;
        flags.cp1App = d.cp1App;
        flags.cp2App = d.cp2App;
        flags.cp3App = d.cp3App;
        ConfigBlock mask{};
        if (d.configType == 1) {
            mask = Type1Masks(flags).mask;
        } else if (d.configType == 2) {
            mask = Type2Masks(flags).mask;
            // Type 2 leaves CCP2MX and ECCPMX (CONFIG3H bits 0 and 1) out of the user's control.
            implemented[CONFIG3H] &= 0xFC;
        } else {
            ASSERT_TRUE(ParseMaskBytes(ini.getString(name, "Mask", ""), mask));
        }
        EXPECT_EQ(mask, implemented);
    }
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
