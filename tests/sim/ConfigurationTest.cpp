// Configuration bytes written one at a time, their unimplemented and protection bits,
// the J parts' configuration words in flash, and code protection as a programmer sees it
// through reads.

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/simharness/SimHarness.h"

namespace velmora::test {
namespace {

using sim::ViolationKind;

constexpr std::uint32_t kConfig1L = 0x300000;
constexpr std::uint32_t kConfig1H = 0x300001;
constexpr std::uint32_t kConfig5L = 0x300008;
constexpr std::uint32_t kConfig5H = 0x300009;
constexpr std::uint32_t kConfig6H = 0x30000B;

bool writeConfigWord(std::uint32_t address, std::uint16_t operand)
{
    return published::selectSpace(true, true) && published::setTablePointer(address)
        && SendCommand(0xF, operand) && SendCommandProgramWait(0x0, 0x0000);
}

TEST(Configuration, EvenAddressTakesTheLowByteOddTheHighByte)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(writeConfigWord(kConfig1L, 0x1224));
    ASSERT_TRUE(writeConfigWord(kConfig1H, 0x0533));
    const auto bytes = published::readBytes(kConfig1L, 2);
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(bytes, (std::vector<std::uint8_t> {0x24, 0x05}));
}

TEST(Configuration, UnimplementedBitsReadZero)
{
    SimHarness chip("PIC18F452");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeConfigByte(kConfig1L, 0xFF, true));  // CONFIG1L: nothing implemented
    ASSERT_TRUE(published::writeConfigByte(kConfig1H, 0xFF, true));  // 27h implemented
    const auto bytes = published::readBytes(kConfig1L, 2);
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(bytes, (std::vector<std::uint8_t> {0x00, 0x27}));
}

TEST(Configuration, OrdinaryBitsRewriteButProtectionBitsOnlyClear)
{
    SimHarness chip("PIC18F4520");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeConfigByte(kConfig1H, 0x00, false));
    ASSERT_TRUE(published::writeConfigByte(kConfig1H, 0x08, false));
    ASSERT_TRUE(published::writeConfigByte(kConfig5L, 0x0A, false));
    ASSERT_TRUE(published::writeConfigByte(kConfig5L, 0x0F, false));
    const auto config1H = published::readByte(kConfig1H);
    const auto config5L = published::readByte(kConfig5L);
    ASSERT_TRUE(ExitProgMode());
    EXPECT_EQ(config1H, 0x08);
    EXPECT_EQ(config5L, 0x0A) << "only a bulk erase turns CP bits back off";
}

TEST(Configuration, WrtcBlocksLaterConfigurationWrites)
{
    SimHarness chip("PIC18F4550");
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeConfigByte(kConfig6H, 0xC0, false));  // WRTC = 0
    ASSERT_TRUE(published::writeConfigByte(kConfig1H, 0x00, false));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::WriteProtected);
    EXPECT_EQ(chip.memory().config()[1], chip.model().configMask[1]);
}

// CFGS must name the space the table pointer is in: code written with it set and
// configuration written with it clear program nothing anywhere.
TEST(Configuration, CfgsThatDoesNotMatchTheTargetIsRefused)
{
    for (const auto& [address, cfgs] : {std::pair {std::uint32_t {0}, true}, std::pair {kConfig1H, false}}) {
        SCOPED_TRACE(cfgs ? "code with CFGS set" : "configuration with CFGS clear");
        SimHarness chip("PIC18F4550");
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(published::selectSpace(true, cfgs));
        ASSERT_TRUE(published::setTablePointer(address));
        ASSERT_TRUE(SendCommand(0xF, 0x0000));
        ASSERT_TRUE(SendCommandProgramWait(0x0, 0x0000));
        ASSERT_TRUE(ExitProgMode());
        chip.expectViolation(ViolationKind::ConfigSelectMismatch);
        EXPECT_EQ(chip.memory().programMemory()[0], 0xFF);
        EXPECT_EQ(chip.memory().programMemory()[1], 0xFF);
        EXPECT_EQ(chip.memory().config()[1], chip.model().configMask[1]);
    }
}

