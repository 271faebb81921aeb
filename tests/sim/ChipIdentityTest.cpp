// Every chip model answers the device-ID read of the programming guide, and
// the table holds what the published documents say about the chips the program uses.

#include <ostream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "sim/ChipModel.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/support/Pic18Facts.h"
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
    EXPECT_EQ(((devid[1] << 8) | devid[0]) & 0xFFF0, model.deviceId) << model.name;
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

TEST(ChipTable, HoldsEveryPublishedChipWithItsFacts)
{
    EXPECT_EQ(sim::chipModels().size(), std::size(kPic18Facts));
    for (const Pic18Facts& fact : kPic18Facts) {
        SCOPED_TRACE(fact.name);
        const sim::ChipModel* model = sim::findChipModel(fact.name);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(model->family,
                  fact.writeStrategy == 1 ? sim::ChipFamily::PanelWrite : sim::ChipFamily::BufferWrite);
        EXPECT_EQ(model->programMemorySize, fact.programMemorySize);
        EXPECT_EQ(model->eepromSize, fact.eepromSize);
        EXPECT_EQ(model->writeBufferSize, fact.writeBufferSize);
        EXPECT_EQ(model->deviceId, fact.deviceId);
        EXPECT_EQ(model->configMask, fact.implementedConfigBits);

        SimHarness chip(fact.name);
        ASSERT_TRUE(EnterProgMode());
        const auto devid = published::readBytes(0x3FFFFE, 2);
        ASSERT_TRUE(ExitProgMode());
        ASSERT_EQ(devid.size(), 2U);
        const auto raw = static_cast<std::uint16_t>((devid[1] << 8) | devid[0]);
        EXPECT_EQ(raw & fact.deviceIdMask, fact.deviceId) << "the chip answers as its own device";
        EXPECT_NE(raw & ~fact.deviceIdMask, 0) << "a revision is read too";
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
