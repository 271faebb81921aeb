// The batching driver over a replaying stand-in: what reaches the lines, when the
// queue goes out, and what a failed or abandoned stream leaves behind.

#include <array>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "corvant/corvant.h"
#include "signalling/HW_Cntrl.h"
#include "signalling/StreamingPinDriver.h"
#include "tests/support/RecordingPinDriver.h"
#include "tests/support/ScopedPinDriver.h"
#include "tests/support/StepReplay.h"

using namespace velmora;
using namespace velmora::test;

namespace {

class StreamingDriverTest : public ::testing::Test {
protected:
    RecordingPinDriver lines;
    StepReplay replay {lines};
    StreamingPinDriver driver {lines, replay.runner()};
    ScopedPinDriver scope {driver};
};

constexpr std::array<std::uint8_t, 3> kCommands {0x9, 0x9, 0x8};
constexpr std::array<std::uint8_t, 3> kBytes {0xA5, 0x01, 0x80};

// A session of entry, a command and the reads, as the lines see it.
std::vector<PinCall> sessionOnTheLines(RecordingPinDriver& lines, std::array<std::uint8_t, 3>& values)
{
    for (const std::uint8_t byte : kBytes)
        lines.scriptDataInByte(byte);
    EXPECT_TRUE(EnterProgMode() && SendCommand(0x0, 0x0E3F));
    EXPECT_TRUE(SendCommandsReadBytes(kCommands, values));
    EXPECT_TRUE(ExitProgMode());
    return lines.calls();
}

using Session = std::vector<PinCall> (*)(RecordingPinDriver& lines, std::array<std::uint8_t, 3>& values);

// The session on per-call lines, then on `lines` through the batching driver: the same
// calls and the same bytes.
void expectTheSameAsCallByCall(Session session, RecordingPinDriver& lines, StreamingPinDriver& driver)
{
    std::array<std::uint8_t, 3> perCallValues {};
    RecordingPinDriver perCallLines;
    std::vector<PinCall> perCall;
    {
        ScopedPinDriver direct(perCallLines);
        EXPECT_EQ(ReadBlockBytes(), 1U);
        perCall = session(perCallLines, perCallValues);
    }
    ScopedPinDriver streamed(driver);
    std::array<std::uint8_t, 3> values {};
    EXPECT_EQ(session(lines, values), perCall);
    EXPECT_EQ(values, kBytes);
    EXPECT_EQ(perCallValues, kBytes);
}

} // namespace

TEST_F(StreamingDriverTest, ASessionReachesTheLinesAsTheCallsWouldInAFewExchanges)
{
    expectTheSameAsCallByCall(sessionOnTheLines, lines, driver);
    // The 200 ms entry wait sends at once, the three reads go in one exchange, the exit in the last.
    EXPECT_EQ(replay.exchanges(), 3U);
    EXPECT_FALSE(driver.batching()) << "ExitProgMode ends the session";
    EXPECT_TRUE(driver.programmerWrite(0, 1, 0));
    EXPECT_EQ(replay.exchanges(), 3U) << "outside a session every call goes straight to the lines";
}

TEST_F(StreamingDriverTest, APortWithoutStreamsIsDrivenCallByCall)
{
    replay.takesStreams = false;
    std::array<std::uint8_t, 3> values {};
    sessionOnTheLines(lines, values);
    EXPECT_EQ(values, kBytes);
    EXPECT_EQ(replay.exchanges(), 0U);
}

