// ProgrammerStream's state: steps turned into ordered moves for a back end that
// takes streams, and refused for one that does not or when they are malformed.

#include "FakeStreamingBackend.h"
#include "corvant/PinInterface.h"
#include "corvant/corvant.h"

#include <gtest/gtest.h>

#include <array>
#include <span>

namespace corvant::test {
namespace {

constexpr std::uint32_t write(bool vpp, bool data, bool clock)
{
    return CORVANT_STEP_WRITE | (vpp ? 4U : 0U) | (data ? 2U : 0U) | (clock ? 1U : 0U);
}

class PinStream : public ::testing::Test {
protected:
    PinStream()
    {
        EXPECT_TRUE(pins.comInit("FTDI:0403:6001")) << pins.info();
        record.moves.clear();
        record.streams = 0;
    }
    bool run(std::span<const std::uint32_t> steps, std::span<std::uint8_t> levels)
    {
        return pins.stream(steps.data(), static_cast<std::uint32_t>(steps.size()), levels.data(),
                           static_cast<std::uint32_t>(levels.size()));
    }

    StreamRecord record;
    PinInterface pins {fakeStreamingTable(record), [] { return 0.0; }};
};

TEST_F(PinStream, WritesKeepTheSafeVppOrderAndReadsAreAnsweredInOrder)
{
    record.dataIn = {1, 0, 1};
    const std::array steps {write(false, true, true), write(true, false, false), CORVANT_STEP_WAIT | 7,
                            CORVANT_STEP_READ,        write(true, true, false),  CORVANT_STEP_READ,
                            write(false, true, true), CORVANT_STEP_READ};
    std::array<std::uint8_t, 4> levels {9, 9, 9, 9};
    ASSERT_TRUE(run(steps, levels));
    using K = PinMoveKind;
    EXPECT_EQ(record.moves, (std::vector<PinMove> {
                                {.kind = K::DataClock, .data = true, .clock = true},
                                {.kind = K::DataClock},
                                {.kind = K::Vpp, .vpp = true},
                                {.kind = K::Wait, .units = 7},
                                {.kind = K::Read},
                                {.kind = K::DataClock, .data = true},
                                {.kind = K::Read},
                                {.kind = K::Vpp},
                                {.kind = K::DataClock, .data = true, .clock = true},
                                {.kind = K::Read},
                            }));
    EXPECT_EQ(levels, (std::array<std::uint8_t, 4> {1, 0, 1, 9}));
    EXPECT_EQ(record.streams, 1U);
    // The stream's last Vpp is remembered: a single write that drops it drops it first.
    ASSERT_TRUE(run(std::span(steps).first(2), {}));
    record.moves.clear();
    ASSERT_TRUE(pins.write(0, 1, 0));
    EXPECT_EQ(record.moves.front(), (PinMove {.kind = K::Vpp}));
}

TEST_F(PinStream, MalformedStepsAndTooFewLevelsAreRefusedBeforeAnythingMoves)
{
    std::array<std::uint8_t, 1> level {};
    const std::array<std::array<std::uint32_t, 2>, 4> refused {{
        {write(true, true, true) | 8U, CORVANT_STEP_READ},           // a write with stray bits
        {CORVANT_STEP_READ | 1U, CORVANT_STEP_READ},                 // a read with stray bits
        {CORVANT_STEP_KIND, CORVANT_STEP_READ},                      // no such kind
        {CORVANT_STEP_READ, CORVANT_STEP_READ},                      // two reads, one level
    }};
    for (const auto& steps : refused)
        EXPECT_FALSE(run(steps, level));
    const std::uint32_t oneRead = CORVANT_STEP_READ;
    EXPECT_FALSE(pins.stream(&oneRead, 1, nullptr, 1));
    EXPECT_FALSE(pins.stream(nullptr, 1, level.data(), 1));
    EXPECT_TRUE(record.moves.empty());
    EXPECT_EQ(record.streams, 0U);
}

TEST_F(PinStream, TheOpenPortAnswersWhetherItStreams)
{
    EXPECT_TRUE(pins.stream(nullptr, 0, nullptr, 0));
    record.failStreams = true;
    const std::uint32_t step = write(false, true, false);
    EXPECT_FALSE(pins.stream(&step, 1, nullptr, 0));
    ASSERT_TRUE(pins.comClose());
    EXPECT_FALSE(pins.stream(nullptr, 0, nullptr, 0)) << "no port, no stream";
}

} // namespace
} // namespace corvant::test
