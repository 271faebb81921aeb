// The Devices.ini the build places beside the programs, checked on its own and
// against Microchip's published device facts.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "devicedata/BuiltInMasks.h"
#include "devicedata/DeviceImage.h"
#include "devicedata/IniFile.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/ParseMaskBytes.h"
#include "tests/devicedata/RecordingMessages.h"

namespace velmora {
namespace {

const std::filesystem::path kShippedDevicesIni = VELMORA_DEVICES_INI;
const std::filesystem::path kDeviceFacts = VELMORA_DEVICE_FACTS;

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
    test::RecordingMessages messages;
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

// The cells of the rows naming a device in both tables of the facts: the
// Devices.ini columns first, the implemented-bit mask second.
std::map<std::string, std::vector<std::vector<std::string>>> readDeviceFacts()
{
    std::map<std::string, std::vector<std::vector<std::string>>> facts;
    std::ifstream stream(kDeviceFacts);
    for (std::string line; std::getline(stream, line);) {
        if (!line.starts_with("| PIC18F"))
            continue;
        std::vector<std::string> cells;
        std::stringstream row(line.substr(1));
        for (std::string cell; std::getline(row, cell, '|');) {
            const auto first = cell.find_first_not_of(" `");
            cells.push_back(first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(" `") - first + 1));
        }
        facts[cells[0]].push_back(cells);
    }
    return facts;
}

TEST(ShippedDevicesIni, MatchesMicrochipsPublishedFacts)
{
    if (!std::filesystem::exists(kDeviceFacts))
        GTEST_SKIP() << "device facts not found at " << kDeviceFacts << "; nothing to compare with";
    const auto facts = readDeviceFacts();
    auto devices = shippedDevices();
    EXPECT_EQ(devices.size(), facts.size());
    IniFile ini;
    ASSERT_EQ(ini.load(kShippedDevicesIni), FileReadStatus::Read);

    for (const auto& [name, rows] : facts) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(devices.contains(name));
        ASSERT_EQ(rows.size(), 2u);
        ASSERT_GE(rows[0].size(), 11u);
        const std::vector<std::string>& c = rows[0];
        const DeviceRecord& d = devices[name];
        EXPECT_EQ(std::to_string(d.programMemorySize), c[2]);
        EXPECT_EQ(std::to_string(d.eepromSize), c[3]);
        EXPECT_EQ(std::to_string(d.longEEAddr), c[4]);
        EXPECT_EQ(std::to_string(static_cast<int>(d.writeStrategy)), c[5]);
        EXPECT_EQ(std::to_string(d.writeBufferSize), c[6]);
        EXPECT_EQ(std::to_string(d.configType), c[7]);
        EXPECT_EQ(std::to_string(d.ccp2mxApp), c[8]);
        EXPECT_EQ(std::to_string(d.waitAndPmApp), c[9]);
        EXPECT_EQ(std::to_string(d.cp0App) + std::to_string(d.cp1App) + std::to_string(d.cp2App)
                      + std::to_string(d.cp3App),
                  c[10]);

        ConfigBlock implemented{};
        ASSERT_TRUE(ParseMaskBytes(rows[1].at(2), implemented));
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

} // namespace
} // namespace velmora
