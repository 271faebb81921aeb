// The Devices.ini the build places beside the programs, checked on its own and
// against Microchip's device data as gputils publishes it; the simulated chips'
// table is held to it in tests/sim.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "devicedata/ConfigLocation.h"
#include "devicedata/DeviceIdKeys.h"
#include "devicedata/DeviceImage.h"
#include "devicedata/FamilyKey.h"
#include "devicedata/IdentifyChip.h"
#include "devicedata/IniFile.h"
#include "devicedata/KnownIdFamilies.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/IniMasks.h"
#include "devicedata/ParseMaskBytes.h"
#include "tests/hexfile/HexTestSupport.h"
#include "tests/support/ScriptedMessages.h"

namespace velmora {
namespace {

const std::filesystem::path kShippedDevicesIni = VELMORA_DEVICES_INI;
const std::string kGpasm = VELMORA_GPASM;

// The sections in file order, the order in which the program remembers them.
std::vector<DeviceRecord> shippedList()
{
    DeviceList list;
    std::vector<DeviceRecord> records;
    if (!LoadDeviceList(list, kShippedDevicesIni))
        return records;
    list.MoveTo(0);
    for (int i = 0; i < list.Count(); ++i)
        records.push_back(list.CopyCurrentAndAdvance());
    return records;
}

std::map<std::string, DeviceRecord> shippedDevices()
{
    std::map<std::string, DeviceRecord> devices;
    for (DeviceRecord& record : shippedList()) {
        EXPECT_FALSE(devices.contains(record.name)) << "duplicate " << record.name;
        devices[record.name] = std::move(record);
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

// A chip of a shipped device is named by identify, and by its family under a database
// that lacks its section.
TEST(ShippedDevicesIni, EveryDeviceIdIsNamedAndOfAKnownFamily)
{
    DeviceList list;
    ASSERT_TRUE(LoadDeviceList(list, kShippedDevicesIni));
    for (const DeviceRecord& device : shippedList()) {
        SCOPED_TRACE(device.name);
        constexpr std::uint16_t kRevision = 0x0003;
        const ChipIdentity chip = IdentifyChip(list, static_cast<std::uint16_t>(device.deviceId | kRevision));
        EXPECT_EQ(chip.kind, ChipIdentity::Kind::Named);
        EXPECT_EQ(chip.names, std::vector<std::string>{device.name});
        EXPECT_FALSE(KnownIdFamily(static_cast<std::uint8_t>(device.deviceId >> 8)).empty());
    }
}

TEST(ShippedDevicesIni, TheNewerFamiliesFollowTheClassicPartsAndFitTheirFamilies)
{
    const auto records = shippedList();
    ASSERT_EQ(records.size(), 195U);
    std::map<ProgrammingFamily, int> counts;
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(records[i].name);
        // Saved selections are positions: the 74 classic parts keep theirs.
        EXPECT_EQ(records[i].family == ProgrammingFamily::Classic, i < 74);
        EXPECT_EQ(records[i].familyProblem, "");
        ++counts[records[i].family];
    }
    EXPECT_EQ(counts[ProgrammingFamily::K22], 16);
    EXPECT_EQ(counts[ProgrammingFamily::OneXK22], 4);
    EXPECT_EQ(counts[ProgrammingFamily::K20], 8);
    EXPECT_EQ(counts[ProgrammingFamily::J10], 8);
    EXPECT_EQ(counts[ProgrammingFamily::J2X4X], 40);
    EXPECT_EQ(counts[ProgrammingFamily::J6X8X], 36);
    EXPECT_EQ(counts[ProgrammingFamily::J60], 9);
    EXPECT_EQ(records[74].name, "PIC18F23K22");
    EXPECT_EQ(records[93].name, "PIC18LF14K22");
    EXPECT_EQ(records[93].writeBufferSize, 16);
    EXPECT_EQ(records[93].deviceId, 0x4F60);
    // The J parts follow the K parts, whose positions stay.
    EXPECT_EQ(records[102].name, "PIC18F24J10");
    EXPECT_EQ(records[194].name, "PIC18F97J60");
    EXPECT_EQ(records[194].programMemorySize, 131072);
}

// A J part's image holds its code below the configuration words, and a cleared image
// already carries the bits the chip needs: 1111b over every odd byte, CONFIG1H bit 3 clear.
TEST(ShippedDevicesIni, AJPartsBlankConfigurationCarriesItsForcedBits)
{
    constexpr std::uint8_t kConfig1HBit3 = 0x08;
    auto owner = std::make_unique<DeviceImage>();
    owner->setMaskSource(kShippedDevicesIni.string(), nullptr);
    int jParts = 0;
    for (const auto& [name, device] : shippedDevices()) {
        if (!configInFlash(device))
            continue;
        SCOPED_TRACE(name);
        ++jParts;
        owner->SelectDevice(device);
        owner->ClearImage(true);
        const MemoryImage& image = owner->image;
        EXPECT_EQ(image.programMemorySize, static_cast<std::uint32_t>(device.programMemorySize - kFlashConfigCount));
        EXPECT_EQ(configByteCount(device), kFlashConfigCount);
        for (int i = 1; i < kFlashConfigCount; i += 2)
            EXPECT_EQ(image.config[i] & 0xF0, 0xF0) << "byte " << i;
        EXPECT_EQ(image.config[CONFIG1H] & kConfig1HBit3, 0);
    }
    EXPECT_EQ(jParts, 93);

    owner->SelectDevice(shippedDevices().at("PIC18F46J50"));
    EXPECT_EQ(owner->image.programMemorySize, 65528U);
    EXPECT_EQ(configByteAddress(owner->device, owner->image, 0), 0xFFF8U);
}

// The 40- and 44-pin packages share one die, which stores ICPRT (CONFIG4L bit 5)
// whatever the package; the 28-pin parts have none.
TEST(ShippedDevicesIni, AHexThatSetsIcprtKeepsItOnTheFortyPinDie)
{
    constexpr std::uint8_t kIcprt = 0x20;
    const struct {
        const char* name;
        bool kept;
    } cases[] = {
        {"PIC18F4450", true},  {"PIC18F4455", true},  {"PIC18F4458", true},
        {"PIC18F4550", true},  {"PIC18F4553", true},  {"PIC18F2450", false},
        {"PIC18F2455", false}, {"PIC18F2458", false}, {"PIC18F2550", false}, {"PIC18F2553", false},
    };
    for (const auto& c : cases) {
        const ConfigMasks masks = Type3Masks(kShippedDevicesIni.string(), c.name, nullptr);
        const std::uint8_t fromHex = 0xE5;
        EXPECT_EQ(EffectiveConfigValue(fromHex, masks.mask[CONFIG4L], masks.setMask[CONFIG4L]) & kIcprt,
                  c.kept ? kIcprt : 0)
            << c.name;
    }
}

// What gpasm -s prints for a part: its program size (on the J parts the code below
// the configuration words), EEPROM size and configuration masks.
struct GputilsPart {
    std::int32_t programMemorySize = 0;
    std::int32_t eepromSize = 0;
    ConfigBlock mask{};
    std::array<bool, kConfigCount> listed{};
};

// `configBase` is where CONFIG1L lives: 300000h, or the top of flash on the J parts.
GputilsPart gputilsPart(const std::string& name, Address configBase)
{
    const test::ToolRun run = test::RunTool({kGpasm, "-s", "-p" + name.substr(3)});
    EXPECT_EQ(run.exitCode, 0) << run.printed;
    GputilsPart part;
    std::smatch match;
    if (std::regex_search(run.printed, match, std::regex(R"(Program Size\s*:\s*(\d+))")))
        part.programMemorySize = std::stoi(match[1]);
    if (std::regex_search(run.printed, match, std::regex(R"(EEPROM Range\s*:\s*0x([0-9A-F]+)\s*-\s*0x([0-9A-F]+))")))
        part.eepromSize = std::stoi(match[2], nullptr, 16) - std::stoi(match[1], nullptr, 16) + 1;
    const std::regex configWord(R"(Config Word\s*:\s*address = 0x([0-9A-F]+), mask = 0x([0-9A-F]+))");
    for (std::sregex_iterator word(run.printed.begin(), run.printed.end(), configWord), end; word != end; ++word) {
        const auto index = static_cast<Address>(std::stoul((*word)[1], nullptr, 16)) - configBase;
        if (index >= static_cast<Address>(kConfigCount)) {
            ADD_FAILURE() << "configuration word outside the device's configuration: " << (*word)[0];
            continue;
        }
        part.mask[index] = static_cast<std::uint8_t>(std::stoi((*word)[2], nullptr, 16));
        part.listed[index] = true;
    }
    return part;
}

// The J parts keep 1111b in the upper nibble of every odd configuration byte, and leave
// a byte the part lacks unprogrammed.
ConfigBlock flashConfigSetMask(const GputilsPart& part)
{
    constexpr std::uint8_t kForcedHighNibble = 0xF0;
    ConfigBlock setMask{};
    for (int i = 0; i < kFlashConfigCount; ++i) {
        if (!part.listed[i])
            setMask[i] = kBlank;
        else if (i % 2 == 1)
            setMask[i] = kForcedHighNibble;
    }
    return setMask;
}

// Which configuration bits a part implements is Microchip's word, not ours: a new
// section cannot drift from it unnoticed.
TEST(ShippedDevicesIni, EveryMaskAndSizeAgreesWithGputils)
{
    if (kGpasm.empty())
        GTEST_SKIP() << "gpasm (Debian package gputils) is not installed";
    IniFile ini;
    ASSERT_EQ(ini.load(kShippedDevicesIni), FileReadStatus::Read);
    auto owner = std::make_unique<DeviceImage>();
    for (const auto& [name, device] : shippedDevices()) {
        SCOPED_TRACE(name);
        owner->SelectDevice(device);
        const GputilsPart part = gputilsPart(name, configByteAddress(device, owner->image, 0));
        EXPECT_EQ(codeAreaSize(device), part.programMemorySize);
        EXPECT_EQ(device.eepromSize, part.eepromSize);
        if (device.configType != 3)
            continue;
        ConfigBlock mask{};
        ASSERT_TRUE(ParseMaskBytes(ini.getString(name, "Mask", ""), mask));
        EXPECT_EQ(mask, part.mask);
        if (!configInFlash(device))
            continue;
        ConfigBlock setMask{};
        ASSERT_TRUE(ParseMaskBytes(ini.getString(name, "SetMask", ""), setMask));
        EXPECT_EQ(setMask, flashConfigSetMask(part));
    }
}

} // namespace
} // namespace velmora
