// The line check: how data in's answers to PGD and PGC are read, and how they are shown.

#include "engine/WiringCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace velmora {
namespace {

std::vector<WiringSample> sampled(const std::function<bool(bool, bool)>& dataIn)
{
    auto samples = wiringPattern();
    for (WiringSample& s : samples)
        s.dataIn = dataIn(s.data, s.clock);
    return samples;
}

TEST(WiringCheck, EachKindOfLineFaultHasItsVerdict)
{
    const struct {
        std::function<bool(bool, bool)> line;
        WiringVerdict verdict;
    } cases[] = {
        {[](bool d, bool) { return d; }, WiringVerdict::Follows},
        {[](bool, bool c) { return c; }, WiringVerdict::FollowsClock},
        {[](bool, bool) { return false; }, WiringVerdict::StaysLow},
        {[](bool, bool) { return true; }, WiringVerdict::StaysHigh},
        {[](bool d, bool) { return !d; }, WiringVerdict::Inverted},
        {[](bool d, bool c) { return d || c; }, WiringVerdict::Erratic},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classifyWiring(sampled(c.line)), c.verdict) << wiringAdvice(c.verdict);
}

TEST(WiringCheck, PatternDrivesBothLevelsOfPgdAndPulsesPgc)
{
    const auto pattern = wiringPattern();
    const auto count = [&](auto predicate) { return std::count_if(pattern.begin(), pattern.end(), predicate); };
    EXPECT_GE(count([](const WiringSample& s) { return s.data; }), 2);
    EXPECT_GE(count([](const WiringSample& s) { return !s.data && !s.clock; }), 2);
    EXPECT_GE(count([](const WiringSample& s) { return s.clock; }), 2);
    EXPECT_EQ(count([](const WiringSample& s) { return s.data && s.clock; }), 0)
        << "PGD and PGC high together would not tell the two apart";
}

TEST(WiringCheck, ReportShowsEachLineAndWhatThePgdLineCannotShow)
{
    const auto samples = sampled([](bool, bool c) { return c; });
    EXPECT_EQ(wiringReport(samples, false),
              "Vpp off\nPGD      1 0 1 0 0 0 0 0\nPGC      0 0 0 0 1 0 1 0\ndata in  0 0 0 0 1 0 1 0\n"
              "data in follows PGC, not PGD: the clock and data lines are swapped\n");
    const std::string onPgd = wiringReport(samples, true);
    EXPECT_TRUE(onPgd.ends_with("swapped look the same (identify tells them apart)\n")) << onPgd;
}

} // namespace
} // namespace velmora
