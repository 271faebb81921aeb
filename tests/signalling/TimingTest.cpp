// Minimum waits in virtual time: each is what the chip needs, and waits only grow.

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "tests/signalling/SignallingFixture.h"
#include "tests/support/PinTrace.h"

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr std::uint64_t UnitsPerMillisecond = 200;

} // namespace

TEST_F(SignallingTest, EnterProgModeTakesAtLeast200_015Milliseconds)
{
    ASSERT_TRUE(EnterProgMode());
    EXPECT_GE(driver.now(), 40003U);
    const auto writes = writesOf(driver.calls());
    ASSERT_EQ(writes.size(), 3U);
    EXPECT_GE(writes[1].time - writes[0].time, 200 * UnitsPerMillisecond);  // parked before Vpp
    EXPECT_GE(driver.now() - writes[2].time, 2U);                          // Vpp settled before data
}

TEST_F(SignallingTest, EraseWaitKeepsLinesIdleFor5_1MillisecondsBeforeTheOperand)
{
    ASSERT_TRUE(SendCommandEraseWait(0x8, 0x0001));  // bit 3 set: data must fall after the 4th clock
    const auto calls = driver.calls();
    const auto pulses = clockPulses(calls);
    ASSERT_EQ(pulses.size(), 20U);
    EXPECT_GE(linesIdleSpan(calls, pulses[3].fallTime), 1020U);
    EXPECT_GE(pulses[4].riseTime - pulses[3].fallTime, 1021U);
    EXPECT_TRUE(sameBits(latchedBits(calls), concatBits({bitsLsbFirst(0x8, 4), bitsLsbFirst(1, 16)})));
}

TEST_F(SignallingTest, ProgramWaitHoldsTheFourthClockHighThenDischarges)
{
    ASSERT_TRUE(SendCommandProgramWait(0x8, 0x0000));
    const auto calls = driver.calls();
    const auto pulses = clockPulses(calls);
    ASSERT_EQ(pulses.size(), 20U);
    EXPECT_GE(pulses[3].highTime(), 201U);             // 1.005 ms programming pulse
    EXPECT_EQ(pulses[3].data, 1);                       // still carries command bit 3
    EXPECT_GE(pulses[4].riseTime - pulses[3].fallTime, 21U);  // clock low > 100 us
    for (std::size_t i = 0; i < pulses.size(); ++i) {
        if (i != 3) {
            EXPECT_EQ(pulses[i].highTime(), 1U) << "pulse " << i;
        }
    }
}
