// What the target sees on its lines: bit order, edges and levels of every operation.

#include <cstdint>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "signalling/PinDriver.h"
#include "tests/signalling/SignallingFixture.h"
#include "tests/support/PinTrace.h"

using namespace velmora;
using namespace velmora::test;

namespace {

struct Levels {
    std::uint8_t vpp;
    std::uint8_t data;
    std::uint8_t clock;
};

std::vector<Levels> writtenLevels(const std::vector<PinCall>& calls)
{
    std::vector<Levels> levels;
    for (const PinCall& write : writesOf(calls)) {
        levels.push_back({write.vpp, write.data, write.clock});
    }
    return levels;
}

std::vector<std::uint32_t> delayUnits(const std::vector<PinCall>& calls)
{
    std::vector<std::uint32_t> units;
    for (const PinCall& call : calls) {
        if (call.kind == PinCallKind::Delay) {
            units.push_back(call.units);
        }
    }
    return units;
}

MATCHER_P3(LinesAre, vpp, data, clock, "")
{
    return arg.vpp == vpp && arg.data == data && arg.clock == clock;
}

} // namespace

using ::testing::ElementsAre;

TEST_F(SignallingTest, EnterProgModeParksDataHighThenRaisesVppWithLinesLow)
{
    ASSERT_TRUE(EnterProgMode());
    const auto calls = driver.calls();
    EXPECT_THAT(writtenLevels(calls), ElementsAre(LinesAre(0, 1, 0), LinesAre(0, 0, 0), LinesAre(1, 0, 0)));
    EXPECT_THAT(delayUnits(calls), ElementsAre(40000U, 1U, 2U));
    ASSERT_EQ(calls.size(), 6U);
    EXPECT_EQ(calls[1].kind, PinCallKind::Delay);   // each write is followed by its wait
    EXPECT_EQ(calls[3].kind, PinCallKind::Delay);
    EXPECT_EQ(pinState().vpp, 1);
}

// MCLR pulsed high and low with data and clock low, the key "MCHP" most significant
// bit first (unlike every command and operand), then MCLR raised and held.
TEST_F(SignallingTest, KeyEntryPulsesMclrThenClocksTheKeyMostSignificantBitFirst)
{
    ASSERT_TRUE(EnterProgModeByKey({200, 1, 80}));
    const auto calls = driver.calls();
    const auto levels = writtenLevels(calls);
    ASSERT_EQ(levels.size(), 3U + 32U * 2U + 1U);
    EXPECT_THAT(std::vector<Levels>(levels.begin(), levels.begin() + 3),
                ElementsAre(LinesAre(0, 0, 0), LinesAre(1, 0, 0), LinesAre(0, 0, 0)));
    EXPECT_THAT(levels.back(), LinesAre(1, 0, 0));
    for (std::size_t i = 3; i + 1 < levels.size(); ++i) {
        EXPECT_EQ(levels[i].vpp, 0) << "MCLR stays low through the key, write " << i;
    }
    std::vector<std::uint8_t> msbFirst;
    for (int bit = 31; bit >= 0; --bit) {
        msbFirst.push_back(static_cast<std::uint8_t>((0x4D434850U >> bit) & 1U));
    }
    EXPECT_TRUE(sameBits(latchedBits(calls), msbFirst));
    EXPECT_EQ(pinState().vpp, 1);
}

TEST_F(SignallingTest, ExitProgModeDropsAllLines)
{
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(SendCommandEraseWait(0x08, 0xFFFF));  // leaves data and clock low, Vpp high
    pinState().data = 1;
    pinState().clock = 1;
    driver.clear();
    ASSERT_TRUE(ExitProgMode());
    const auto calls = driver.calls();
    EXPECT_THAT(writtenLevels(calls), ElementsAre(LinesAre(0, 0, 0)));
    EXPECT_THAT(delayUnits(calls), ElementsAre(1U));
    EXPECT_EQ(pinState().vpp, 0);
    EXPECT_EQ(pinState().data, 0);
    EXPECT_EQ(pinState().clock, 0);
}

