#include <cfenv>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "pendrel/DelayCore.h"
#include "tests/pendrel/ScriptedCounter.h"

using pendrel::DelayCore;
using pendrel::DelayInitStatus;

namespace {

constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t ColorburstHz = 3579545;

// Counts that one delay(units) waits on a counter that starts at `start`.
std::int64_t countsWaited(std::int64_t frequency, std::uint32_t units, std::int64_t start = 1000)
{
    ScriptedCounter counter(frequency);
    DelayCore core(counter);
    EXPECT_EQ(core.init(), DelayInitStatus::Ready);
    counter.startAt(start);
    EXPECT_TRUE(core.delay(units));
    return counter.countsWaited();
}

} // namespace

TEST(DelayCore, BeforeInitEveryNonZeroDelayWaitsTwoCounts)
{
    ScriptedCounter counter(ColorburstHz);
    const DelayCore core(counter);
    EXPECT_EQ(core.frequency(), 1);
    EXPECT_EQ(core.ticksPerUnit(), 0.0L);
    for (std::uint32_t units : {1U, 200U, std::numeric_limits<std::uint32_t>::max()}) {
        ScriptedCounter fresh(ColorburstHz);
        const DelayCore uncalibrated(fresh);
        EXPECT_TRUE(uncalibrated.delay(units));
        EXPECT_EQ(fresh.countsWaited(), 2) << units << " units";
        EXPECT_EQ(fresh.reads(), 3U);
    }
}

TEST(DelayCore, ZeroUnitsReadsNoCounter)
{
    ScriptedCounter counter(std::nullopt);
    DelayCore core(counter);
    EXPECT_TRUE(core.delay(0));
    EXPECT_EQ(core.init(), DelayInitStatus::NoCounter);
    EXPECT_TRUE(core.delay(0));
    EXPECT_EQ(counter.reads(), 0U);
}

TEST(DelayCore, ColorburstCounterRoundsTicksToNearest)
{
    ScriptedCounter counter(ColorburstHz);
    DelayCore core(counter);
    EXPECT_EQ(core.init(), DelayInitStatus::Ready);
    EXPECT_EQ(core.frequency(), ColorburstHz);
    EXPECT_NEAR(static_cast<double>(core.ticksPerUnit()), 17.897725, 1e-12);
    EXPECT_EQ(countsWaited(ColorburstHz, 1), 19);    // 18.897725
    EXPECT_EQ(countsWaited(ColorburstHz, 200), 3581); // 3580.545
}

TEST(DelayCore, TenMegahertzCounterIsExact)
{
    ScriptedCounter counter(10000000);
    DelayCore core(counter);
    EXPECT_EQ(core.init(), DelayInitStatus::Ready);
    EXPECT_EQ(core.ticksPerUnit(), 50.0L);
    EXPECT_EQ(countsWaited(10000000, 1), 51);
    EXPECT_EQ(countsWaited(10000000, 60000), 3000001);
}

TEST(DelayCore, HalfTicksRoundToEvenWhateverTheRoundingMode)
{
    ScriptedCounter counter(300000); // 1.5 ticks per unit
    DelayCore core(counter);
    ASSERT_EQ(core.init(), DelayInitStatus::Ready);
    const int savedMode = std::fegetround();
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        EXPECT_EQ(core.tickCount(1), 2) << "2.5, mode " << mode;
        EXPECT_EQ(core.tickCount(3), 6) << "5.5, mode " << mode;
        EXPECT_EQ(core.tickCount(5), 8) << "8.5, mode " << mode;
    }
    std::fesetround(savedMode);
}

TEST(DelayCore, MissingCounterFailsEveryWait)
{
    ScriptedCounter counter(std::nullopt);
    DelayCore core(counter);
    EXPECT_EQ(static_cast<std::int32_t>(core.init()), -1);
    EXPECT_EQ(core.frequency(), 0);
    EXPECT_FALSE(core.delay(1));
    EXPECT_FALSE(core.delay(60000));
    EXPECT_EQ(counter.reads(), 2U);
}

