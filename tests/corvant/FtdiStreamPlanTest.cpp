#include "corvant/FtdiStreamPlan.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvant {
namespace {

// MCLR=D0, PGC=D2, PGD=D4, data in=D3, PGM=D5.
constexpr FtdiPinMasks kMasks{.vpp = 0x01, .pgc = 0x04, .pgd = 0x10, .pgdIn = 0x08, .pgm = 0x20};
constexpr double kPeriod = 5.1e-6;

PinMove clock(bool data, bool level)
{
    return {.kind = PinMoveKind::DataClock, .data = data, .clock = level};
}
PinMove wait(std::uint32_t units)
{
    return {.kind = PinMoveKind::Wait, .units = units};
}
PinMove vpp(bool on)
{
    return {.kind = PinMoveKind::Vpp, .vpp = on};
}
constexpr PinMove kRead{.kind = PinMoveKind::Read};

FtdiStreamPlan plan(const std::vector<PinMove>& moves, double period = kPeriod, std::uint8_t pins = 0)
{
    return planFtdiStream(moves, kMasks, pins, true, period);
}

// Each state's time on the pins, in periods: the run of bytes from one change to the next.
std::vector<std::size_t> holds(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::size_t> runs;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 0 || bytes[i] != bytes[i - 1])
            runs.push_back(0);
        ++runs.back();
    }
    return runs;
}

TEST(FtdiStreamPlan, AHalfClockIsOneByteWhenThePeriodCoversIt)
{
    const auto result = plan({clock(true, true), wait(1), clock(true, false), wait(1)});
    EXPECT_EQ(result.bytes, (std::vector<std::uint8_t>{0x14, 0x10, 0x10}));
    EXPECT_EQ(result.endPins, 0x10);
    EXPECT_TRUE(result.pauses.empty());
}

// At any period, every state is held for its waits: counted at the shortest
// period allowed, never a byte short.
TEST(FtdiStreamPlan, ShortWaitsArePaddedToAtLeastTheirLength)
{
    for (double period : {1e-6, 1.7e-6, 2.5e-6, 4.99e-6, 5e-6, 7e-6, 20e-6}) {
        for (std::uint32_t units : {1u, 2u, 3u, 7u, 200u, 399u}) {
            const auto result = plan({clock(false, true), wait(units), clock(false, false), wait(1), wait(units)}, period);
            const auto runs = holds(result.bytes);
            ASSERT_EQ(runs.size(), 2u) << period << " " << units;
            EXPECT_GE(runs[0] * period, units * kFtdiUnitSeconds * (1 - 1e-9)) << period << " " << units;
            EXPECT_LT((runs[0] - 1) * period, units * kFtdiUnitSeconds) << "no byte more than needed";
            // Two waits in a row add up; the last state's final byte proves it.
            EXPECT_GE(runs[1] * period, (units + 1) * kFtdiUnitSeconds * (1 - 1e-9)) << period << " " << units;
        }
    }
}

TEST(FtdiStreamPlan, LongWaitsArePausesAfterTheStateIsProven)
{
    const auto result = plan({clock(true, true), wait(400), clock(false, false), wait(1000), wait(1)});
    // The change, its repeat (read back, it proves the change), the pause.
    EXPECT_EQ(result.bytes, (std::vector<std::uint8_t>{0x14, 0x14, 0x00, 0x00, 0x00}));
    ASSERT_EQ(result.pauses.size(), 2u);
    EXPECT_EQ(result.pauses[0].afterBytes, 2u);
    EXPECT_DOUBLE_EQ(result.pauses[0].seconds, 2e-3);
    EXPECT_EQ(result.pauses[1].afterBytes, 4u);
    EXPECT_DOUBLE_EQ(result.pauses[1].seconds, 5e-3);
}

// The chip samples the pins just before it applies a byte: a read's level comes
// back with the byte written after it.
TEST(FtdiStreamPlan, AReadTakesTheByteAfterIt)
{
    const auto result = plan({clock(false, true), wait(1), kRead, clock(false, false), wait(1), kRead, kRead});
    EXPECT_EQ(result.bytes, (std::vector<std::uint8_t>{0x04, 0x00, 0x00}));
    EXPECT_EQ(result.readSlots, (std::vector<std::size_t>{1, 2, 2}));

    const auto before = plan({kRead, wait(400)});
    EXPECT_EQ(before.bytes, (std::vector<std::uint8_t>{0x00}));
    EXPECT_EQ(before.readSlots, (std::vector<std::size_t>{0}));
    EXPECT_EQ(before.pauses[0].afterBytes, 1u) << "the sample is in before the pause";
}

TEST(FtdiStreamPlan, TheLastChangeIsFollowedByARepeatByte)
{
    EXPECT_EQ(plan({clock(true, false)}).bytes, (std::vector<std::uint8_t>{0x10, 0x10}));
    EXPECT_TRUE(plan({clock(false, false)}).bytes.empty()) << "no change, nothing to prove";
    EXPECT_EQ(planFtdiStream(std::vector{clock(false, false)}, kMasks, 0, false, kPeriod).bytes,
              (std::vector<std::uint8_t>{0x00, 0x00}))
        << "after a failure the pins are written again";
}

TEST(FtdiStreamPlan, PgmRisesBeforeMclrAndFallsAfterIt)
{
    const auto on = plan({vpp(true), wait(1)}, 1e-6);
    EXPECT_EQ(on.bytes, (std::vector<std::uint8_t>{0x20, 0x20, 0x20, 0x20, 0x20, 0x21, 0x21, 0x21, 0x21, 0x21}));
    EXPECT_EQ(plan({vpp(false)}, kPeriod, 0x21).bytes, (std::vector<std::uint8_t>{0x20, 0x00, 0x00}));
    EXPECT_EQ(planFtdiStream(std::vector{vpp(true)}, {.vpp = 0x01, .pgc = 0x04, .pgd = 0x10, .pgdIn = 0x08}, 0, true,
                             kPeriod)
                  .bytes,
              (std::vector<std::uint8_t>{0x01, 0x01}))
        << "without a PGM pin MCLR alone";
}

} // namespace
} // namespace corvant