TEST(CodeProtection, ProtectedBlocksReadZeroUntilABulkErase)
{
    SimHarness chip("PIC18F4550");
    std::ranges::fill(chip.memory().programMemory(), 0x5A);
    chip.memory().ids().fill(0x11);
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeConfigByte(kConfig5L, 0x0E, false));  // CP0 on
    ASSERT_TRUE(published::writeConfigByte(kConfig5H, 0x40, false));  // CPD on, CPB off
    const auto boot = published::readByte(0x07FF);
    const auto block0 = published::readBytes(0x0800, 2);
    const auto block1 = published::readByte(0x2000);
    const auto ids = published::readByte(0x200000);
    const auto devid = published::readByte(0x3FFFFF);
    const auto eeprom = published::readEeprom(0, false);
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x3F8F));
    const auto afterErase = published::readByte(0x0800);
    ASSERT_TRUE(ExitProgMode());

    EXPECT_EQ(boot, 0x5A);
    EXPECT_EQ(block0, (std::vector<std::uint8_t> {0x00, 0x00}));
    EXPECT_EQ(block1, 0x5A);
    EXPECT_EQ(ids, 0x11) << "IDs read normally under code protection";
    EXPECT_EQ(devid, 0x12);
    EXPECT_EQ(eeprom, 0x00) << "CPD hides the data EEPROM";
    EXPECT_EQ(afterErase, 0xFF);
}

TEST(CodeProtection, ProtectedBlockRefusesProgramming)
{
    SimHarness chip("PIC18F4550");
    const std::vector<std::uint8_t> data(32, 0x00);
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(published::writeConfigByte(0x30000A, 0x0E, false));  // WRT0 on
    ASSERT_TRUE(published::writeBuffer(0x0800, data));
    ASSERT_TRUE(published::writeBuffer(0x2000, data));
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::WriteProtected);
    EXPECT_EQ(chip.memory().programMemory()[0x0800], 0xFF);
    EXPECT_EQ(chip.memory().programMemory()[0x2000], 0x00);
}

TEST(CodeProtection, OlderChipLocksTableWritesWhenProtectionCoversTheProgramCounter)
{
    const std::array<std::uint8_t, 8> row {};
    for (const bool gotoFirst : {false, true}) {
        SimHarness chip("PIC18F452");
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(published::setPanelMode(false));
        // CPB on while the program counter still sits at the reset vector in the boot block.
        ASSERT_TRUE(published::writeConfigByte(kConfig5H, 0x80, gotoFirst));
        ASSERT_TRUE(published::writeBuffer(0x4000, row));
        ASSERT_TRUE(ExitProgMode());
        if (!gotoFirst)
            chip.expectViolation(ViolationKind::WriteProtected);
        EXPECT_EQ(chip.memory().programMemory()[0x4000], gotoFirst ? 0x00 : 0xFF) << "GOTO 100000h first: " << gotoFirst;
    }
}

TEST(Configuration, KFamiliesTakeOneByteWithWrenAndP9A)
{
    struct Case {
        const char* name;
        published::KWriteTiming timing;
    };
    for (const Case c : {Case {"PIC18F46K22", published::kK22ConfigAndIds},
                         Case {"PIC18F14K22", published::kOneXK22K20Config},
                         Case {"PIC18F26K20", published::kOneXK22K20Config}}) {
        SCOPED_TRACE(c.name);
        SimHarness chip(c.name);
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(published::writeConfigByteWithWren(kConfig1H, 0x28, c.timing));
        ASSERT_TRUE(published::writeConfigByteWithWren(kConfig5L, 0x02, c.timing));
        ASSERT_TRUE(ExitProgMode());
        EXPECT_EQ(chip.memory().config()[1], 0x28 & chip.model().configMask[1]);
        EXPECT_EQ(chip.memory().config()[8], 0x02) << "CP0 on";
    }
}

// The last 64-byte block of a 64 KB J part: FFh code, then CONFIG1L..CONFIG4H at FFF8h.
std::vector<std::uint8_t> jLastBlock(const std::vector<std::uint8_t>& words)
{
    std::vector<std::uint8_t> block(64, 0xFF);
    std::ranges::copy(words, block.end() - 8);
    return block;
}

constexpr std::uint32_t kJ64kLastBlock = 0xFFC0;
constexpr std::uint32_t kJ64kConfigWords = 0xFFF8;

