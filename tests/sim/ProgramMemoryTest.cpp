// Program memory writes by every family's published methods: the write buffer of the
// DS39622, K and J parts (the J parts' keeping its bytes), the older parts' single- and multi-panel writes, flash that only
// clears bits, and the table pointer rules around them.

#include <algorithm>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/simharness/SimHarness.h"

namespace velmora::test {
namespace {

using sim::ViolationKind;

std::vector<std::uint8_t> pattern(std::size_t size, std::uint8_t seed)
{
    std::vector<std::uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), seed);
    return bytes;
}

std::vector<std::uint8_t> stored(SimHarness& chip, std::uint32_t address, std::size_t size)
{
    const auto memory = chip.memory().programMemory().subspan(address, size);
    return {memory.begin(), memory.end()};
}

// A buffer of code and the IDs, each by the family's own method (WREN and the family's
// pulses on the K parts), read back with the bytes around the code still FFh. Only the
// first 8 bytes of a wider buffer are loaded for the IDs; 200008h is unimplemented.
TEST(BufferWrite, CodeAndIdsAreWrittenByEachFamilysMethodAndReadBack)
{
    struct Case {
        const char* name;
        const published::KWriteTiming* code;   // nullptr: the older parts' method, without WREN
        const published::KWriteTiming* ids;
    };
    for (const Case c : {Case {"PIC18F452", nullptr, nullptr}, Case {"PIC18F4550", nullptr, nullptr},
                         Case {"PIC18F4620", nullptr, nullptr},
                         Case {"PIC18F45K22", &published::kK22Code, &published::kK22ConfigAndIds},
                         Case {"PIC18F13K22", &published::kOneXK22K20Code, &published::kOneXK22K20Code},
                         Case {"PIC18LF14K22", &published::kOneXK22K20Code, &published::kOneXK22K20Code},
                         Case {"PIC18F24K20", &published::kOneXK22K20Code, &published::kOneXK22K20Code}}) {
        SCOPED_TRACE(c.name);
        SimHarness chip(c.name);
        const std::uint32_t size = chip.model().writeBufferSize;
        const std::uint32_t at = 0x0800 + size;
        const auto code = pattern(size, 0x21);
        const auto ids = pattern(8, 0xF0);
        ASSERT_TRUE(EnterProgMode());
        if (chip.model().family == sim::ChipFamily::PanelWrite) {
            ASSERT_TRUE(published::setPanelMode(false));
        }
        if (c.code == nullptr) {
            ASSERT_TRUE(published::writeBuffer(at, code));
            ASSERT_TRUE(published::writeBuffer(0x200000, ids));
        } else {
            ASSERT_TRUE(published::writeBufferWithWren(at, code, *c.code));
            ASSERT_TRUE(published::writeBufferWithWren(0x200000, ids, *c.ids));
        }
        const auto codeBack = published::readBytes(at - 1, size + 2);
        const auto idsBack = published::readBytes(0x200000, 9);
        ASSERT_TRUE(ExitProgMode());

        std::vector<std::uint8_t> codeAround {0xFF};
        codeAround.insert(codeAround.end(), code.begin(), code.end());
        codeAround.push_back(0xFF);
        EXPECT_EQ(codeBack, codeAround);
        std::vector<std::uint8_t> idsAndBeyond = ids;
        idsAndBeyond.push_back(0x00);
        EXPECT_EQ(idsBack, idsAndBeyond);
    }
}

TEST(BufferWrite, ProgrammingAnUnerasedCellLeavesTheAndOfBoth)
{
    SimHarness chip("PIC18F4520");
    std::vector<std::uint8_t> first(32, 0xFF), second(32, 0xFF);
    first[5] = 0xF0;
    second[5] = 0x3C;
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeBuffer(0x100, first));
    ASSERT_TRUE(published::writeBuffer(0x100, second));
    EXPECT_EQ(published::readByte(0x105), 0x30);
    ASSERT_TRUE(ExitProgMode());
}

TEST(BufferWrite, TablePointerMovedToAnotherBlockProgramsThatBlock)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::selectSpace(true, false));
    ASSERT_TRUE(published::setTablePointer(0x0000));
    ASSERT_TRUE(SendCommand(0xD, 0x2211));
    ASSERT_TRUE(published::setTablePointer(0x0042));
    ASSERT_TRUE(SendCommand(0xF, 0x4433));
    ASSERT_TRUE(SendCommandProgramWait(0x0, 0x0000));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::WriteRegionMismatch);

    EXPECT_EQ(stored(chip, 0x0000, 2), (std::vector<std::uint8_t> {0xFF, 0xFF}));
    EXPECT_EQ(stored(chip, 0x0040, 4), (std::vector<std::uint8_t> {0x11, 0x22, 0x33, 0x44}))
        << "the latches land in the block TBLPTR holds at 1111";
}

