// Every chip model answers the device-ID read of the programming guide, and
// the table holds what the published documents say about the chips the program uses.

#include <ostream>
#include <set>
#include <string>

#include <gtest/gtest.h>

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
    SimHarness chip(model.name);
    ASSERT_TRUE(EnterProgMode());
    const auto devid = published::readBytes(0x3FFFFE, 2);
    const auto firstCode = published::readBytes(0, 4);
    const auto lastCode = published::readByte(model.programMemorySize - 1);
    const auto beyondCode = published::readByte(model.programMemorySize);
    const auto config = published::readBytes(0x300000, sim::kConfigByteCount);
    ASSERT_TRUE(ExitProgMode());

    ASSERT_EQ(devid.size(), 2U);
    EXPECT_EQ(((devid[1] << 8) | devid[0]) & 0xFFE0, model.deviceId) << model.name;
    EXPECT_EQ(devid[0] & 0x10, 0) << "revision bit 4 would name the 2423 twin";
    EXPECT_EQ(firstCode, (std::vector<std::uint8_t> {0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(lastCode, 0xFF);
    EXPECT_EQ(beyondCode, 0x00) << "unimplemented program memory reads 0";
    ASSERT_EQ(config.size(), static_cast<std::size_t>(sim::kConfigByteCount));
    for (int i = 0; i < sim::kConfigByteCount; ++i)
        EXPECT_EQ(config[static_cast<std::size_t>(i)], model.configMask[static_cast<std::size_t>(i)])
            << "erased configuration byte " << i << ": implemented bits 1, the rest 0";
}

INSTANTIATE_TEST_SUITE_P(Table, EveryChipModel, ::testing::ValuesIn(sim::chipModels()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChipTable, HoldsTheChipsTheProgramNamesWithTheirPublishedFacts)
{
    struct Expected {
        const char* name;
        sim::ChipFamily family;
        std::uint32_t program;
        std::uint32_t eeprom;
        std::uint32_t buffer;
        std::uint16_t devid;
    };
    // DS39622L Table 5-2, DS39583C, and the DS39576 generation.
    const Expected expected[] = {
        {"PIC18F452", sim::ChipFamily::PanelWrite, 32768, 256, 8, 0x0420},
        {"PIC18F252", sim::ChipFamily::PanelWrite, 32768, 256, 8, 0x0400},
        {"PIC18F242", sim::ChipFamily::PanelWrite, 16384, 256, 8, 0x0480},
        {"PIC18F458", sim::ChipFamily::PanelWrite, 32768, 256, 8, 0x0860},
        {"PIC18F8720", sim::ChipFamily::PanelWrite, 131072, 1024, 8, 0x0600},
        {"PIC18F4520", sim::ChipFamily::BufferWrite, 32768, 256, 32, 0x1080},
        {"PIC18F4550", sim::ChipFamily::BufferWrite, 32768, 256, 32, 0x1200},
        {"PIC18F4620", sim::ChipFamily::BufferWrite, 65536, 1024, 64, 0x0C00},
        {"PIC18F2550", sim::ChipFamily::BufferWrite, 32768, 256, 32, 0x1240},
        {"PIC18F2410", sim::ChipFamily::BufferWrite, 16384, 0, 32, 0x1160},
    };
    for (const Expected& chip : expected) {
        const sim::ChipModel* model = sim::findChipModel(chip.name);
        ASSERT_NE(model, nullptr) << chip.name;
        EXPECT_EQ(model->family, chip.family) << chip.name;
        EXPECT_EQ(model->programMemorySize, chip.program) << chip.name;
        EXPECT_EQ(model->eepromSize, chip.eeprom) << chip.name;
        EXPECT_EQ(model->writeBufferSize, chip.buffer) << chip.name;
        EXPECT_EQ(model->deviceId, chip.devid) << chip.name;
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
