// The operations once call by call and once through the batching driver, on the
// simulated chip: the chip must see the same commands at the same moments and
// answer the same bytes, and every ending, however reached, must leave nothing
// queued and programming mode left.

#include <atomic>
#include <span>

#include <gtest/gtest.h>

#include "engine/EngineTexts.h"
#include "signalling/StreamingPinDriver.h"
#include "tests/engine/ChipUnderTest.h"
#include "tests/support/StepReplay.h"

namespace velmora::test {
namespace {

constexpr std::uint8_t kSession[] {OperationProgram, OperationVerify, OperationRead, OperationErase, OperationRead};

void plantPattern(ChipUnderTest& t)
{
    for (std::uint32_t a = 0; a < t.image().programMemorySize; a += 301) {
        t.image().programMemory[a] = static_cast<std::uint8_t>(a >> 3);
        t.engine.data().SetProgramPresent(a, true);
    }
    for (std::uint32_t e = 0; e < t.image().eepromSize; e += 7)
        t.image().eeprom[e] = static_cast<std::uint8_t>(e);
    t.engine.deviceIdCheck = [](std::uint16_t) { return std::string(); };
}

struct Session {
    std::vector<std::tuple<sim::SimTime, std::uint8_t, std::uint16_t, std::uint8_t>> commands;
    std::vector<std::string> messages;
    std::vector<std::uint8_t> erasedRead;
    std::size_t exchanges = 0;
};

Session runSession(const char* chip, bool streamed)
{
    ChipUnderTest t(chip);
    StepReplay replay(t.sim);
    StreamingPinDriver streaming(t.sim, replay.runner());
    if (streamed)
        setPinDriver(&streaming);
    plantPattern(t);
    Session s;
    for (const std::uint8_t code : kSession) {
        t.run(code);
        const auto texts = t.window.messageTexts();
        s.messages.insert(s.messages.end(), texts.begin(), texts.end());
    }
    setPinDriver(&t.sim);
    for (const sim::DecodedCommand& c : t.sim.commands())
        s.commands.emplace_back(c.time, c.command, c.operand, c.byteRead);
    s.erasedRead.assign(t.image().programMemory, t.image().programMemory + t.image().programMemorySize);
    s.exchanges = replay.exchanges();
    return s;
}

} // namespace

class StreamedOperations : public ::testing::TestWithParam<const char*> {};

TEST_P(StreamedOperations, TheChipSeesTheSameCommandsAndAnswersTheSameBytes)
{
    const Session perCall = runSession(GetParam(), false);
    const Session streamed = runSession(GetParam(), true);
    ASSERT_EQ(perCall.messages.size(), std::size(kSession));
    EXPECT_EQ(perCall.messages.front(), texts::kProgrammingPerformed);
    EXPECT_EQ(streamed.messages, perCall.messages);
    EXPECT_EQ(streamed.erasedRead, perCall.erasedRead);
    EXPECT_EQ(streamed.commands.size(), perCall.commands.size());
    EXPECT_TRUE(streamed.commands == perCall.commands);
    EXPECT_EQ(perCall.exchanges, 0U);
    // Two reads and a verify of 32 KB of code in 512-byte blocks, the EEPROM's cells in
    // a few blocks, and each EEPROM write poll an exchange: about 550 in all, where
    // EEPROM cells read one exchange each would add some 770.
    EXPECT_GT(streamed.exchanges, 3 * 64U);
    EXPECT_LT(streamed.exchanges, 1000U);
}

INSTANTIATE_TEST_SUITE_P(Chips, StreamedOperations, ::testing::Values("PIC18F452", "PIC18F45K22"));

// The chip on the batching driver for one operation, with its replaying stand-in.
struct StreamedChip {
    StreamedChip() { setPinDriver(&streaming); }
    ~StreamedChip()
    {
        setPinDriver(&t.sim);
        // The chip complains about what a broken-off stream leaves on its pins.
        for (const sim::Violation& v : t.sim.violations())
            t.sim.expectViolation(v.kind);
    }
    ChipUnderTest t {"PIC18F1220"};
    StepReplay replay {t.sim};
    // Exchanges that come once the operation shows as over: steps it left queued.
    std::atomic<int> lateExchanges {0};
    StreamingPinDriver streaming {t.sim, [this](std::span<const std::uint32_t> steps, std::span<std::uint8_t> levels) {
                                      if (!steps.empty() && !t.engine.busy)
                                          ++lateExchanges;
                                      return replay.runner()(steps, levels);
                                  }};
};

// A failed exchange anywhere in a read, or a cancel at any moment of a program: the
// operation ends with its session, and the switch-off reached the chip unless its
// own exchange, the last, was the one that failed.
TEST(StreamedOperations, EveryEndingLeavesNothingQueued)
{
    std::size_t exchanges = 0;
    {
        StreamedChip baseline;
        baseline.t.run(OperationRead);
        exchanges = baseline.replay.exchanges();
    }
    ASSERT_GT(exchanges, 10U);
    std::vector<std::size_t> failing;
    for (std::size_t k = 1; k < exchanges; k += 1 + k / 4)
        failing.push_back(k);
    failing.push_back(exchanges);
    for (const std::size_t k : failing) {
        SCOPED_TRACE("failing exchange " + std::to_string(k) + " of " + std::to_string(exchanges));
        StreamedChip c;
        c.replay.failExchange(k);
        c.t.run(OperationRead);
        EXPECT_FALSE(c.t.engine.busy);
        EXPECT_EQ(c.t.engine.lastOutcome, OperationOutcome::Failed);
        EXPECT_EQ(c.lateExchanges, 0);
        EXPECT_FALSE(c.streaming.batching());
        EXPECT_EQ(c.t.sim.chip().inProgramMode(), k == exchanges);
    }
    for (std::size_t n = 1; n < 400; n += 1 + n / 3) {
        SCOPED_TRACE("cancel after posting " + std::to_string(n));
        StreamedChip c;
        c.t.window.pressCancelAfterCall(n);
        c.t.run(OperationProgram);
        EXPECT_FALSE(c.t.engine.busy);
        EXPECT_EQ(c.lateExchanges, 0);
        EXPECT_FALSE(c.streaming.batching());
        EXPECT_FALSE(c.t.sim.chip().inProgramMode());
    }
}

} // namespace velmora::test
