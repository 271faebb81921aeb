// The Devices.ini the build places beside the programs, checked on its own and
// against Microchip's published device facts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
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

std::vector<DeviceRecord> shippedDevices()
{
    DeviceList list;
    if (!LoadDeviceList(list, kShippedDevicesIni))
        return {};
    std::vector<DeviceRecord> devices;
    list.MoveTo(0);
    for (int i = 0; i < list.Count(); ++i)
        devices.push_back(list.CopyCurrentAndAdvance());
    return devices;
}

std::string upperCased(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

TEST(ShippedDevicesIni, LoadsWithUniqueNames)
{
    const std::vector<DeviceRecord> devices = shippedDevices();
    ASSERT_GE(devices.size(), 48u) << kShippedDevicesIni;
    std::set<std::string> names;
    for (const DeviceRecord& device : devices)
        EXPECT_TRUE(names.insert(upperCased(device.name)).second) << "duplicate " << device.name;
}

TEST(ShippedDevicesIni, EveryType3DeviceHasValidMasks)
{
    IniFile ini;
    ASSERT_EQ(ini.load(kShippedDevicesIni), FileReadStatus::Read);
    test::RecordingMessages messages;
    auto owner = std::make_unique<DeviceImage>();
    owner->setMaskSource(kShippedDevicesIni.string(), &messages);
    int type3Count = 0;
    for (const DeviceRecord& device : shippedDevices()) {
        SCOPED_TRACE(device.name);
        EXPECT_TRUE(device.configType >= 1 && device.configType <= 3);
        EXPECT_EQ(device.programMemorySize % 2, 0);
        if (device.writeStrategy == 2) {
            EXPECT_GT(device.writeBufferSize, 0);
            EXPECT_EQ(device.writeBufferSize % 2, 0);
            EXPECT_EQ(device.programMemorySize % device.writeBufferSize, 0);
        }
        EXPECT_EQ(device.longEEAddr, device.eepromSize > 256);
        if (device.configType != 3)
            continue;
        ++type3Count;
        ConfigBlock mask{};
        ConfigBlock setMask{};
        EXPECT_TRUE(ParseMaskBytes(ini.getString(device.name, "Mask", ""), mask));
        EXPECT_TRUE(ParseMaskBytes(ini.getString(device.name, "SetMask", ""), setMask));
        owner->SelectDevice(device);
        owner->ClearImage(true);
        for (int i = 0; i < kConfigCount; ++i)
            EXPECT_EQ(owner->image.config[i], mask[i] | setMask[i]) << "byte " << i;
    }
    EXPECT_GT(type3Count, 0);
    EXPECT_TRUE(messages.shown.empty());
}

// One row of the device facts: the Devices.ini columns and the implemented-bit mask.
struct DeviceFacts {
    std::vector<std::string> columns;
    std::string mask;
};

std::vector<std::string> tableCells(const std::string& line)
{
    std::vector<std::string> cells;
    std::stringstream stream(line);
    std::string cell;
    std::getline(stream, cell, '|');
    while (std::getline(stream, cell, '|')) {
        const auto first = cell.find_first_not_of(" `");
        const auto last = cell.find_last_not_of(" `");
        cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
    }
    return cells;
}

std::map<std::string, DeviceFacts> readDeviceFacts()
{
    std::map<std::string, DeviceFacts> facts;
    std::ifstream stream(kDeviceFacts);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.starts_with("| PIC18F"))
            continue;
        std::vector<std::string> cells = tableCells(line);
        if (cells.size() >= 13)
            facts[cells[0]].columns = cells;
        else if (cells.size() >= 3)
            facts[cells[0]].mask = cells[2];
    }
    return facts;
}

TEST(ShippedDevicesIni, MatchesMicrochipsPublishedFacts)
{
    if (!std::filesystem::exists(kDeviceFacts))
        GTEST_SKIP() << "device facts not found at " << kDeviceFacts << "; nothing to compare with";
    const std::map<std::string, DeviceFacts> facts = readDeviceFacts();
    ASSERT_FALSE(facts.empty());
    std::map<std::string, DeviceRecord> devices;
    for (const DeviceRecord& device : shippedDevices())
        devices[device.name] = device;
    IniFile ini;
    ASSERT_EQ(ini.load(kShippedDevicesIni), FileReadStatus::Read);

    for (const auto& [name, fact] : facts) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(devices.contains(name));
        ASSERT_GE(fact.columns.size(), 13u);
        const DeviceRecord& device = devices[name];
        const std::vector<std::string>& c = fact.columns;
        EXPECT_EQ(device.programMemorySize, std::stoi(c[2]));
        EXPECT_EQ(device.eepromSize, std::stoi(c[3]));
        EXPECT_EQ(device.longEEAddr, c[4] == "1");
        EXPECT_EQ(device.writeStrategy, std::stoi(c[5]));
        EXPECT_EQ(device.writeBufferSize, std::stoi(c[6]));
        EXPECT_EQ(device.configType, std::stoi(c[7]));
        EXPECT_EQ(device.ccp2mxApp, c[8] == "1");
        EXPECT_EQ(device.waitAndPmApp, c[9] == "1");
        ASSERT_EQ(c[10].size(), 4u);
        EXPECT_EQ(device.cp0App, c[10][0] == '1');
        EXPECT_EQ(device.cp1App, c[10][1] == '1');
        EXPECT_EQ(device.cp2App, c[10][2] == '1');
        EXPECT_EQ(device.cp3App, c[10][3] == '1');

        ConfigBlock implemented{};
        ASSERT_TRUE(ParseMaskBytes(fact.mask, implemented)) << fact.mask;
        SelectedDevice selected;
        selected.ccp2mxApp = device.ccp2mxApp;
        selected.waitAndPmApp = device.waitAndPmApp;
        selected.cp0App = device.cp0App;
        selected.cp1App = device.cp1App;
        selected.cp2App = device.cp2App;
        selected.cp3App = device.cp3App;
        if (device.configType == 1) {
            EXPECT_EQ(Type1Masks(selected).mask, implemented);
        } else if (device.configType == 2) {
            // Type 2 leaves CCP2MX and ECCPMX (CONFIG3H bits 0 and 1) out of the user's control.
            implemented[CONFIG3H] &= 0xFC;
            EXPECT_EQ(Type2Masks(selected).mask, implemented);
        } else {
            ConfigBlock mask{};
            ASSERT_TRUE(ParseMaskBytes(ini.getString(name, "Mask", ""), mask));
            EXPECT_EQ(mask, implemented);
        }
    }
    EXPECT_EQ(devices.size(), facts.size()) << "devices without published facts";
}

} // namespace
} // namespace velmora
