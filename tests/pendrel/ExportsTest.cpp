#include <array>
#include <cstdint>
#include <thread>

#include <gtest/gtest.h>

#include "pendrel/pendrel.h"
#include "tests/pendrel/MonotonicNanoseconds.h"

namespace {

constexpr std::int64_t NanosecondsPerUnit = 5000;

class PendrelExports : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DelayInit(), 0); }
};

} // namespace

TEST_F(PendrelExports, PlatformCounterCalibrates)
{
    EXPECT_EQ(GetPerformanceFrequency(), platformCounterFrequency());
    EXPECT_EQ(GetMinPerformanceFrequency(), 200000);
}

// A lower bound only: preemption may stretch a wait, nothing may shorten it.
TEST_F(PendrelExports, WaitsAreNeverShorterThanAsked)
{
    for (std::uint32_t units : {1U, 2U, 20U, 200U}) {
        for (int round = 0; round < 50; ++round) {
            const std::int64_t before = monotonicNanoseconds();
            ASSERT_TRUE(Delay(units));
            const std::int64_t elapsed = monotonicNanoseconds() - before;
            ASSERT_GE(elapsed, units * NanosecondsPerUnit) << units << " units";
        }
    }
}

TEST_F(PendrelExports, ThreadsWaitAtTheSameTime)
{
    std::array<bool, 2> results {};
    std::array<std::thread, 2> waiters;
    for (std::size_t i = 0; i < waiters.size(); ++i) {
        waiters[i] = std::thread([&results, i] {
            bool ok = true;
            for (int round = 0; round < 100; ++round) {
                ok = Delay(20) && ok;
            }
            results[i] = ok;
        });
    }
    for (std::thread& waiter : waiters) {
        waiter.join();
    }
    EXPECT_TRUE(results[0]);
    EXPECT_TRUE(results[1]);
}
