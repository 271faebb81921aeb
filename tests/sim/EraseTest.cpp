// Bulk erases by the key writes of every family, block erases, the row erases, and
// what an erase does to a programmer that does not wait for it.

#include <algorithm>
#include <chrono>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/simharness/SimHarness.h"

namespace velmora::test {
namespace {

using sim::ViolationKind;

// Code, EEPROM and IDs full of data, every configuration byte 0 (all protection on).
void fillChip(sim::ChipMemory& memory)
{
    std::ranges::fill(memory.programMemory(), 0x00);
    std::ranges::fill(memory.eeprom(), 0x00);
    memory.ids().fill(0x00);
    for (int i = 0; i < sim::kConfigByteCount; ++i)
        memory.setConfigByte(i, 0x00);
}

bool allErased(std::span<const std::uint8_t> bytes)
{
    return std::ranges::all_of(bytes, [](std::uint8_t b) { return b == 0xFF; });
}

TEST(BulkErase, ChipEraseOfTheOlderFamilyKeepsTheNonProtectionConfiguration)
{
    SimHarness chip("PIC18F452");
    fillChip(chip.memory());
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkErasePanelFamily(0x80));
    ASSERT_TRUE(ExitProgMode());

    EXPECT_TRUE(allErased(chip.memory().programMemory()));
    EXPECT_TRUE(allErased(chip.memory().eeprom()));
    EXPECT_TRUE(allErased(chip.memory().ids()));
    const auto& config = chip.memory().config();
    const auto& mask = chip.model().configMask;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(config[static_cast<std::size_t>(i)], 0x00) << "CONFIG byte " << i << " keeps its value";
    for (int i = 8; i < sim::kConfigByteCount; ++i)
        EXPECT_EQ(config[static_cast<std::size_t>(i)], mask[static_cast<std::size_t>(i)])
            << "protection byte " << i << " back to 1s";
}

TEST(BulkErase, BlockOptionsEraseOnlyTheirArea)
{
    SimHarness newer("PIC18F4550");  // boot 0-7FFh, blocks of 8 KB
    fillChip(newer.memory());
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x0180));  // code block 0
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x0084));  // data EEPROM
    ASSERT_TRUE(ExitProgMode());
    const auto code = newer.memory().programMemory();
    EXPECT_EQ(code[0x07FF], 0x00) << "boot block kept";
    EXPECT_TRUE(allErased(code.subspan(0x0800, 0x2000 - 0x0800)));
    EXPECT_EQ(code[0x2000], 0x00) << "block 1 kept";
    EXPECT_TRUE(allErased(newer.memory().eeprom()));
    EXPECT_EQ(newer.memory().ids()[0], 0x00);
    EXPECT_EQ(newer.memory().config()[8], 0x01) << "CP0 released with its block, CP1..CP3 still on";
}

TEST(BulkErase, OlderFamilyBootAndBlockOptions)
{
    SimHarness chip("PIC18F452");  // boot 0-1FFh, blocks of 8 KB
    fillChip(chip.memory());
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkErasePanelFamily(0x83));  // boot block
    ASSERT_TRUE(published::bulkErasePanelFamily(0x89));  // block 1
    ASSERT_TRUE(ExitProgMode());
    const auto code = chip.memory().programMemory();
    EXPECT_TRUE(allErased(code.subspan(0, 0x200)));
    EXPECT_EQ(code[0x0200], 0x00);
    EXPECT_TRUE(allErased(code.subspan(0x2000, 0x2000)));
    EXPECT_EQ(code[0x4000], 0x00);
}

TEST(BulkErase, ClocksBeforeP11HasPassedAreLost)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::setTablePointer(0x3C0005));
    ASSERT_TRUE(SendCommand(0xC, 0x3F3F));
    ASSERT_TRUE(published::setTablePointer(0x3C0004));
    ASSERT_TRUE(SendCommand(0xC, 0x8F8F));
    ASSERT_TRUE(published::core(0x0000));
    // 2 ms instead of P11 + P10, then commands that the erase swallows.
    ASSERT_TRUE(published::sendWithGap(0x0, 0x0000, 400));
    ASSERT_TRUE(published::core(0x0E12));
    ASSERT_TRUE(published::core(0x6EF6));
    EXPECT_EQ(chip.chip().tablePointer(), 0x3C0004U) << "MOVWF TBLPTRL was lost";
    chip.advance(std::chrono::milliseconds(10));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::ClockDuringErase);
    chip.expectViolation(ViolationKind::DataHighDuringErase);
}