TEST(Configuration, JWordsAreTheLastFlashBytesCopiedToTheRegistersAtReset)
{
    SimHarness chip("PIC18F46J50", {}, EntryWiring::MclrOnly);
    const std::vector<std::uint8_t> words {0xA3, 0xF5, 0xD5, 0xFA, 0xF0, 0xF8, 0xCF, 0xF1};
    const auto& mask = chip.model().configMask;
    ASSERT_TRUE(chip.enterProgramMode());
    ASSERT_TRUE(published::writeBufferJ(kJ64kLastBlock, jLastBlock(words), published::kJ2X4XCode));
    const auto beforeReset = published::readBytes(kConfig1L, 8);
    // The registers are copies: a table write there writes nothing.
    ASSERT_TRUE(published::setTablePointer(kConfig1H));
    ASSERT_TRUE(SendCommand(0xC, 0x0000));
    ASSERT_TRUE(ExitProgMode());
    ASSERT_TRUE(chip.enterProgramMode());
    const auto afterReset = published::readBytes(kConfig1L, 8);
    const auto inFlash = published::readBytes(kJ64kConfigWords, 8);
    ASSERT_TRUE(ExitProgMode());
    chip.expectViolation(ViolationKind::UnimplementedTarget);

    EXPECT_EQ(beforeReset, std::vector<std::uint8_t>(mask.begin(), mask.begin() + 8)) << "loaded only at reset";
    EXPECT_EQ(inFlash, words);
    ASSERT_EQ(afterReset.size(), 8U);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(afterReset[i], words[i] & mask[i]) << "register " << i;
}

TEST(Configuration, JWordsWithoutTheirForcedBitsAreAViolation)
{
    // CONFIG1H without 1111b in its upper nibble; then with bit 3 set.
    for (const std::uint8_t config1H : {std::uint8_t {0x07}, std::uint8_t {0xFB}}) {
        SimHarness chip("PIC18F26J50", {}, EntryWiring::MclrOnly);
        ASSERT_TRUE(chip.enterProgramMode());
        const std::vector<std::uint8_t> words {0xEF, config1H, 0xDF, 0xFF, 0xFF, 0xF9, 0xFF, 0xF1};
        ASSERT_TRUE(published::writeBufferJ(kJ64kLastBlock, jLastBlock(words), published::kJ2X4XCode));
        ASSERT_TRUE(ExitProgMode());
        EXPECT_EQ(chip.violationCount(ViolationKind::ForcedConfigBits), 1U) << int {config1H};
        chip.expectViolation(ViolationKind::ForcedConfigBits);
    }
}

TEST(CodeProtection, JCp0HidesTheArrayFromTheNextResetUntilABulkErase)
{
    SimHarness chip("PIC18F26J50", {}, EntryWiring::MclrOnly);
    const std::vector<std::uint8_t> code(64, 0x5A);
    ASSERT_TRUE(chip.enterProgramMode());
    ASSERT_TRUE(published::writeBufferJ(0x0000, code, published::kJ2X4XCode));
    // CONFIG1H F3h: CP0 (bit 2) programmed, the forced bits kept.
    ASSERT_TRUE(published::writeBufferJ(kJ64kLastBlock,
                                        jLastBlock({0xEF, 0xF3, 0xDF, 0xFF, 0xFF, 0xF9, 0xFF, 0xF1}),
                                        published::kJ2X4XCode));
    const auto beforeReset = published::readByte(0x0000);
    ASSERT_TRUE(ExitProgMode());
    ASSERT_TRUE(chip.enterProgramMode());
    const auto protectedCode = published::readByte(0x0000);
    const auto protectedWords = published::readByte(kJ64kConfigWords + 1);
    ASSERT_TRUE(published::bulkEraseBufferFamily(published::kJChipErase, 104801));   // P11 524 ms
    const auto afterErase = published::readByte(0x0000);
    ASSERT_TRUE(ExitProgMode());

    EXPECT_EQ(beforeReset, 0x5A) << "verifiable until the chip resets";
    EXPECT_EQ(protectedCode, 0x00);
    EXPECT_EQ(protectedWords, 0x00) << "the configuration words are program memory too";
    EXPECT_EQ(afterErase, 0xFF) << "the bulk erase clears CP0";
}

} // namespace
} // namespace velmora::test
