// Every operation on every simulated chip that Devices.ini knows, with a sparse image
// that reaches program memory, the EEPROM cells past 256, the IDs and configuration.
// The simulated chip fails the test on any timing violation it records.

#include <chrono>

#include <gtest/gtest.h>

#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"
#include "sim/ChipModel.h"
#include "tests/engine/ChipUnderTest.h"

namespace velmora::sim {
// gtest names the chip in failure messages instead of dumping its bytes.
void PrintTo(const ChipModel& model, std::ostream* out)
{
    *out << model.name;
}
} // namespace velmora::sim

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

// Without a progress window: the postings go nowhere and cost nothing, the outcome
// tells how the operation ended.
OperationOutcome runWithoutWindow(TPICPr& engine, std::uint8_t code)
{
    engine.setBridge(nullptr);
    engine.start(code);
    while (!engine.waitIdle(std::chrono::milliseconds(10))) {
    }
    return engine.lastOutcome;
}

TEST_P(EveryChipModel, EveryOperationRunsWithinTheChipsTiming)
{
    const std::string name(GetParam().name);
    if (!inDevicesIni(name))
        GTEST_SKIP() << name << " has no Devices.ini section";
    ChipUnderTest t(name);
    fillSparse(t.engine.data());

    // Whole program-memory passes add no new sequence: the programming verify reads
    // only present bytes, and only the blank check after the erase reads all of it.
    t.engine.options.fastVerify = true;
    for (std::uint8_t code : {OperationProgram, OperationVerify, OperationRead, OperationErase, OperationBlankCheck}) {
        t.engine.options.programMemory = code == OperationProgram || code == OperationErase;
        EXPECT_EQ(runWithoutWindow(t.engine, code), OperationOutcome::Completed) << "operation " << int{code};
    }
    EXPECT_EQ(t.sim.violations().size(), 0U) << t.sim.describeViolations();
}

INSTANTIATE_TEST_SUITE_P(Models, EveryChipModel, ::testing::ValuesIn(sim::chipModels().begin(), sim::chipModels().end()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora::test
