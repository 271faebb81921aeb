// Protocol and timing mistakes: each is recorded with its parameter and has the effect
// the published behaviour gives it. Also the harness's own expectation bookkeeping.

#include <vector>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/simharness/SimHarness.h"

namespace velmora::test {
namespace {

using sim::ViolationKind;

// Loads one 32-byte buffer of zeros at 0 without its programming NOP.
bool loadBufferOfZeros()
{
    if (!published::selectSpace(true, false) || !published::setTablePointer(0))
        return false;
    for (int i = 0; i < 15; ++i) {
        if (!SendCommand(0xD, 0x0000))
            return false;
    }
    return SendCommand(0xF, 0x0000);
}

// After a loaded buffer the next command's fourth clock starts programming: held for P9
// and followed by P10 low, of a core instruction, and at all.
TEST(Violations, TheClockThatStartsProgrammingKeepsP9AndP10AndIsANop)
{
    struct Case {
        const char* what;
        std::uint8_t command;
        std::uint32_t highUnits;   // 0: Vpp falls instead
        std::uint32_t lowUnits;
        ViolationKind kind;
        int firstByte;             // -1: not looked at
    };
    for (const Case c : {Case {"P9 of 0.5 ms programs nothing", 0x0, 100, 20, ViolationKind::ProgrammingPulseTooShort, 0xFF},
                         Case {"5 us of P10 programs all the same", 0x0, 201, 0, ViolationKind::DischargeTooShort, 0x00},
                         Case {"never started", 0x0, 0, 0, ViolationKind::ProgrammingNeverStarted, 0xFF},
                         Case {"a table read", 0x8, 201, 20, ViolationKind::NotNopAfterStartProgramming, -1}}) {
        SCOPED_TRACE(c.what);
        SimHarness chip("PIC18F4550");
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(loadBufferOfZeros());
        if (c.highUnits != 0) {
            ASSERT_TRUE(published::sendWithHeldFourthClock(c.command, 0x0000, c.highUnits, c.lowUnits));
        }
        ASSERT_TRUE(ExitProgMode());
        ASSERT_EQ(chip.violationCount(c.kind), 1U) << chip.describeViolations();
        if (c.kind == ViolationKind::ProgrammingPulseTooShort) {
            EXPECT_EQ(chip.violations().front().parameter, "P9");
        }
        chip.expectViolation(c.kind);
        if (c.firstByte >= 0) {
            EXPECT_EQ(chip.memory().programMemory()[0], c.firstByte);
        }
    }
}

TEST(Violations, UnsupportedInstructionsAndReservedCommands)
{
    SimHarness chip("PIC18F452");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::core(0x0F05));  // ADDLW 05h
    ASSERT_TRUE(published::core(0x8EF6));  // BSF TBLPTRL, 7
    ASSERT_TRUE(published::core(0xEF00));  // GOTO without its second word
    ASSERT_TRUE(published::core(0x0000));
    ASSERT_TRUE(SendCommand(0x1, 0x0000));
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(chip.violationCount(ViolationKind::UnsupportedInstruction), 3U) << chip.describeViolations();
    EXPECT_EQ(chip.violationCount(ViolationKind::UnsupportedCommand), 1U);
    chip.expectViolation(ViolationKind::UnsupportedInstruction);
    chip.expectViolation(ViolationKind::UnsupportedCommand);
}

TEST(Violations, VppRaisedWithDataHighLeavesTheChipDeaf)
{
    SimHarness chip("PIC18F4550");
    PinState& pins = pinState();
    ASSERT_TRUE(currentPinDriver().programmerWrite(0, 1, 0));
    ASSERT_TRUE(currentPinDriver().programmerWrite(1, 1, 0));
    pins.vpp = 1;
    pins.data = 1;
    ASSERT_TRUE(currentPinDriver().delay(2));
    std::uint8_t devid = 0;
    ASSERT_TRUE(published::setTablePointer(0x3FFFFF));
    ASSERT_TRUE(SendCommandReadByte(0x8, devid));
    ASSERT_TRUE(ExitProgMode());
    EXPECT_FALSE(chip.chip().inProgramMode());
    EXPECT_EQ(devid, 0xFF) << "nobody drives PGD";
    chip.expectViolation(ViolationKind::EntryWithLinesHigh);
    chip.expectViolation(ViolationKind::ClockOutsideProgramMode);
}

TEST(Violations, FirstClockTooSoonAfterVppBreaksP12)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(currentPinDriver().programmerWrite(1, 0, 0));
    pinState().vpp = 1;
    ASSERT_TRUE(published::core(0x0000));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::EntryHoldTooShort);
}

TEST(Violations, HarnessFailsTheTestForUnexpectedAndMissingViolations)
{
    EXPECT_NONFATAL_FAILURE(
        {
            SimHarness chip("PIC18F4550");
            ASSERT_TRUE(EnterProgMode());
            ASSERT_TRUE(SendCommand(0x1, 0x0000));
            ASSERT_TRUE(ExitProgMode());
        },
        "unexpected violation on the simulated PIC18F4550");
    EXPECT_NONFATAL_FAILURE(
        {
            SimHarness chip("PIC18F4550");
            chip.expectViolation(ViolationKind::WriteWithoutWren);
        },
        "expected violation never happened: write-without-wren");
}

TEST(Violations, HarnessRejectsAnUnknownChip)
{
    EXPECT_THROW(SimHarness("PIC16F84"), std::invalid_argument);
}

TEST(Violations, KFamilyWriteWithoutWrenProgramsNothing)
{
    SimHarness chip("PIC18F45K20");
    const std::vector<std::uint8_t> zeros(32, 0x00);
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeBuffer(0, zeros));   // the DS39622 sequence: no WREN
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::WriteWithoutWren);
    EXPECT_EQ(chip.memory().programMemory()[0], 0xFF);
}

TEST(Violations, KFamilyConfigurationPulseShorterThanP9AProgramsNothing)
{
    SimHarness chip("PIC18F45K22");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeConfigByteWithWren(0x300001, 0x28, published::kK22Code));
    ASSERT_TRUE(ExitProgMode());
    ASSERT_EQ(chip.violationCount(ViolationKind::ProgrammingPulseTooShort), 1U);
    EXPECT_EQ(chip.violations().front().parameter, "P9A");
    chip.expectViolation(ViolationKind::ProgrammingPulseTooShort);
    EXPECT_EQ(chip.memory().config()[1], chip.model().configMask[1]);
}

TEST(Violations, K22DischargeIsTwoHundredMicroseconds)
{
    SimHarness chip("PIC18F45K22");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeBufferWithWren(0, std::vector<std::uint8_t>(64, 0x00), published::kOneXK22K20Code));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::DischargeTooShort);
    EXPECT_EQ(chip.memory().programMemory()[0], 0x00) << "programmed all the same";
}

} // namespace
} // namespace velmora::test