TEST(BulkErase, VppOffBeforeTheEraseEndsErasesNothing)
{
    SimHarness chip("PIC18F452");
    fillChip(chip.memory());
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::setTablePointer(0x3C0004));
    ASSERT_TRUE(SendCommand(0xC, 0x0080));
    ASSERT_TRUE(published::core(0x0000));
    ASSERT_TRUE(published::sendWithGap(0x0, 0x0000, 0));  // erase starts, nobody waits
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::ClockDuringErase);
    chip.expectViolation(ViolationKind::OperationCutByVppOff);
    EXPECT_EQ(chip.memory().programMemory()[0], 0x00);
}

TEST(RowErase, NewerFamilyErasesTheSixtyFourByteRowWithAnExternallyTimedPulse)
{
    SimHarness chip("PIC18F4520");
    std::ranges::fill(chip.memory().programMemory(), 0x00);
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::selectSpace(true, false));
    ASSERT_TRUE(published::core(0x84A6));  // BSF EECON1, WREN
    ASSERT_TRUE(published::setTablePointer(0x0457));
    ASSERT_TRUE(published::core(0x88A6));  // BSF EECON1, FREE
    ASSERT_TRUE(published::core(0x82A6));  // BSF EECON1, WR
    ASSERT_TRUE(SendCommandProgramWait(0x0, 0x0000));
    ASSERT_TRUE(ExitProgMode());
    const auto code = chip.memory().programMemory();
    EXPECT_EQ(code[0x043F], 0x00);
    EXPECT_TRUE(allErased(code.subspan(0x0440, 64)));
    EXPECT_EQ(code[0x0480], 0x00);
}

// P11 + P10 in 5 us units: 15 ms + 200 us (K22 X5/X6), 12 ms + 200 us (X3/X4), 5 ms + 100 us.
constexpr std::uint32_t kK22LargeEraseUnits = 3040;
constexpr std::uint32_t kK22SmallEraseUnits = 2440;
constexpr std::uint32_t kKEraseUnits = 1020;

// A chip erase takes code protection with it: the code reads back erased at once.
TEST(BulkErase, BufferFamiliesEraseWithTheirOwnKeysAndAnyOtherKeysEraseNothing)
{
    struct Case {
        const char* name;
        std::uint16_t chipErase;
        std::uint16_t foreignKey;   // another family's chip erase, or keys that select nothing
        std::uint32_t waitUnits;    // 0: the DS39622 parts' P11 + P10
    };
    for (const Case c : {Case {"PIC18F4550", 0x3F8F, 0x0080, 0},
                         Case {"PIC18F45K22", 0x0F8F, 0x0F87, kK22LargeEraseUnits},
                         Case {"PIC18LF23K22", 0x0F8F, 0x3F8F, kK22SmallEraseUnits},
                         Case {"PIC18F14K22", 0x0F8F, 0x3F8F, kKEraseUnits},
                         Case {"PIC18F46K20", 0x0F87, 0x0F8F, kKEraseUnits}}) {
        SCOPED_TRACE(c.name);
        SimHarness chip(c.name);
        fillChip(chip.memory());
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(published::bulkEraseBufferFamily(c.foreignKey, c.waitUnits));
        EXPECT_EQ(chip.violationCount(ViolationKind::InvalidEraseOption), 1U);
        EXPECT_EQ(chip.memory().programMemory()[0x100], 0x00) << "a wrong key erases nothing";
        ASSERT_TRUE(published::bulkEraseBufferFamily(c.chipErase, c.waitUnits));
        EXPECT_EQ(published::readBytes(0, 16), std::vector<std::uint8_t>(16, 0xFF));
        ASSERT_TRUE(ExitProgMode());
        chip.expectViolation(ViolationKind::InvalidEraseOption);
        EXPECT_TRUE(allErased(chip.memory().programMemory()));
        EXPECT_TRUE(allErased(chip.memory().eeprom()));
        EXPECT_TRUE(allErased(chip.memory().ids()));
        EXPECT_EQ(chip.memory().config(), chip.model().configMask);
    }
}