TEST(BufferWrite, Command1110StartsProgrammingAndAdvancesThePointer)
{
    SimHarness chip("PIC18F2550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::selectSpace(true, false));
    ASSERT_TRUE(published::setTablePointer(0x01E0));
    ASSERT_TRUE(SendCommand(0xE, 0xBEEF));
    ASSERT_TRUE(SendCommandProgramWait(0x0, 0x0000));
    EXPECT_EQ(chip.chip().tablePointer(), 0x01E2U);
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(stored(chip, 0x01E0, 2), (std::vector<std::uint8_t> {0xEF, 0xBE}));
}

TEST(PanelWrite, Command1110IsATableWriteWithPostDecrement)
{
    SimHarness chip("PIC18F452");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::setPanelMode(false));
    ASSERT_TRUE(published::selectSpace(true, false));
    ASSERT_TRUE(published::setTablePointer(0x0006));
    ASSERT_TRUE(SendCommand(0xE, 0x8877));
    EXPECT_EQ(chip.chip().tablePointer(), 0x0004U);
    ASSERT_TRUE(SendCommand(0xF, 0x6655));
    ASSERT_TRUE(SendCommandProgramWait(0x0, 0x0000));
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(stored(chip, 0x0004, 4), (std::vector<std::uint8_t> {0x55, 0x66, 0x77, 0x88}));
}

TEST(PanelWrite, SinglePanelModeProgramsOnlyThePanelAddressed)
{
    SimHarness chip("PIC18F452");
    const std::array<std::uint8_t, 8> row {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::setPanelMode(false));
    // Panel 0's latch loaded but never started, then a full row in panel 1.
    ASSERT_TRUE(published::selectSpace(true, false));
    ASSERT_TRUE(published::setTablePointer(0x0238));
    ASSERT_TRUE(SendCommand(0xC, 0x0000));
    ASSERT_TRUE(published::writeBuffer(0x2238, row));
    ASSERT_TRUE(ExitProgMode());

    EXPECT_EQ(stored(chip, 0x2238, 8), std::vector<std::uint8_t>(row.begin(), row.end()));
    EXPECT_EQ(stored(chip, 0x0238, 2), (std::vector<std::uint8_t> {0xFF, 0xFF}));
}

TEST(PanelWrite, MultiPanelWriteLandsInEveryPanelAtTheSameOffset)
{
    for (const char* name : {"PIC18F452", "PIC18F8720"}) {
        SimHarness chip(name);
        const std::size_t panels = chip.model().programMemorySize / 0x2000;
        std::vector<std::vector<std::uint8_t>> rows;
        for (std::size_t panel = 0; panel < panels; ++panel)
            rows.push_back(pattern(8, static_cast<std::uint8_t>(panel * 8)));
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(published::setPanelMode(true));
        ASSERT_TRUE(published::writeMultiPanelRows(0x0150, rows));
        ASSERT_TRUE(ExitProgMode());

        for (std::size_t panel = 0; panel < panels; ++panel)
            EXPECT_EQ(stored(chip, static_cast<std::uint32_t>(panel * 0x2000 + 0x0150), 8), rows[panel])
                << name << " panel " << panel;
        EXPECT_EQ(stored(chip, 0x0148, 8), std::vector<std::uint8_t>(8, 0xFF)) << name;
    }
}

TEST(IdLocations, MultiPanelModeIsAViolationOnTheOlderFamily)
{
    SimHarness chip("PIC18F452");
    const std::array<std::uint8_t, 8> ids {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::setPanelMode(true));
    ASSERT_TRUE(published::writeBuffer(0x200000, ids));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::IdWriteInMultiPanelMode);
}

TEST(TableRead, PostIncrementWrapsAtTheEndOfProgramMemory)
{
    SimHarness chip("PIC18F2455");  // 24 KB: the end is not a power of two
    chip.memory().programMemory()[0] = 0x5A;
    chip.memory().programMemory()[0x5FFF] = 0xA5;
    ASSERT_TRUE(EnterProgMode());
    EXPECT_EQ(published::readBytes(0x5FFF, 2), (std::vector<std::uint8_t> {0xA5, 0x5A}));
    ASSERT_TRUE(ExitProgMode());
}

