// Every operation on every simulated chip that Devices.ini knows, with a sparse image
// that reaches program memory, the EEPROM cells past 256, the IDs and configuration.
// The simulated chip fails the test on any timing violation it records.

#include <gtest/gtest.h>

#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"
#include "engine/DifferenceReport.h"
#include "engine/EngineTexts.h"
#include "sim/ChipModel.h"
#include "tests/engine/ChipUnderTest.h"

namespace velmora::test {
namespace {

bool inDevicesIni(std::string_view name)
{
    DeviceList list;
    if (!LoadDeviceList(list, VELMORA_DEVICES_INI))
        return false;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        list.MoveTo(i);
        if (list.CopyCurrent().name == name)
            return true;
    }
    return false;
}

void fillSparse(DeviceImage& data)
{
    MemoryImage& image = data.image;
    const std::uint32_t last = image.programMemorySize - 16;
    for (std::uint32_t a : {std::uint32_t{0}, image.programMemorySize / 2, last}) {
        for (std::uint32_t i = 0; i < 16; ++i) {
            image.programMemory[a + i] = static_cast<std::uint8_t>(0x11 * i + a);
            data.SetProgramPresent(a + i, true);
        }
    }
    for (std::uint32_t e = 0; e < image.eepromSize; e += 97) {
        image.eeprom[e] = static_cast<std::uint8_t>(e);
        data.SetEepromPresent(e, true);
    }
    for (int i = 0; i < kIdCount; ++i)
        image.ids[i] = static_cast<std::uint8_t>(0xA0 + i);
}

class EveryChipModel : public ::testing::TestWithParam<sim::ChipModel> {};

TEST_P(EveryChipModel, EveryOperationRunsWithinTheChipsTiming)
{
    const std::string name(GetParam().name);
    if (!inDevicesIni(name))
        GTEST_SKIP() << name << " has no Devices.ini section";
    ChipUnderTest t(name);
    fillSparse(t.engine.data());

    t.run(OperationProgram);
    ASSERT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed})
        << t.sim.describeViolations();
    t.run(OperationVerify);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{verifyReport(false)});
    t.run(OperationRead);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kReadPerformed});
    t.run(OperationErase);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kErasingPerformed});
    t.run(OperationBlankCheck);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kDeviceIsBlank});
    EXPECT_EQ(t.sim.violations().size(), 0U) << t.sim.describeViolations();
}

INSTANTIATE_TEST_SUITE_P(Models, EveryChipModel, ::testing::ValuesIn(sim::chipModels().begin(), sim::chipModels().end()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora::test
