// Every chip model answers the device-ID read of the programming guide, and the
// table agrees with the Devices.ini the program ships.

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "devicedata/BuiltInMasks.h"
#include "devicedata/DeviceIdKeys.h"
#include "devicedata/IniFile.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/ParseMaskBytes.h"
#include "signalling/HW_Cntrl.h"
#include "sim/ChipModel.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/simharness/SimHarness.h"

namespace velmora::sim {
// Test names and failure messages show the chip, not the record's bytes.
void PrintTo(const ChipModel& model, std::ostream* out)
{
    *out << model.name;
}
} // namespace velmora::sim

namespace velmora::test {
namespace {

class EveryChipModel : public ::testing::TestWithParam<sim::ChipModel> {};

TEST_P(EveryChipModel, AnswersItsDeviceIdAndReadsErasedWhenNew)
{
    const sim::ChipModel& model = GetParam();
    SimHarness chip(model.name, {}, SimHarness::wiringFor(model));
    ASSERT_TRUE(chip.enterProgramMode());
    const auto devid = published::readBytes(0x3FFFFE, 2);
    const auto firstCode = published::readBytes(0, 4);
    const auto lastCode = published::readByte(model.programMemorySize - 1);
    const auto beyondCode = published::readByte(model.programMemorySize);
    const auto firstId = published::readByte(0x200000);
    const auto config = published::readBytes(0x300000, sim::kConfigByteCount);
    ASSERT_TRUE(ExitProgMode());

    ASSERT_EQ(devid.size(), 2U);
    EXPECT_EQ(((devid[1] << 8) | devid[0]) & 0xFFF0, model.deviceId) << model.name;
    EXPECT_EQ(firstCode, (std::vector<std::uint8_t> {0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(lastCode, 0xFF);
    EXPECT_EQ(beyondCode, 0x00) << "unimplemented program memory reads 0";
    EXPECT_EQ(firstId, sim::isJFamily(model.family) ? 0x00 : 0xFF) << "the J parts have no ID locations";
    ASSERT_EQ(config.size(), static_cast<std::size_t>(sim::kConfigByteCount));
    for (int i = 0; i < sim::kConfigByteCount; ++i)
        EXPECT_EQ(config[static_cast<std::size_t>(i)], model.configMask[static_cast<std::size_t>(i)])
            << "erased configuration byte " << i << ": implemented bits 1, the rest 0";
}

INSTANTIATE_TEST_SUITE_P(Table, EveryChipModel, ::testing::ValuesIn(sim::chipModels()),
                         [](const auto& info) { return std::string(info.param.name); });

std::map<std::string, DeviceRecord, std::less<>> devicesIniSections()
{
    DeviceList list;
    std::map<std::string, DeviceRecord, std::less<>> sections;
    EXPECT_TRUE(LoadDeviceList(list, VELMORA_DEVICES_INI));
    list.MoveTo(0);
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        DeviceRecord record = list.CopyCurrentAndAdvance();
        sections.emplace(record.name, std::move(record));
    }
    return sections;
}

// The configuration bits Devices.ini lets the user set, from the masks the program builds.
ConfigBlock userBits(const DeviceRecord& section)
{
    if (section.configType == 1)
        return Type1Masks(section).mask;
    if (section.configType == 2)
        return Type2Masks(section).mask;
    ConfigBlock mask {};
    IniFile ini;
    EXPECT_EQ(ini.load(VELMORA_DEVICES_INI), FileReadStatus::Read);
    EXPECT_TRUE(ParseMaskBytes(ini.getString(section.name, "Mask", ""), mask));
    return mask;
}

// The Family key a section of each simulated family must carry.
ProgrammingFamily familyKeyOf(sim::ChipFamily family)
{
    switch (family) {
    case sim::ChipFamily::K22: return ProgrammingFamily::K22;
    case sim::ChipFamily::OneXK22: return ProgrammingFamily::OneXK22;
    case sim::ChipFamily::K20: return ProgrammingFamily::K20;
    case sim::ChipFamily::J10: return ProgrammingFamily::J10;
    case sim::ChipFamily::J2X4X: return ProgrammingFamily::J2X4X;
    case sim::ChipFamily::J6X8X: return ProgrammingFamily::J6X8X;
    case sim::ChipFamily::J60: return ProgrammingFamily::J60;
    case sim::ChipFamily::PanelWrite:
    case sim::ChipFamily::BufferWrite: return ProgrammingFamily::Classic;
    }
    return ProgrammingFamily::Classic;
}

// Devices.ini is what the user believes, the models what the silicon is: the two are
// written apart from the documents, and each chip must answer as its own section.
TEST(ChipTable, AgreesWithEveryDevicesIniSection)
{
    const auto sections = devicesIniSections();
    EXPECT_EQ(sections.size(), sim::chipModels().size());
    for (const sim::ChipModel& model : sim::chipModels()) {
        SCOPED_TRACE(model.name);
        const auto found = sections.find(model.name);
        ASSERT_NE(found, sections.end());
        const DeviceRecord& section = found->second;
        EXPECT_EQ(static_cast<std::uint32_t>(section.programMemorySize), model.programMemorySize);
        EXPECT_EQ(static_cast<std::uint32_t>(section.eepromSize), model.eepromSize);
        EXPECT_EQ(static_cast<std::uint32_t>(section.writeBufferSize), model.writeBufferSize);
        EXPECT_EQ(section.writeStrategy == WriteStrategy::Panels, model.family == sim::ChipFamily::PanelWrite);
        EXPECT_EQ(section.family, familyKeyOf(model.family));
        EXPECT_EQ(section.deviceId, model.deviceId);
        ConfigBlock implemented {};
        std::ranges::copy(model.configMask, implemented.begin());
        // Type 2 leaves CCP2MX and ECCPMX (CONFIG3H bits 0 and 1) out of the user's control.
        if (section.configType == 2)
            implemented[CONFIG3H] &= 0xFC;
        EXPECT_EQ(userBits(section), implemented);

        SimHarness chip(model.name, {}, SimHarness::wiringFor(model));
        ASSERT_TRUE(chip.enterProgramMode());
        const auto devid = published::readBytes(0x3FFFFE, 2);
        ASSERT_TRUE(ExitProgMode());
        ASSERT_EQ(devid.size(), 2U);
        const auto raw = static_cast<std::uint16_t>((devid[1] << 8) | devid[0]);
        EXPECT_TRUE(MatchesDeviceId(section, raw)) << "the chip answers as its own section";
        EXPECT_NE(DeviceRevision(section, raw), 0) << "a revision is read too";
    }
}

TEST(ChipTable, NamesAreUniqueAndFoundInAnyCase)
{
    std::set<std::string> names;
    for (const sim::ChipModel& model : sim::chipModels())
        EXPECT_TRUE(names.insert(std::string(model.name)).second) << model.name;
    EXPECT_EQ(sim::findChipModel("pic18f4550"), sim::findChipModel("PIC18F4550"));
    EXPECT_EQ(sim::findChipModel("PIC18F455"), nullptr);
    EXPECT_EQ(sim::findChipModel(""), nullptr);
}

TEST(ChipTable, CodeBlocksTileProgramMemoryAboveTheBootBlock)
{
    for (const sim::ChipModel& model : sim::chipModels()) {
        ASSERT_GT(model.codeBlockCount(), 0) << model.name;
        EXPECT_EQ(model.codeBlockSize() * static_cast<std::uint32_t>(model.codeBlockCount()),
                  model.programMemorySize) << model.name;
        EXPECT_LT(model.bootBlockSize, model.codeBlockSize()) << model.name;
        EXPECT_EQ(model.programMemorySize % model.writeBufferSize, 0U) << model.name;
        const bool powerOfTwoEeprom = (model.eepromSize & (model.eepromSize - 1)) == 0;
        EXPECT_TRUE(powerOfTwoEeprom) << model.name;
    }
}

} // namespace
} // namespace velmora::test