TEST(DelayCore, SlowCounterKeepsOneCountPerUnit)
{
    ScriptedCounter counter(100000);
    DelayCore core(counter);
    const auto status = static_cast<std::int32_t>(core.init());
    EXPECT_EQ(status, -2);
    EXPECT_EQ(static_cast<std::uint8_t>(status), 0xFE);
    EXPECT_EQ(core.frequency(), 100000);
    EXPECT_EQ(core.ticksPerUnit(), 1.0L);
    EXPECT_EQ(core.tickCount(1), 2);
    EXPECT_EQ(core.tickCount(200), 201);

    ScriptedCounter justTooSlow(DelayCore::MinFrequency - 1);
    EXPECT_EQ(DelayCore(justTooSlow).init(), DelayInitStatus::SlowCounter);
    ScriptedCounter atMinimum(DelayCore::MinFrequency);
    DelayCore minimal(atMinimum);
    EXPECT_EQ(minimal.init(), DelayInitStatus::Ready);
    EXPECT_EQ(minimal.tickCount(1), 2);
}

TEST(DelayCore, OverflowingTickCountBecomesLargestValue)
{
    ScriptedCounter counter(Int64Max);
    DelayCore core(counter);
    ASSERT_EQ(core.init(), DelayInitStatus::Ready);
    EXPECT_EQ(core.tickCount(std::numeric_limits<std::uint32_t>::max()), Int64Max);
    EXPECT_LT(core.tickCount(1), Int64Max);

    // The end then lies at the very top of the counter's range.
    counter.script({0, Int64Max - 1, Int64Max});
    EXPECT_TRUE(core.delay(std::numeric_limits<std::uint32_t>::max()));
    EXPECT_EQ(counter.reads(), 3U);
}

// One unit at the colorburst rate is 19 counts wherever the counter starts: below
// zero, ending exactly at the top of its range, or wrapping past it.
TEST(DelayCore, OneUnitWaitsNineteenCountsFromAnyStart)
{
    for (std::int64_t start : {std::int64_t {-10}, Int64Min, Int64Max - 19, Int64Max - 18, Int64Max - 5, Int64Max}) {
        EXPECT_EQ(countsWaited(ColorburstHz, 1, start), 19) << "start " << start;
    }
}

TEST(DelayCore, CounterJumpingBackEndsWaitEarly)
{
    struct Case {
        const char* name;
        std::vector<std::int64_t> readings;
        std::uint32_t units;
    };
    const Case cases[] = {
        {"below the start", {1000, 1005, 999}, 200},
        {"below the start before the wrap", {Int64Max - 5, Int64Max - 100}, 1},
        {"wrapped, then back above the start", {Int64Max - 5, Int64Min, Int64Min + 1, Int64Max - 2}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedCounter counter(ColorburstHz);
        DelayCore core(counter);
        ASSERT_EQ(core.init(), DelayInitStatus::Ready);
        counter.script(c.readings);
        EXPECT_TRUE(core.delay(c.units));
        EXPECT_EQ(counter.reads(), c.readings.size());
    }
}

TEST(DelayCore, FailedReadEndsWaitAtOnce)
{
    struct Case {
        std::int64_t start;
        std::size_t failingRead;
    };
    // First reading, mid-wait, before the wrap and after it.
    for (const Case& c : {Case {1000, 1}, Case {1000, 7}, Case {Int64Max - 5, 3}, Case {Int64Max - 5, 12}}) {
        ScriptedCounter counter(ColorburstHz);
        DelayCore core(counter);
        ASSERT_EQ(core.init(), DelayInitStatus::Ready);
        counter.startAt(c.start);
        counter.failAtRead(c.failingRead);
        EXPECT_FALSE(core.delay(1));
        EXPECT_EQ(counter.reads(), c.failingRead);
    }
}