TEST_F(StreamingDriverTest, TheQueueGoesOutAtItsMostWaitsOrSteps)
{
    driver.beginSession();
    ASSERT_EQ(ReadBlockBytes(), 512U);
    EXPECT_TRUE(driver.delay(StreamingPinDriver::kFlushWaitUnits - 1));
    EXPECT_EQ(replay.exchanges(), 0U);
    EXPECT_TRUE(driver.delay(1));
    EXPECT_EQ(replay.exchanges(), 1U);
    for (std::size_t i = 1; i < StreamingPinDriver::kFlushSteps; ++i)
        ASSERT_TRUE(driver.programmerWrite(0, 0, i & 1U));
    EXPECT_EQ(replay.exchanges(), 1U);
    EXPECT_TRUE(driver.programmerWrite(1, 0, 0));
    EXPECT_EQ(replay.exchanges(), 2U);
    // A wait beyond one step's reach travels in parts that add up to it.
    EXPECT_TRUE(driver.delay(0xFFFFFFFFU) && driver.flush());
    std::uint64_t units = 0;
    for (const PinCall& call : lines.calls()) {
        if (call.kind == PinCallKind::Delay && call.time >= StreamingPinDriver::kFlushWaitUnits) {
            EXPECT_LT(call.units, CORVANT_STEP_WAIT);
            units += call.units;
        }
    }
    EXPECT_EQ(units, 0xFFFFFFFFU);
}

TEST_F(StreamingDriverTest, AFailedExchangeFailsTheStepThatSentItAndDropsTheQueue)
{
    driver.beginSession();
    std::uint8_t level = 0x55;
    lines.setIdleDataIn(1);
    replay.failExchange(1);
    EXPECT_TRUE(driver.programmerWrite(1, 1, 1) && driver.programmerReadLater(&level));
    EXPECT_FALSE(driver.flush());
    EXPECT_EQ(level, 0);
    EXPECT_TRUE(driver.flush());
    EXPECT_EQ(replay.exchanges(), 1U) << "nothing sent twice";
    EXPECT_TRUE(driver.programmerRead(&level));
    EXPECT_EQ(level, 1);
    EXPECT_EQ(lines.callCount(PinCallKind::Write), 0U);
}

TEST_F(StreamingDriverTest, ARunnerThatThrowsLeavesNothingQueued)
{
    bool throwing = true;
    StreamingPinDriver thrower(lines, [&](std::span<const std::uint32_t> steps, std::span<std::uint8_t> levels) {
        if (throwing && !steps.empty())
            throw std::runtime_error("adapter unplugged");
        return replay.runner()(steps, levels);
    });
    thrower.beginSession();
    std::uint8_t level = 0;
    EXPECT_TRUE(thrower.programmerWrite(1, 0, 0) && thrower.programmerReadLater(&level));
    EXPECT_THROW(thrower.flush(), std::runtime_error);
    throwing = false;
    EXPECT_TRUE(thrower.endSession());
    EXPECT_EQ(replay.exchanges(), 0U) << "nothing sent twice";
}

namespace {

// Entry, reads queued between core instructions as an EEPROM block queues its cells,
// one more read whose queue goes unresolved, and the exit.
std::vector<PinCall> queuedReadsOnTheLines(RecordingPinDriver& lines, std::array<std::uint8_t, 3>& values)
{
    for (const std::uint8_t byte : kBytes)
        lines.scriptDataInByte(byte);
    lines.scriptDataInByte(0x5A);
    EXPECT_TRUE(EnterProgMode());
    {
        ReadByteQueue reads(kCommands.size());
        for (const std::uint8_t command : kCommands)
            EXPECT_TRUE(SendCommand(0x0, 0x50A8) && reads.queue(command));
        EXPECT_TRUE(reads.resolve(values));
        EXPECT_TRUE(reads.queue(0x2));
    }
    EXPECT_TRUE(ExitProgMode());
    return lines.calls();
}

} // namespace

TEST_F(StreamingDriverTest, ReadsQueuedBetweenCommandsResolveTogetherAndNeverOutliveTheirQueue)
{
    expectTheSameAsCallByCall(queuedReadsOnTheLines, lines, driver);
    // The entry wait, the commands with their reads, the read sent as its queue went, the exit.
    EXPECT_EQ(replay.exchanges(), 4U);
}
