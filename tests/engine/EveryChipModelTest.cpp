// Every operation on every simulated chip that Devices.ini knows, with a sparse image
// that reaches program memory, the EEPROM cells past 256, the IDs and configuration.
// The simulated chip fails the test on any timing violation it records.

#include <chrono>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "sim/ChipModel.h"
#include "tests/engine/ChipUnderTest.h"

namespace velmora::test {
namespace {

// The family's low-voltage entry: the key on MCLR alone, else PGM and MCLR.
EntryWiring lowVoltageWiring(ProgrammingFamily family)
{
    return factsFor(family).keyEntry ? EntryWiring::MclrOnly : EntryWiring::PgmPin;
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

// Each model with high-voltage entry; the parts with a Family key once more with their
// low-voltage entry, the J parts, which have no high-voltage mode, only with it.
struct Sweep {
    sim::ChipModel model;
    bool lowVoltage;
};

// gtest names the run in failure messages instead of dumping the model's bytes.
void PrintTo(const Sweep& run, std::ostream* out)
{
    *out << run.model.name << (run.lowVoltage ? " low-voltage" : "");
}

class EveryChipModel : public ::testing::TestWithParam<Sweep> {};

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
    const std::string name(GetParam().model.name);
    const std::optional<DeviceRecord> section = devicesIniSection(name);
    if (!section)
        GTEST_SKIP() << name << " has no Devices.ini section";
    const EntryWiring wiring = GetParam().lowVoltage ? lowVoltageWiring(section->family) : EntryWiring::HighVoltage;
    ChipUnderTest t(name, {}, {}, wiring);
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

std::vector<Sweep> sweep()
{
    std::vector<Sweep> runs;
    for (const sim::ChipModel& model : sim::chipModels()) {
        if (!sim::isJFamily(model.family))
            runs.push_back({model, false});
        // The classic parts' PGM entry has its own tests; the newer families' entries are swept.
        if (model.family != sim::ChipFamily::PanelWrite && model.family != sim::ChipFamily::BufferWrite)
            runs.push_back({model, true});
    }
    return runs;
}

INSTANTIATE_TEST_SUITE_P(Models, EveryChipModel, ::testing::ValuesIn(sweep()), [](const auto& info) {
    return std::string(info.param.model.name) + (info.param.lowVoltage ? "LowVoltage" : "");
});

} // namespace
} // namespace velmora::test
