// The port-speed estimate in the pin-interface library counts the calls and
// waits of a full read of a 32 KB / 256-byte chip; this is that read, counted.

#include <gtest/gtest.h>

#include "corvant/PortSpeed.h"
#include "tests/engine/EngineTestSupport.h"

namespace velmora::test {
namespace {

class FullReadCost : public EngineTest {};

TEST_F(FullReadCost, MatchesTheModelThePortSpeedEstimateUses)
{
    DeviceRecord chip = smallDevice();
    chip.programMemorySize = 32768;
    chip.eepromSize = 256;
    select(chip);
    window.run(OperationRead);
    ASSERT_EQ(engine.lastOutcome, OperationOutcome::Completed);

    EXPECT_EQ(pins.callCount(PinCallKind::Write), corvant::kFullReadWrites);
    EXPECT_EQ(pins.callCount(PinCallKind::Read), corvant::kFullReadReads);
    EXPECT_EQ(pins.now(), corvant::kFullReadWaitUnits);
}

} // namespace
} // namespace velmora::test
