// Data EEPROM writes started by WR and polled until the chip clears it, reads through
// EEDATA, and the address registers of small and large EEPROMs.

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/simharness/SimHarness.h"

namespace velmora::test {
namespace {

using sim::ViolationKind;

constexpr std::uint8_t kWr = 0x02;
constexpr std::uint16_t kBsfWren = 0x84A6;
constexpr std::uint16_t kBsfWr = 0x82A6;

// EEPROM selected, WREN and WR set, and the NOP after them: a write is under way.
bool startEepromWrite()
{
    return published::selectSpace(false, false) && published::core(kBsfWren) && published::core(kBsfWr)
        && published::core(0x0000);
}

// WR stays set for the write time, then the cell holds the byte. The 55h/AAh unlock
// writes are accepted but not required (MOVWF EECON2 is harmless on the K parts too,
// as on the chip); the K parts start on the second NOP after WR.
TEST(EepromWrite, WrStaysSetForTheWriteTimeThenTheCellHoldsTheByte)
{
    struct Case {
        const char* name;
        std::uint32_t cell;
        bool longAddress;
        bool unlock;
        std::uint32_t dischargeUnits;   // 0: the older parts' write, started by one NOP
    };
    for (const Case c : {Case {"PIC18F452", 0x42, false, false, 0}, Case {"PIC18F4550", 0x42, false, false, 0},
                         Case {"PIC18F458", 0x42, false, true, 0}, Case {"PIC18F46K22", 0x3A5, true, false, 40},
                         Case {"PIC18LF13K22", 0x42, false, true, 20}, Case {"PIC18F46K20", 0x2A5, true, false, 20}}) {
        SCOPED_TRACE(c.name);
        SimHarness chip(c.name);
        chip.memory().eeprom()[c.cell] = 0x00;   // a byte write erases the cell first
        int polls = 0;
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(c.dischargeUnits == 0
                        ? published::writeEeprom(c.cell, 0xA7, c.longAddress, c.unlock, polls)
                        : published::writeEepromTwoNops(c.cell, 0xA7, c.longAddress, c.unlock, c.dischargeUnits, polls));
        const std::uint8_t readBack = published::readEeprom(c.cell, c.longAddress);
        ASSERT_TRUE(ExitProgMode());
        // A poll takes 4 commands (about 0.9 ms): a 4 ms write is seen busy several times.
        EXPECT_GE(polls, 4);
        EXPECT_EQ(readBack, 0xA7);
        EXPECT_EQ(chip.memory().eeprom()[c.cell], 0xA7);
        EXPECT_EQ(chip.memory().eeprom()[c.cell + 1], 0xFF);
    }
}

TEST(EepromWrite, WrWithoutWrenWritesNothingAndReadsClear)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::selectSpace(false, false));
    ASSERT_TRUE(published::core(0x0E05));  // MOVLW 05h
    ASSERT_TRUE(published::core(0x6EA9));  // MOVWF EEADR
    ASSERT_TRUE(published::core(0x0E00));
    ASSERT_TRUE(published::core(0x6EA8));  // MOVWF EEDATA
    ASSERT_TRUE(published::core(kBsfWr));  // without WREN
    ASSERT_TRUE(published::core(0x0000));
    const std::uint8_t eecon1 = published::readEecon1();
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::WriteWithoutWren);
    EXPECT_EQ(eecon1 & kWr, 0);
    EXPECT_EQ(chip.memory().eeprom()[5], 0xFF);
}

// EEADRH carries the high address bits of a 1 KB EEPROM; a 256-byte one ignores it, so
// its cells answer to any high byte.
TEST(EepromWrite, OnlyALargeEepromTakesItsHighAddressFromEeadrh)
{
    struct Case {
        const char* name;
        std::uint32_t cell;
        std::uint32_t stored;   // where the byte lands
    };
    for (const Case c : {Case {"PIC18F4620", 0x2A5, 0x2A5}, Case {"PIC18F4550", 0x1FF, 0xFF}}) {
        SCOPED_TRACE(c.name);
        SimHarness chip(c.name);
        int polls = 0;
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(published::writeEeprom(c.cell, 0x5C, true, false, polls));
        EXPECT_EQ(published::readEeprom(c.cell, true), 0x5C);
        EXPECT_EQ(published::readEeprom(c.cell & 0xFF, true), c.stored == c.cell ? 0xFF : 0x5C);
        ASSERT_TRUE(ExitProgMode());
        EXPECT_EQ(chip.memory().eeprom()[c.stored], 0x5C);
    }
}

TEST(EepromWrite, ProgrammerClockingRightAfterThePollBreaksP10OnTheNewerFamily)
{
    // DS39622L Table 3-7 holds PGC low for P10 once the poll has read WR clear.
    for (const char* name : {"PIC18F4550", "PIC18F452"}) {
        SimHarness chip(name);
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(startEepromWrite());
        for (int polls = 0; polls < 100 && (published::readEecon1() & kWr) != 0; ++polls) {
        }
        ASSERT_TRUE(published::core(0x94A6));  // BCF EECON1, WREN, 10 us later
        ASSERT_TRUE(ExitProgMode());
        if (chip.model().family == sim::ChipFamily::BufferWrite)
            chip.expectViolation(ViolationKind::DischargeTooShort);
        EXPECT_EQ(chip.violationCount(ViolationKind::DischargeTooShort),
                  chip.model().family == sim::ChipFamily::BufferWrite ? 1U : 0U) << name;
    }
}

TEST(EepromWrite, SettingWrAgainWhileBusyIsAViolation)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(startEepromWrite());
    ASSERT_TRUE(published::core(kBsfWr));
    chip.advance(std::chrono::milliseconds(10));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::WriteWhileBusy);
}

TEST(EepromWrite, ChipWithoutEepromRefusesTheWrite)
{
    SimHarness chip("PIC18F2410");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(startEepromWrite());
    EXPECT_EQ(published::readEecon1() & kWr, 0);
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::UnsupportedInstruction);
}

TEST(EepromWrite, VppOffBeforeTheWriteEndsKeepsTheCell)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::core(0x0E00));
    ASSERT_TRUE(published::core(0x6EA8));  // EEDATA = 0
    ASSERT_TRUE(startEepromWrite());
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::OperationCutByVppOff);
    EXPECT_EQ(chip.memory().eeprom()[0], 0xFF);
}

TEST(EepromWrite, KFamilyWriteHasNotStartedAfterOneNop)
{
    // BSF WR; NOP; and MCLR falls: on a K22 the write was still waiting for its clock.
    SimHarness chip("PIC18F45K22");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::core(0x0E00));
    ASSERT_TRUE(published::core(0x6EA8));  // EEDATA = 0
    ASSERT_TRUE(startEepromWrite());
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::ProgrammingNeverStarted);
    EXPECT_EQ(chip.memory().eeprom()[0], 0xFF);
}

} // namespace
} // namespace velmora::test
