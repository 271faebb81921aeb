// The engine's own count of a full read, which judges a port's speed, and the
// full read that GetDllInfo's words speak of.

#include <ostream>

#include <gtest/gtest.h>

#include "corvant/PortSpeed.h"
#include "engine/OperationTime.h"
#include "engine/SlowPortWarning.h"
#include "tests/engine/EngineTestSupport.h"

namespace corvant {
inline void PrintTo(const PinWork& work, std::ostream* out)
{
    *out << work.writes << " writes, " << work.reads << " reads, " << work.waitUnits << " wait units";
}
} // namespace corvant

namespace velmora::test {
namespace {

class FullReadCost : public EngineTest {};

TEST_F(FullReadCost, CountsEveryCallAndWaitOfTheRead)
{
    DeviceRecord chip;
    chip.programMemorySize = 64;
    chip.eepromSize = 16;
    select(chip);
    window.run(OperationRead);
    ASSERT_EQ(engine.lastOutcome, OperationOutcome::Completed);

    const corvant::PinWork counted = countFullRead(chip.programMemorySize, chip.eepromSize);
    EXPECT_EQ(counted.writes, pins.callCount(PinCallKind::Write));
    EXPECT_EQ(counted.reads, pins.callCount(PinCallKind::Read));
    EXPECT_EQ(counted.waitUnits, pins.now());
    EXPECT_EQ(&currentPinDriver(), &pins) << "the driver in place before is back";
}

// The words are for people; when the protocol changes, they follow it here.
TEST(FullReadOf32KChip, IsTheReadGetDllInfosWordsSpeakOf)
{
    EXPECT_EQ(referenceFullRead(), corvant::kWordsFullRead);
}

// The warning both front ends give: only for a port whose costs make the counted full
// read more than three times the protocol's own time, without the library's name.
std::uint8_t CORVANT_CALL serialAdapterCosts(std::uint32_t* write, std::uint32_t* read)
{
    *write = 1100000;
    *read = 1000000;
    return 1;
}
std::uint8_t CORVANT_CALL parallelPortCosts(std::uint32_t* write, std::uint32_t* read)
{
    *write = 1000;
    *read = 1000;
    return 1;
}
std::uint8_t CORVANT_CALL noPortOpen(std::uint32_t*, std::uint32_t*)
{
    return 0;
}

TEST(SlowPortWarning, OnlyForAPortTooSlowForTheProtocol)
{
    const auto costs = lineCostsFrom(&serialAdapterCosts);
    ASSERT_TRUE(costs);
    EXPECT_DOUBLE_EQ(costs->writeSeconds, 1.1e-3);
    EXPECT_EQ(slowPortWarning("corvant " VELMORA_VERSION ", JDM on /dev/ttyUSB0", costs),
              "Warning: this port is slow. JDM on /dev/ttyUSB0");
    EXPECT_FALSE(slowPortWarning("corvant " VELMORA_VERSION ", JDM", lineCostsFrom(&parallelPortCosts)));
    EXPECT_FALSE(lineCostsFrom(&noPortOpen));
    EXPECT_FALSE(lineCostsFrom(nullptr));
    EXPECT_FALSE(slowPortWarning("anything", std::nullopt));
}

} // namespace
} // namespace velmora::test