TEST_F(SignallingTest, ClockOutBitChangesDataWithTheRisingEdge)
{
    pinState().vpp = 1;
    ASSERT_TRUE(ClockOutBit(1));
    ASSERT_TRUE(ClockOutBit(0));
    const auto calls = driver.calls();
    EXPECT_THAT(writtenLevels(calls),
                ElementsAre(LinesAre(1, 1, 1), LinesAre(1, 1, 0), LinesAre(1, 0, 1), LinesAre(1, 0, 0)));
    EXPECT_THAT(delayUnits(calls), ElementsAre(1U, 1U, 1U, 1U));
    EXPECT_TRUE(sameBits(latchedBits(calls), {1, 0}));
}

TEST_F(SignallingTest, SendCommandSendsOperandLeastSignificantBitFirst)
{
    ASSERT_TRUE(SendCommand(0x0, 0x0E00));
    const auto calls = driver.calls();
    EXPECT_TRUE(sameBits(latchedBits(calls), {0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0}));

    const std::vector<ClockPulse> pulses = clockPulses(calls);
    ASSERT_EQ(pulses.size(), 20U);
    for (const ClockPulse& pulse : pulses) {
        EXPECT_EQ(pulse.highTime(), 1U);
    }
    // Idle write and a 5 us gap after the command and after the operand.
    EXPECT_EQ(pulses[4].riseTime - pulses[3].fallTime, 2U);
    EXPECT_EQ(driver.now() - pulses[19].fallTime, 2U);
    EXPECT_EQ(driver.callCount(PinCallKind::Write), 42U);
    EXPECT_EQ(driver.now(), 42U);
    EXPECT_EQ(pinState().data, 0);
    EXPECT_EQ(pinState().clock, 0);
}

TEST_F(SignallingTest, CommandsAndOperandsDecodeBackUnchanged)
{
    ASSERT_TRUE(SendCommand(IcspCommand::TableWritePostIncrement2, 0x3C40));
    ASSERT_TRUE(SendCommand(IcspCommand::TableWriteStartProgramming, 0xA55A));
    ASSERT_TRUE(SendCommandProgramWait(IcspCommand::CoreInstruction, 0x0000));
    ASSERT_TRUE(SendCommandEraseWait(0x0, 0x8001));
    const auto frames = decodeIcspFrames(driver.calls());
    ASSERT_EQ(frames.size(), 4U);
    EXPECT_EQ(frames[0].command, 0xD);
    EXPECT_EQ(frames[0].operand, 0x3C40);
    EXPECT_EQ(frames[1].command, 0xF);
    EXPECT_EQ(frames[1].operand, 0xA55A);
    EXPECT_EQ(frames[2].command, 0x0);
    EXPECT_EQ(frames[2].operand, 0x0000);
    EXPECT_EQ(frames[3].operand, 0x8001);
    for (const IcspFrame& frame : frames) {
        EXPECT_TRUE(frame.complete);
    }
}

TEST_F(SignallingTest, OnlyTheLowFourCommandBitsAreSent)
{
    ASSERT_TRUE(SendCommand(0xF3, 0x1234));
    ASSERT_TRUE(SendCommandEraseWait(0xA0, 0x0000));
    ASSERT_TRUE(SendCommandProgramWait(0x70, 0x0000));
    std::uint8_t value = 0;
    ASSERT_TRUE(SendCommandReadByte(0x39, value));
    const auto expected = concatBits({bitsLsbFirst(0x3, 4), bitsLsbFirst(0x1234, 16),
                                      bitsLsbFirst(0x0, 4), bitsLsbFirst(0, 16),
                                      bitsLsbFirst(0x0, 4), bitsLsbFirst(0, 16),
                                      bitsLsbFirst(0x9, 4), bitsLsbFirst(0, 8), std::vector<std::uint8_t>(8, 1)});
    EXPECT_TRUE(sameBits(latchedBits(driver.calls()), expected));
}