TEST(BulkErase, K22TakesP11PerPart)
{
    SimHarness large("PIC18F45K22");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x0F8F, kK22SmallEraseUnits));
    large.advance(std::chrono::milliseconds(20));
    ASSERT_TRUE(ExitProgMode());
    large.expectViolation(ViolationKind::ClockDuringErase);
    large.checkViolations();

    SimHarness small("PIC18F43K22");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x0F8F, kK22SmallEraseUnits));
    ASSERT_TRUE(ExitProgMode());
}

TEST(BulkErase, KFamilyOptionsTakeTheirAreaAndProtectionWidensABlockErase)
{
    SimHarness chip("PIC18F45K22");   // boot 0-7FFh, blocks of 8 KB
    fillChip(chip.memory());
    for (int i = 0; i < sim::kConfigByteCount; ++i)
        chip.memory().setConfigByte(i, 0xFF);
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x0280, kK22LargeEraseUnits));   // code block 1
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x0088, kK22LargeEraseUnits));   // IDs
    ASSERT_TRUE(ExitProgMode());
    const auto code = chip.memory().programMemory();
    EXPECT_EQ(code[0x1FFF], 0x00);
    EXPECT_TRUE(allErased(code.subspan(0x2000, 0x2000)));
    EXPECT_EQ(code[0x4000], 0x00);
    EXPECT_TRUE(allErased(chip.memory().ids()));
    EXPECT_EQ(chip.memory().eeprom()[0], 0x00);

    chip.memory().setConfigByte(8, 0x0E);   // CP0: block 0 code-protected
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x0880, kK22LargeEraseUnits));   // code block 3
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(code[0x07FF], 0x00) << "boot block kept";
    EXPECT_TRUE(allErased(code.subspan(0x0800))) << "every code block erased";

    SimHarness k20("PIC18F45K20");
    k20.memory().ids().fill(0x00);
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x0088, kKEraseUnits));   // not a K20 option
    ASSERT_TRUE(ExitProgMode());
    k20.expectViolation(ViolationKind::InvalidEraseOption);
    EXPECT_EQ(k20.memory().ids()[0], 0x00);
}

TEST(RowErase, KFamiliesEraseTheRowSelfTimedUntilWrReadsClear)
{
    struct Case {
        const char* name;
        std::uint32_t dischargeUnits;
    };
    for (const Case c : {Case {"PIC18F45K22", 40}, Case {"PIC18F14K22", 20}, Case {"PIC18F45K20", 20}}) {
        SCOPED_TRACE(c.name);
        SimHarness chip(c.name);
        std::ranges::fill(chip.memory().programMemory(), 0x00);
        chip.memory().ids().fill(0x00);
        int polls = 0;
        int idPolls = 0;
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(published::rowEraseSelfTimed(0x1057, c.dischargeUnits, polls));
        ASSERT_TRUE(published::rowEraseSelfTimed(0x200000, c.dischargeUnits, idPolls));
        ASSERT_TRUE(ExitProgMode());
        // A poll takes 4 commands (about 0.9 ms): WR reads set at least once.
        EXPECT_GE(polls, 2);
        const auto code = chip.memory().programMemory();
        EXPECT_EQ(code[0x103F], 0x00);
        EXPECT_TRUE(allErased(code.subspan(0x1040, 64)));
        EXPECT_EQ(code[0x1080], 0x00);
        EXPECT_TRUE(allErased(chip.memory().ids()));
    }
}

// A wait of `p11` in 5 us units, with 5 us to spare.
constexpr std::uint32_t unitsOf(std::chrono::milliseconds p11)
{
    return static_cast<std::uint32_t>(p11.count()) * 200 + 1;
}

