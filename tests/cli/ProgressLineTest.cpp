// The command line's own additions to the progress display: the time an action
// has left, and the warning before an operation on a slow port.

#include <chrono>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/SlowPortWarning.h"
#include "cli/TerminalBridge.h"
#include "corvant/PortSpeed.h"
#include "corvant/corvant.h"
#include "engine/OperationTime.h"
#include "platform/LoadedLibrary.h"
#include "tests/cli/CapturedOutput.h"
#include "tests/support/TraceText.h"

namespace velmora::cli {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::chrono_literals;

class ProgressLine : public ::testing::Test {
protected:
    std::string lastLine() const { return test::lastLine(out_.text()); }

    test::CapturedOutput out_;
    std::chrono::steady_clock::time_point now_{};
    TerminalBridge bridge_{out_.file(), out_.file(), false, ButtonYes, [this] { return now_; }};
};

TEST_F(ProgressLine, ShowsTheTimeLeftFromTheRateSoFar)
{
    bridge_.postAction("Read PIC's program memory");
    now_ += 10s;
    bridge_.postProgress(20);
    EXPECT_THAT(lastLine(), EndsWith("20%  40 s left"));
    now_ += 30s;
    bridge_.postProgress(50);
    EXPECT_THAT(lastLine(), EndsWith("50%  40 s left"));
    now_ += 20min;
    bridge_.postProgress(60);
    EXPECT_THAT(lastLine(), EndsWith("60%  13 min 47 s left"));
}

TEST_F(ProgressLine, SaysNothingUntilThereIsARateOrWhenTheActionIsDone)
{
    bridge_.postAction("Read PIC's EEPROM data memory");
    now_ += 5s;
    bridge_.postProgress(0);
    EXPECT_THAT(lastLine(), EndsWith("0%"));
    bridge_.postAction("Read PIC's IDs"); // a new action starts its own clock
    now_ += 900ms;
    bridge_.postProgress(30);
    EXPECT_THAT(lastLine(), EndsWith("30%"));
    now_ += 1s;
    bridge_.postProgress(100);
    EXPECT_THAT(lastLine(), EndsWith("100%"));
}

TEST(SlowPortWarning, NamesThePortAndItsSpeedOnlyWhenSlow)
{
    const corvant::LineCosts slowCosts{1.1e-3, 1.0e-3};
    const std::string slow = "corvant " VELMORA_VERSION ", JDM serial bit-bang programmer on /dev/ttyUSB0 (...). "
        + corvant::speedText(slowCosts);
    const auto warning = slowPortWarning(slow, slowCosts);
    ASSERT_TRUE(warning);
    EXPECT_EQ(*warning, "Warning: this port is slow. JDM serial bit-bang programmer on /dev/ttyUSB0 (...). "
                            + corvant::speedText(slowCosts));

    const corvant::LineCosts fast{1e-6, 1e-6};
    EXPECT_FALSE(slowPortWarning("corvant " VELMORA_VERSION ", GPIO programmer on gpiochip0. " + corvant::speedText(fast), fast));
    EXPECT_FALSE(slowPortWarning("corvant " VELMORA_VERSION ", no port open", std::nullopt));
    // Just under three times the protocol's own time, by the engine's count of a full read, is not slow yet.
    const corvant::PinWork& read = referenceFullRead();
    const double edge = 2 * corvant::protocolSeconds(read) / static_cast<double>(read.writes);
    EXPECT_FALSE(slowPortWarning(slow, corvant::LineCosts{edge * 0.9, 0}));
    EXPECT_TRUE(slowPortWarning(slow, corvant::LineCosts{edge * 1.2, 0}));
}

TEST(SlowPortWarning, TakesTheCostsFromTheLoadedLibraryWhenItOffersThem)
{
    EXPECT_FALSE(openPortLineCosts()) << "no port open";
    ASSERT_NE(ComInit("SIM:PIC18F452"), 0) << GetDllInfo();
    const auto costs = openPortLineCosts();
    EXPECT_NE(ComClose(), 0);
    ASSERT_TRUE(costs);
    EXPECT_GT(costs->writeSeconds, 0);
    EXPECT_FALSE(platform::loadedLibraryFunction(platform::pinInterfaceLibraryFile(), "NoSuchExport"));
    EXPECT_FALSE(platform::loadedLibraryFunction("libnot-loaded.so", "GetLineCosts"));
}

} // namespace
} // namespace velmora::cli