TEST(TableRead, PostDecrementAndPreIncrementMoveThePointer)
{
    SimHarness chip("PIC18F4550");
    auto memory = chip.memory().programMemory();
    memory[0x0FF] = 0x01;
    memory[0x100] = 0x02;
    memory[0x101] = 0x03;
    std::uint8_t decremented = 0, preIncremented = 0;
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::setTablePointer(0x100));
    ASSERT_TRUE(SendCommandReadByte(0xA, decremented));
    EXPECT_EQ(chip.chip().tablePointer(), 0x0FFU);
    ASSERT_TRUE(SendCommandReadByte(0xB, preIncremented));
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(decremented, 0x02);
    EXPECT_EQ(preIncremented, 0x02) << "pre-increment from 0FFh reads 100h";
}

TEST(TableWrite, DeviceIdIsReadOnly)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::setTablePointer(0x3FFFFE));
    ASSERT_TRUE(SendCommand(0xC, 0x0000));
    const auto devid = published::readBytes(0x3FFFFE, 2);
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::UnimplementedTarget);
    EXPECT_EQ(devid[1], 0x12);
}

TEST(ProgramMemory, JPartsWriteWithWrenAndTheBufferKeepsTheLastWritesBytes)
{
    SimHarness chip("PIC18F46J50", {}, EntryWiring::MclrOnly);
    ASSERT_TRUE(chip.enterProgramMode());
    const auto first = pattern(64, 0x00);
    ASSERT_TRUE(published::writeBufferJ(0x0000, first, published::kJ2X4XCode));
    // Only the last word loaded: the other 62 bytes are still the first write's.
    const std::vector<std::uint8_t> lastWord {0xAA, 0xBB};
    ASSERT_TRUE(published::writeBufferJ(0x0040, lastWord, published::kJ2X4XCode));
    // WREN clear: the start programming programs nothing.
    ASSERT_TRUE(published::core(0x94A6));   // BCF EECON1, WREN
    ASSERT_TRUE(published::setTablePointer(0x0080));
    ASSERT_TRUE(SendCommand(0xF, 0x1234));
    ASSERT_TRUE(published::sendWithHeldFourthClock(0x0, 0x0000, published::kJ2X4XCode.pulseUnits, 0));
    chip.expectViolation(ViolationKind::WriteWithoutWren);
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(stored(chip, 0x0000, 64), first);
    EXPECT_EQ(stored(chip, 0x0040, 2), lastWord);
    EXPECT_EQ(stored(chip, 0x0042, 62), pattern(62, 0x02)) << "the buffer kept the first write's bytes";
    EXPECT_EQ(chip.memory().programMemory()[0x0080], 0xFF);
}

TEST(ProgramMemory, JPartsProgramAByteOnceBetweenErasesAndDs39644PartsTwice)
{
    const std::vector<std::uint8_t> erased(64, 0xFF);
    struct Case {
        const char* name;
        published::KWriteTiming timing;
        int allowed;   // programs of one byte between erases
    };
    for (const Case c : {Case {"PIC18LF26J13", published::kJ2X4XCode, 1}, Case {"PIC18F25J10", published::kJ10Code, 1},
                         Case {"PIC18F97J60", published::kJ6X8XJ60Code, 1},
                         Case {"PIC18F87J11", published::kJ6X8XJ60Code, 2}}) {
        SCOPED_TRACE(c.name);
        SimHarness chip(c.name, {}, EntryWiring::MclrOnly);
        ASSERT_TRUE(chip.enterProgramMode());
        for (int time = 0; time < c.allowed; ++time)
            ASSERT_TRUE(published::writeBufferJ(0x0100, pattern(64, static_cast<std::uint8_t>(0x80 - time)), c.timing));
        ASSERT_TRUE(published::writeBufferJ(0x0100, erased, c.timing));   // FFh programs nothing
        EXPECT_EQ(chip.violations().size(), 0U) << chip.describeViolations();
        ASSERT_TRUE(published::writeBufferJ(0x0100, pattern(64, 0x40), c.timing));
        ASSERT_TRUE(ExitProgMode());
        EXPECT_EQ(chip.violationCount(ViolationKind::ProgrammedTooOften), 1U);
        chip.expectViolation(ViolationKind::ProgrammedTooOften);
    }
}

} // namespace
} // namespace velmora::test
