// The words GetDllInfo uses for a port's speed, and reading them back.

#include "corvant/PortSpeed.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvant::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(PortSpeedWords, CostsAndDurationsInTheLargestUnitTheyReach)
{
    for (const auto& [seconds, text] : std::vector<std::pair<double, const char*>>{
             {1.1e-3, "1.1 ms"}, {1.0e-3, "1.0 ms"}, {0.85e-6, "850 ns"}, {2.5e-6, "2.5 \xC2\xB5s"},
             {12.3e-6, "12 \xC2\xB5s"}, {0, "0.0 ns"}, {1.5, "1.5 s"}})
        EXPECT_EQ(costText(seconds), text) << seconds;
    for (const auto& [seconds, text] : std::vector<std::pair<double, const char*>>{
             {9.73, "9.7 s"}, {11.2, "11 s"}, {59.4, "59 s"}, {59.6, "1 min"}, {250, "4 min 10 s"},
             {3599.4, "59 min 59 s"}, {3600, "1 h"}, {4800, "1 h 20 min"}, {7199, "2 h"}})
        EXPECT_EQ(durationText(seconds), text) << seconds;
}

TEST(PortSpeedWords, EstimateAddsTheCallCostsToTheProtocolsOwnTime)
{
    EXPECT_NEAR(protocolFullReadSeconds(), 9.73, 0.005);
    const LineCosts costs{1.1e-3, 1.0e-3};
    EXPECT_DOUBLE_EQ(fullReadSeconds(costs), protocolFullReadSeconds() + static_cast<double>(kFullReadWrites) * 1.1e-3
                                                 + static_cast<double>(kFullReadReads) * 1.0e-3);
    EXPECT_DOUBLE_EQ(fullReadSeconds({}), protocolFullReadSeconds());
    // The line between slow and not: three times the protocol's time.
    const double edge = 2 * protocolFullReadSeconds() / static_cast<double>(kFullReadWrites);
    EXPECT_FALSE(isSlowPort({edge * 0.99, 0}));
    EXPECT_TRUE(isSlowPort({edge * 1.01, 0}));
}

TEST(PortSpeedWords, TheSentenceReadsBackToTheCostsItShows)
{
    const LineCosts slow{1.1e-3, 1.0e-3};
    const std::string text = speedText(slow);
    EXPECT_THAT(text, ::testing::StartsWith("line change 1.1 ms, line read 1.0 ms: a full read of a 32 KB chip takes about "));
    EXPECT_THAT(text, ::testing::EndsWith(" on this port (the protocol alone needs 9.7 s)"));
    const auto back = parseSpeedText("corvant " VELMORA_VERSION ", some port. " + text);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->writeSeconds, 1.1e-3);
    EXPECT_DOUBLE_EQ(back->readSeconds, 1.0e-3);
    EXPECT_EQ(estimateSentence(text), text.substr(text.find("a full read")));

    const std::string fast = speedText({0.9e-6, 0.7e-6});
    EXPECT_THAT(fast, Not(HasSubstr("protocol alone")));
    const auto fastBack = parseSpeedText(fast);
    ASSERT_TRUE(fastBack);
    EXPECT_NEAR(fastBack->writeSeconds, 0.9e-6, 1e-12);
    EXPECT_THAT(std::string(estimateSentence(fast)), ::testing::EndsWith("on this port"));

    for (const char* none : {"", "corvant " VELMORA_VERSION ", no port open", "line change 1.1 ms", "line change x ms, line read 1 ms",
                             "line change 1.1 parsecs, line read 1.0 ms"})
        EXPECT_FALSE(parseSpeedText(none)) << none;
    EXPECT_EQ(estimateSentence("corvant " VELMORA_VERSION ", no port open"), "");
}

} // namespace
} // namespace corvant::test
