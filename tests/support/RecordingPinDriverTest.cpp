// The fault injection and scripting other suites rely on.

#include <gtest/gtest.h>

#include "tests/support/PinTrace.h"
#include "tests/support/RecordingPinDriver.h"

using namespace velmora::test;

TEST(RecordingPinDriver, FailsTheKthCallOfAnyKindOnce)
{
    RecordingPinDriver driver;
    driver.failAtCall(3);
    std::uint8_t level = 0;
    EXPECT_TRUE(driver.programmerWrite(1, 0, 0));
    EXPECT_TRUE(driver.delay(5));
    EXPECT_FALSE(driver.programmerRead(&level));
    EXPECT_EQ(level, 1);  // a failed read may still have touched the byte
    EXPECT_TRUE(driver.programmerRead(&level));
    EXPECT_EQ(level, 0);
    const auto calls = driver.calls();
    ASSERT_EQ(calls.size(), 4U);
    EXPECT_FALSE(calls[2].succeeded);
    EXPECT_TRUE(calls[3].succeeded);
}

TEST(RecordingPinDriver, CountsOneKindApartFromTheOthers)
{
    RecordingPinDriver driver;
    driver.failAtCall(PinCallKind::Delay, 2);
    EXPECT_TRUE(driver.programmerWrite(0, 0, 0));
    EXPECT_TRUE(driver.delay(1));
    EXPECT_TRUE(driver.programmerWrite(0, 0, 0));
    EXPECT_TRUE(driver.programmerWrite(0, 0, 0));
    EXPECT_FALSE(driver.delay(7));
    EXPECT_TRUE(driver.delay(1));
    EXPECT_EQ(driver.now(), 2U);  // a failed wait does not pass time
    EXPECT_EQ(driver.callCount(PinCallKind::Write), 3U);
    EXPECT_EQ(driver.callCount(PinCallKind::Delay), 3U);
    EXPECT_EQ(driver.callCount(), 6U);

    // clear() forgets calls, counts, time and faults not yet reached.
    driver.failAtCall(7);
    driver.clear();
    EXPECT_TRUE(driver.calls().empty());
    EXPECT_EQ(driver.callCount(), 0U);
    EXPECT_EQ(driver.now(), 0U);
    for (int call = 0; call < 7; ++call) {
        EXPECT_TRUE(driver.programmerWrite(0, 0, 0));
    }
}

TEST(RecordingPinDriver, ReadsFollowTheScriptThenTheIdleLevel)
{
    RecordingPinDriver driver;
    driver.scriptDataIn({1, 0});
    driver.scriptDataInByte(0x06);
    driver.setIdleDataIn(1);
    std::vector<std::uint8_t> levels;
    for (int i = 0; i < 11; ++i) {
        std::uint8_t level = 9;
        ASSERT_TRUE(driver.programmerRead(&level));
        levels.push_back(level);
    }
    EXPECT_TRUE(sameBits(levels, {1, 0,  0, 1, 1, 0, 0, 0, 0, 0,  1}));
}

TEST(PinTrace, IncompleteFramesAndPulsesAreMarked)
{
    RecordingPinDriver driver;
    // Command 1001 (a read), then the trace stops with the clock high on the first padding bit.
    for (std::uint8_t bit : {1, 0, 0, 1}) {
        driver.programmerWrite(1, bit, 1);
        driver.delay(1);
        driver.programmerWrite(1, bit, 0);
        driver.delay(1);
    }
    driver.programmerWrite(1, 0, 1);
    driver.delay(3);
    const auto calls = driver.calls();
    const auto pulses = clockPulses(calls);
    ASSERT_EQ(pulses.size(), 5U);
    EXPECT_FALSE(pulses[4].fell);
    EXPECT_EQ(pulses[4].highTime(), 3U);
    EXPECT_TRUE(sameBits(latchedBits(calls), {1, 0, 0, 1}));
    const auto frames = decodeIcspFrames(calls);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].command, 0x9);
    EXPECT_FALSE(frames[0].complete);
    EXPECT_FALSE(frames[0].readValue);
}
