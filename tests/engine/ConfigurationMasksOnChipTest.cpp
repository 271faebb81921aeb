// The configuration masks where they reach the wire: the set mask forced into the
// even bytes' operands (and so into the chip), and a blank check that looks only at
// the bits the mask controls.

#include <fstream>

#include <gtest/gtest.h>

#include "devicedata/ConfigMasks.h"
#include "engine/EngineTexts.h"
#include "tests/engine/ChipUnderTest.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TempFolder.h"

namespace velmora::test {
namespace {

// The configuration bytes in the order their 1111 writes reach the chip.
constexpr int kWriteOrder[kConfigCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 10, 11};

void programConfigurationOnly(ChipUnderTest& t)
{
    t.engine.options = {.programMemory = false, .eeprom = false, .ids = false, .configuration = true};
    t.run(OperationProgram);
    ASSERT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});
}

// The 1111 operand each configuration byte was written with, by image index.
std::vector<std::uint16_t> configurationOperands(const SimHarness& sim)
{
    std::vector<std::uint16_t> written;
    for (const sim::DecodedCommand& c : sim.commands()) {
        if (c.command == kWriteStart)
            written.push_back(c.operand);
    }
    EXPECT_EQ(written.size(), static_cast<std::size_t>(kConfigCount));
    std::vector<std::uint16_t> byIndex(kConfigCount);
    for (std::size_t n = 0; n < written.size() && n < byIndex.size(); ++n)
        byIndex[static_cast<std::size_t>(kWriteOrder[n])] = written[n];
    return byIndex;
}

TEST(SetMaskOnChip, MissingProtectionBlocksAreWrittenUnprotected)
{
    // A PIC18F452 entered without code-protection blocks 2 and 3: their CPn, WRTn and
    // EBTRn bits are forced to 1 by the set mask whatever the image says.
    ChipUnderTest t("PIC18F452");
    t.engine.data().device.cp2App = false;
    t.engine.data().device.cp3App = false;
    t.engine.data().ClearImage(true);
    for (ConfigByte k : {CONFIG5L, CONFIG6L, CONFIG7L}) {
        ASSERT_EQ(t.image().configSetMask[k], 0x0C);
        t.image().config[k] = 0x03;   // blocks 2 and 3 "protected" in the image
    }
    programConfigurationOnly(t);

    const std::vector<std::uint16_t> operands = configurationOperands(t.sim);
    for (ConfigByte k : {CONFIG5L, CONFIG6L, CONFIG7L}) {
        EXPECT_EQ(operands[k], 0x000F) << "operand of configuration byte " << int{k};
        EXPECT_EQ(t.sim.memory().config()[k] & 0x0F, 0x0F) << "chip's configuration byte " << int{k};
    }
}

TEST(SetMaskOnChip, TypeThreeSetMaskReachesTheEvenByte)
{
    // CONFIG4L of a PIC18F4550 with STVREN taken from the user and forced on.
    const TempPath ini(".ini");
    std::ofstream(ini.path()) << "[PIC18F4550]\r\nMask=3F CF 3F 1F 00 87 C4 00 0F C0 0F E0 0F 40\r\n"
                                 "SetMask=00 00 00 00 00 00 01 00 00 00 00 00 00 00\r\n";
    ChipUnderTest t("PIC18F4550");
    t.engine.data().setMaskSource(ini.path().string(), &t.messages);
    t.engine.data().ClearImage(true);
    ASSERT_TRUE(t.messages.shown.empty());
    ASSERT_EQ(t.image().configSetMask[CONFIG4L], 0x01);
    t.image().config[CONFIG4L] = 0x80;   // STVREN clear in the image
    programConfigurationOnly(t);

    EXPECT_EQ(configurationOperands(t.sim)[CONFIG4L], 0x0081);
    EXPECT_EQ(t.sim.memory().config()[CONFIG4L] & 0x01, 0x01);
}

// A blank check looks only at the bits the mask controls: the others may read zero, a
// cleared controlled bit (WDTEN programmed) may not.
class BlankCheckMaskTest : public EngineTest {};

TEST_F(BlankCheckMaskTest, OnlyAClearedMaskedBitIsNotBlank)
{
    const MemoryImage& memory = engine.data().image;
    const std::vector<std::uint8_t> maskOnly(memory.configMask, memory.configMask + kConfigCount);
    std::vector<std::uint8_t> wdtenProgrammed = maskOnly;
    wdtenProgrammed[CONFIG2H] = static_cast<std::uint8_t>(maskOnly[CONFIG2H] & 0xFE);
    ASSERT_NE(wdtenProgrammed[CONFIG2H], maskOnly[CONFIG2H]);
    for (const auto& [config, report] : {std::pair{maskOnly, texts::kDeviceIsBlank},
                                         std::pair{wdtenProgrammed, texts::kDeviceIsNotBlank}}) {
        SCOPED_TRACE(report);
        pins.clear();
        scriptBytes(std::vector<std::uint8_t>(memory.programMemorySize + memory.eepromSize + kIdCount, kBlank));
        scriptBytes(config);
        window.run(OperationBlankCheck);
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{report});
    }
}

} // namespace
} // namespace velmora::test
