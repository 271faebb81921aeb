// Minimum waits in virtual time: each is what the chip needs, and waits only grow.

#include <optional>

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "tests/signalling/SignallingFixture.h"
#include "tests/support/PinTrace.h"

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr std::uint64_t UnitsPerMillisecond = 200;

// Sends one frame once without waits (the classic default) and once with a family's
// own, and checks each trace and its 20 clock pulses against the waits in force.
template <typename Waits, typename Send, typename Check>
void withDefaultAndGiven(RecordingPinDriver& driver, const Waits& classic, const Waits& given, const Send& send,
                         const Check& check)
{
    for (const bool useGiven : {false, true}) {
        SCOPED_TRACE(useGiven ? "the family's waits" : "the default waits");
        driver.clear();
        ASSERT_TRUE(send(useGiven ? std::optional<Waits>{given} : std::nullopt));
        const auto calls = driver.calls();
        const auto pulses = clockPulses(calls);
        ASSERT_EQ(pulses.size(), 20U);
        check(useGiven ? given : classic, calls, pulses);
    }
}

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

// The classic parts' waits by default; a family's own (K22: P11 15 ms, P10 200 us) when given.
TEST_F(SignallingTest, EraseWaitKeepsLinesIdleForEraseAndDischargeBeforeTheOperand)
{
    const auto send = [](const std::optional<EraseWaits>& given) {
        return given ? SendCommandEraseWait(0x8, 0x0001, *given) : SendCommandEraseWait(0x8, 0x0001);
    };
    const auto check = [](const EraseWaits& waits, const auto& calls, const auto& pulses) {
        const std::uint64_t idle = waits.eraseUnits + waits.dischargeUnits;
        EXPECT_GE(linesIdleSpan(calls, pulses[3].fallTime), idle);
        EXPECT_GE(pulses[4].riseTime - pulses[3].fallTime, idle + 1);
        EXPECT_TRUE(sameBits(latchedBits(calls), concatBits({bitsLsbFirst(0x8, 4), bitsLsbFirst(1, 16)})));
    };
    withDefaultAndGiven(driver, kClassicEraseWaits, EraseWaits{3000, 40}, send, check);
    EXPECT_EQ(kClassicEraseWaits.eraseUnits + kClassicEraseWaits.dischargeUnits, 1020U);   // 5.1 ms
}

// Classic: a 1.005 ms pulse and 100 us low; P9A (5 ms) and the K22's 200 us when given.
TEST_F(SignallingTest, ProgramWaitHoldsTheFourthClockHighThenDischarges)
{
    const auto send = [](const std::optional<WriteWaits>& given) {
        return given ? SendCommandProgramWait(0x8, 0x0000, *given) : SendCommandProgramWait(0x8, 0x0000);
    };
    const auto check = [](const WriteWaits& waits, const auto&, const auto& pulses) {
        EXPECT_GE(pulses[3].highTime(), waits.pulseUnits + 1);
        EXPECT_EQ(pulses[3].data, 1);   // still carries command bit 3
        EXPECT_GE(pulses[4].riseTime - pulses[3].fallTime, waits.dischargeUnits + 1);
        for (std::size_t i = 0; i < pulses.size(); ++i) {
            if (i != 3) {
                EXPECT_EQ(pulses[i].highTime(), 1U) << "pulse " << i;
            }
        }
    };
    withDefaultAndGiven(driver, kClassicWriteWaits, WriteWaits{1000, 40}, send, check);
    EXPECT_EQ(kClassicWriteWaits.pulseUnits, 200U);   // with the half clock 1.005 ms (P9 >= 1 ms)
    EXPECT_EQ(kClassicWriteWaits.dischargeUnits, 20U);
}

// Each wait of the key entry separates what it must, whatever the family asks.
TEST_F(SignallingTest, KeyEntryWaitsBeforeTheKeyAfterItAndBeforeTheFirstCommand)
{
    const KeyEntryWaits waits{200, 3, 80};
    ASSERT_TRUE(EnterProgModeByKey(waits));
    const auto calls = driver.calls();
    const auto writes = writesOf(calls);
    const auto pulses = clockPulses(calls);
    ASSERT_EQ(pulses.size(), 32U);
    ASSERT_EQ(writes.size(), 68U);
    const std::uint64_t mclrFell = writes[2].time;
    const std::uint64_t mclrRose = writes.back().time;
    EXPECT_GE(mclrFell - writes[1].time, 1U);   // MCLR high for a moment
    EXPECT_GE(pulses.front().riseTime - mclrFell, waits.beforeKeyUnits);
    EXPECT_GE(mclrRose - pulses.back().fallTime, waits.afterKeyUnits);
    EXPECT_GE(driver.now() - mclrRose, waits.firstCommandUnits);
}