TEST_F(SignallingTest, VppStaysUpThroughEveryBitLevelStep)
{
    ASSERT_TRUE(EnterProgMode());
    driver.clear();
    std::uint8_t value = 0;
    ASSERT_TRUE(SendCommand(0x0, 0xFFFF));
    ASSERT_TRUE(SendCommandEraseWait(0x0, 0x0000));
    ASSERT_TRUE(SendCommandProgramWait(0xF, 0xFFFF));
    ASSERT_TRUE(SendCommandReadByte(0x9, value));
    const auto writes = writesOf(driver.calls());
    ASSERT_FALSE(writes.empty());
    for (const PinCall& write : writes) {
        EXPECT_EQ(write.vpp, 1);
    }
}

// The first bit read is the least significant, any non-zero level is a one, and every
// byte value comes back unchanged.
TEST_F(SignallingTest, ReadByteAssemblesTheBitsLeastSignificantFirst)
{
    std::uint8_t value = 0;
    driver.scriptDataIn({0x40, 0, 0xFF, 0, 0, 0, 2, 0});
    ASSERT_TRUE(SendCommandReadByte(0x8, value));
    EXPECT_EQ(value, 0x45);
    for (unsigned byte = 0; byte < 256; ++byte) {
        driver.scriptDataInByte(static_cast<std::uint8_t>(byte));
        value = static_cast<std::uint8_t>(~byte);
        ASSERT_TRUE(SendCommandReadByte(IcspCommand::TableReadPostIncrement, value));
        ASSERT_EQ(value, byte);
    }
}

TEST_F(SignallingTest, ReadByteSamplesWithDataReleasedHigh)
{
    driver.scriptDataInByte(0xC3);
    std::uint8_t value = 0;
    ASSERT_TRUE(SendCommandReadByte(IcspCommand::ShiftOutTablat, value));
    const auto calls = driver.calls();
    const auto pulses = clockPulses(calls);
    ASSERT_EQ(pulses.size(), 20U);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_FALSE(pulses[i].sampled) << "pulse " << i;
    }
    for (std::size_t i = 12; i < 20; ++i) {
        EXPECT_EQ(pulses[i].data, 1) << "pulse " << i;
        EXPECT_TRUE(pulses[i].sampled) << "pulse " << i;
    }
    // Padding and read phases each begin after an idle write and a 5 us gap.
    EXPECT_EQ(pulses[4].riseTime - pulses[3].fallTime, 2U);
    EXPECT_EQ(pulses[12].riseTime - pulses[11].fallTime, 2U);
    const auto frames = decodeIcspFrames(calls);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].command, 0x2);
    EXPECT_EQ(frames[0].operand, 0x00);
    EXPECT_EQ(frames[0].readValue, 0xC3);
    EXPECT_EQ(value, 0xC3);
    EXPECT_EQ(driver.now(), 43U);  // 20 clock periods and three gaps
}

TEST_F(SignallingTest, DataStaysHighAfterClockInBitUntilReadByteIdles)
{
    driver.scriptDataIn({1});
    std::uint8_t level = 0;
    ASSERT_TRUE(ClockInBit(level));
    EXPECT_EQ(level, 1);
    EXPECT_EQ(pinState().data, 1);
    EXPECT_EQ(pinState().clock, 0);
    EXPECT_EQ(pinState().dataIn, 1);

    driver.scriptDataIn({0x80, 0, 0, 0, 0, 0, 0, 0});
    std::uint8_t value = 0;
    ASSERT_TRUE(SendCommandReadByte(0x8, value));
    EXPECT_EQ(pinState().data, 0);
    EXPECT_EQ(pinState().dataIn, 0);
    EXPECT_EQ(writesOf(driver.calls()).back().data, 0);
}

TEST_F(SignallingTest, IdleLinesLeavesVppAndDoesNotWait)
{
    pinState() = {1, 1, 1, 1};
    ASSERT_TRUE(IdleLines());
    EXPECT_THAT(writtenLevels(driver.calls()), ElementsAre(LinesAre(1, 0, 0)));
    EXPECT_EQ(driver.callCount(PinCallKind::Delay), 0U);
    driver.failAtCall(PinCallKind::Write, 2);
    EXPECT_FALSE(IdleLines());
}
