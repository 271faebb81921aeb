// The engine's own count of a full read, which judges a port's speed, and the
// full read that GetDllInfo's words speak of.

#include <ostream>

#include <gtest/gtest.h>

#include "corvant/PortSpeed.h"
#include "engine/OperationTime.h"
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

} // namespace
} // namespace velmora::test