// P11: 524 ms (J11, J50), 475 ms (J10, J13, J53), 400 ms (DS39644G, DS39688C); each part
// also waits a shorter P11, which loses the clocks that come too soon.
TEST(BulkErase, JPartsTake0180hAndTheirOwnP11)
{
    using std::chrono::milliseconds;
    const std::vector<std::tuple<const char*, milliseconds, milliseconds>> cases {
        {"PIC18F46J50", milliseconds(524), milliseconds(475)}, {"PIC18LF47J53", milliseconds(475), milliseconds(400)},
        {"PIC18F45J10", milliseconds(475), milliseconds(400)}, {"PIC18F87J11", milliseconds(400), milliseconds(390)},
        {"PIC18F97J60", milliseconds(400), milliseconds(390)}};
    for (const auto& [name, p11, shorter] : cases) {
        SCOPED_TRACE(name);
        SimHarness chip(name, {}, EntryWiring::MclrOnly);
        fillChip(chip.memory());
        ASSERT_TRUE(chip.enterProgramMode());
        ASSERT_TRUE(published::bulkEraseBufferFamily(0x0F8F, unitsOf(p11)));   // the K22's keys
        EXPECT_EQ(chip.violationCount(ViolationKind::InvalidEraseOption), 1U);
        EXPECT_EQ(chip.memory().programMemory()[0x100], 0x00) << "a wrong key erases nothing";
        ASSERT_TRUE(published::bulkEraseBufferFamily(published::kJChipErase, unitsOf(p11)));
        ASSERT_TRUE(ExitProgMode());
        chip.expectViolation(ViolationKind::InvalidEraseOption);
        EXPECT_TRUE(allErased(chip.memory().programMemory()));
        EXPECT_EQ(chip.memory().config(), chip.model().configMask);
        chip.checkViolations();

        ASSERT_TRUE(chip.enterProgramMode());
        ASSERT_TRUE(published::bulkEraseBufferFamily(published::kJChipErase, unitsOf(shorter) - 2));
        chip.advance(std::chrono::seconds(1));
        ASSERT_TRUE(ExitProgMode());
        chip.expectViolation(ViolationKind::ClockDuringErase);
    }
}

TEST(RowErase, JPartsErase1024BytesOnAHeldClockAndDs39644PartsHaveNone)
{
    struct Case {
        const char* name;
        std::uint32_t holdUnits;   // P10 of DS39687E, P9 of DS39688C, 5 us to spare
        std::uint32_t lowUnits;
    };
    for (const Case c : {Case {"PIC18F46J50", 10801, 0}, Case {"PIC18F46J13", 9801, 0},
                         Case {"PIC18F24J10", 9801, 0}, Case {"PIC18F97J60", 561, 1}}) {
        SCOPED_TRACE(c.name);
        SimHarness chip(c.name, {}, EntryWiring::MclrOnly);
        std::ranges::fill(chip.memory().programMemory().subspan(0, 0x1000), 0x00);
        ASSERT_TRUE(chip.enterProgramMode());
        ASSERT_TRUE(published::rowEraseJ(0x0457, c.holdUnits, c.lowUnits));
        ASSERT_TRUE(published::rowEraseJ(0x0C00, c.holdUnits - 2, c.lowUnits));   // too short
        ASSERT_TRUE(ExitProgMode());
        ASSERT_EQ(chip.violationCount(ViolationKind::ProgrammingPulseTooShort), 1U);
        EXPECT_EQ(chip.violations().front().parameter, c.lowUnits == 0 ? "P10" : "P9");
        chip.expectViolation(ViolationKind::ProgrammingPulseTooShort);
        const auto code = chip.memory().programMemory();
        EXPECT_EQ(code[0x03FF], 0x00);
        EXPECT_TRUE(allErased(code.subspan(0x0400, 1024)));
        EXPECT_EQ(code[0x0800], 0x00);
        EXPECT_EQ(code[0x0C00], 0x00) << "a short hold erases nothing";
    }

    SimHarness chip("PIC18F87J11", {}, EntryWiring::MclrOnly);
    std::ranges::fill(chip.memory().programMemory().subspan(0, 0x1000), 0x00);
    ASSERT_TRUE(chip.enterProgramMode());
    ASSERT_TRUE(published::rowEraseJ(0x0400, 561, 1));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::NoRowErase);
    EXPECT_EQ(chip.memory().programMemory()[0x0400], 0x00);
}

} // namespace
} // namespace velmora::test
