// The faults a test can build into a simulated chip, each seen the way a programmer
// would meet it on real silicon.

#include <vector>

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/simharness/SimHarness.h"

namespace velmora::test {
namespace {

TEST(Faults, AbsentChipLeavesDataInFollowingTheProgrammer)
{
    SimHarness chip("PIC18F4550", sim::FaultSet {.chipAbsent = true});
    chip.memory().programMemory()[0] = 0x00;
    ASSERT_TRUE(EnterProgMode());
    // The read clocks drive PGD high, so an empty socket reads FFh everywhere.
    EXPECT_EQ(published::readBytes(0x3FFFFE, 2), (std::vector<std::uint8_t> {0xFF, 0xFF}));
    EXPECT_EQ(published::readByte(0), 0xFF);
    ASSERT_TRUE(ExitProgMode());
    EXPECT_TRUE(chip.commands().empty());
}

TEST(Faults, WithoutVppTheChipNeverListensAndDataInFollowsTheProgrammer)
{
    SimHarness chip("PIC18F4550", sim::FaultSet {.vppNeverArrives = true});
    chip.expectViolation(sim::ViolationKind::ClockOutsideProgramMode);
    ASSERT_TRUE(EnterProgMode());
    EXPECT_FALSE(chip.chip().inProgramMode());
    EXPECT_EQ(published::readBytes(0x3FFFFE, 2), (std::vector<std::uint8_t> {0xFF, 0xFF}));
    ASSERT_TRUE(ExitProgMode());
    EXPECT_TRUE(chip.commands().empty());
}

TEST(Faults, DataInStuckLowReadsZeroEvenFromAWorkingChip)
{
    SimHarness chip("PIC18F452", sim::FaultSet {.dataInStuckLow = true});
    ASSERT_TRUE(EnterProgMode());
    EXPECT_EQ(published::readBytes(0x3FFFFE, 2), (std::vector<std::uint8_t> {0x00, 0x00}));
    ASSERT_TRUE(ExitProgMode());
    EXPECT_FALSE(chip.commands().empty()) << "the chip itself still decodes what it is sent";
}

TEST(Faults, StuckBitReadsTheSameLevelWhateverIsProgrammed)
{
    SimHarness chip("PIC18F4550", sim::FaultSet {.stuckBit = sim::StuckBit {0x0101, 2, true}});
    const std::vector<std::uint8_t> zeros(32, 0x00);
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeBuffer(0x0100, zeros));
    const auto bytes = published::readBytes(0x0100, 3);
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(bytes, (std::vector<std::uint8_t> {0x00, 0x04, 0x00}));
}

TEST(Faults, StuckBitInEepromUsesTheHexAddress)
{
    SimHarness chip("PIC18F452", sim::FaultSet {.stuckBit = sim::StuckBit {0xF00010, 7, false}});
    ASSERT_TRUE(EnterProgMode());
    EXPECT_EQ(published::readEeprom(0x10, false), 0x7F);
    EXPECT_EQ(published::readEeprom(0x11, false), 0xFF);
    ASSERT_TRUE(ExitProgMode());
}

TEST(Faults, ProgrammingFailsOnlyInTheChosenBlock)
{
    SimHarness chip("PIC18F4620", sim::FaultSet {.programFailsAt = 0x0085});
    const std::vector<std::uint8_t> zeros(64, 0x00);
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeBuffer(0x0040, zeros));
    ASSERT_TRUE(published::writeBuffer(0x0080, zeros));
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(chip.memory().programMemory()[0x0040], 0x00);
    EXPECT_EQ(chip.memory().programMemory()[0x0080], 0xFF);
    EXPECT_EQ(chip.memory().programMemory()[0x00BF], 0xFF);
}

TEST(Faults, EepromWriteThatNeverEndsKeepsWrSet)
{
    SimHarness chip("PIC18F4550", sim::FaultSet {.eepromWriteNeverEnds = true});
    int polls = 0;
    ASSERT_TRUE(EnterProgMode());
    EXPECT_FALSE(published::writeEeprom(0x20, 0x00, false, false, polls)) << "the poll gives up";
    EXPECT_GT(polls, 100);
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(sim::ViolationKind::OperationCutByVppOff);
    EXPECT_EQ(chip.memory().eeprom()[0x20], 0xFF);
}

TEST(Faults, EraseThatDoesNothingTakesItsTimeAndChangesNothing)
{
    SimHarness chip("PIC18F4550", sim::FaultSet {.eraseDoesNothing = true});
    chip.memory().programMemory()[0x1234] = 0x00;
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x3F8F));
    EXPECT_EQ(published::readByte(0x1234), 0x00);
    ASSERT_TRUE(ExitProgMode());
}

} // namespace
} // namespace velmora::test
