// The first failing write, read or wait ends an operation at once: whatever call k
// fails, exactly k calls were made and the result is false.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "signalling/PinDriver.h"
#include "tests/signalling/SignallingFixture.h"
#include "tests/support/PinTrace.h"

using namespace velmora;
using namespace velmora::test;

namespace {

struct Operation {
    std::string name;
    std::function<bool()> run;
    bool handsOutByte = false;
};

std::uint8_t lastReadValue = 0;

std::vector<Operation> operations()
{
    return {
        {"EnterProgMode", [] { return EnterProgMode(); }},
        {"EnterProgModeByKey", [] { return EnterProgModeByKey({200, 1, 80}); }},
        {"ExitProgMode", [] { return ExitProgMode(); }},
        {"SendCommand", [] { return SendCommand(0xD, 0xFFFF); }},
        {"SendCommandEraseWait", [] { return SendCommandEraseWait(0x0, 0xFFFF); }},
        {"SendCommandProgramWait", [] { return SendCommandProgramWait(0xF, 0xFFFF); }},
        {"SendCommandReadByte", [] { return SendCommandReadByte(0x9, lastReadValue); }, true},
    };
}

std::size_t callsOfCleanRun(const Operation& operation)
{
    RecordingPinDriver driver;
    ScopedPinDriver scope(driver);
    EXPECT_TRUE(operation.run()) << operation.name;
    return driver.callCount();
}

} // namespace

TEST(SignallingFailure, EveryOperationStopsAtTheFirstFailingCall)
{
    for (const Operation& operation : operations()) {
        const std::size_t total = callsOfCleanRun(operation);
        ASSERT_GT(total, 0U);
        for (std::size_t k = 1; k <= total; ++k) {
            RecordingPinDriver driver;
            ScopedPinDriver scope(driver);
            driver.setIdleDataIn(1);
            driver.failAtCall(k);
            lastReadValue = 0x5A;
            EXPECT_FALSE(operation.run()) << operation.name << " failing at call " << k;
            EXPECT_EQ(driver.callCount(), k) << operation.name << " failing at call " << k;
            if (operation.handsOutByte) {
                EXPECT_EQ(lastReadValue, 0) << "failing at call " << k;
            }
        }
    }
}

TEST_F(SignallingTest, FailingFirstCommandClockSendsNoOperandClock)
{
    driver.failAtCall(PinCallKind::Write, 1);
    EXPECT_FALSE(SendCommand(0x0, 0x0E00));
    const auto calls = driver.calls();
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_FALSE(calls[0].succeeded);
    EXPECT_TRUE(clockPulses(calls).empty());
    // The level stored before the failed write stays.
    EXPECT_EQ(pinState().clock, 1);
}

TEST_F(SignallingTest, ClockInBitHandsOutZeroOnAnyFailure)
{
    for (std::size_t failing = 1; failing <= 5; ++failing) {
        driver.clear();
        driver.setIdleDataIn(1);
        driver.failAtCall(failing);
        std::uint8_t level = 1;
        EXPECT_FALSE(ClockInBit(level)) << "failing call " << failing;
        EXPECT_EQ(level, 0) << "failing call " << failing;
    }
}
