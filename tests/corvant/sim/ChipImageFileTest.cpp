// A simulated chip's memory kept in a HEX file: saved and loaded back unchanged,
// started erased when the file is absent, refused when the file is not HEX, and
// filled from a file a real toolchain wrote.

#include <fstream>

#include <gtest/gtest.h>

#include "corvant/sim/ChipImageFile.h"
#include "tests/support/TempFolder.h"

namespace velmora::sim {
namespace {

using test::TempPath;

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ChipImageFile, SavedImageLoadsBackIntoTheSameMemory)
{
    const ChipModel& model = *findChipModel("PIC18F4620");
    const FaultSet none;
    ChipMemory saved(model, none);
    saved.programMemory()[0] = 0x12;
    saved.programMemory()[0xFFFF] = 0x34;
    saved.eeprom()[0x3FF] = 0x56;
    saved.ids()[7] = 0x78;
    saved.setConfigByte(1, 0x00);
    saved.setConfigByte(8, 0x05);
    TempPath file(".hex");
    std::string error;
    ASSERT_TRUE(saveChipImage(file.path(), saved, error)) << error;

    ChipMemory loaded(model, none);
    loaded.programMemory()[0x100] = 0x00;  // a load starts from an erased chip
    ASSERT_EQ(loadChipImage(file.path(), loaded, error), ImageLoad::Loaded) << error;
    EXPECT_TRUE(std::ranges::equal(loaded.programMemory(), saved.programMemory()));
    EXPECT_TRUE(std::ranges::equal(loaded.eeprom(), saved.eeprom()));
    EXPECT_EQ(loaded.ids(), saved.ids());
    EXPECT_EQ(loaded.config(), saved.config());
}

// A J part's configuration words are flash: the loaded chip's registers come from them,
// and its programmed bytes count as programmed once.
TEST(ChipImageFile, JPartLoadsItsConfigurationRegistersFromTheFlashWords)
{
    const ChipModel& model = *findChipModel("PIC18F46J50");
    const FaultSet none;
    ChipMemory saved(model, none);
    saved.programMemory()[0x0010] = 0x12;
    saved.programMemory()[0xFFF9] = 0xF3;   // CONFIG1H with CP0 programmed
    saved.loadConfigFromFlash();
    TempPath file(".hex");
    std::string error;
    ASSERT_TRUE(saveChipImage(file.path(), saved, error)) << error;

    ChipMemory loaded(model, none);
    ASSERT_EQ(loadChipImage(file.path(), loaded, error), ImageLoad::Loaded) << error;
    EXPECT_TRUE(std::ranges::equal(loaded.programMemory(), saved.programMemory()));
    EXPECT_EQ(loaded.config()[1], 0xF3 & model.configMask[1]);
    EXPECT_TRUE(loaded.isCodeProtected(0x0010));
    EXPECT_EQ(loaded.timesProgrammed(0x0010), 1);
    EXPECT_EQ(loaded.timesProgrammed(0x0011), 0);
}

TEST(ChipImageFile, AbsentFileGivesAnErasedChipAndInvalidFileIsRefused)
{
    const ChipModel& model = *findChipModel("PIC18F452");
    const FaultSet none;
    ChipMemory memory(model, none);
    memory.programMemory()[3] = 0x00;
    TempPath file(".hex");
    std::string error;
    EXPECT_EQ(loadChipImage(file.path(), memory, error), ImageLoad::Missing);
    EXPECT_EQ(memory.programMemory()[3], 0xFF);

    writeText(file.path(), ":020000040000FA\n:01000000AB00\n:00000001FF\n");
    EXPECT_EQ(loadChipImage(file.path(), memory, error), ImageLoad::Invalid);
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_EQ(memory.programMemory()[0], 0xFF) << "nothing of a refused file is kept";
}

TEST(ChipImageFile, BytesTheChipLacksAreIgnored)
{
    const ChipModel& model = *findChipModel("PIC18F2410");  // 16 KB, no EEPROM
    const FaultSet none;
    ChipMemory memory(model, none);
    TempPath file(".hex");
    // 3FFFh (last code byte), 4000h (beyond), F00000h (no EEPROM), 3FFFFEh (device ID).
    writeText(file.path(),
              ":020000040000FA\n:023FFF00AABB5B\n:020000040030CA\n:0100000022DD\n"
              ":0200000400F00A\n:0100000011EE\n:02000004003FBB\n:02FFFE00000001\n:00000001FF\n");
    std::string error;
    ASSERT_EQ(loadChipImage(file.path(), memory, error), ImageLoad::Loaded) << error;
    EXPECT_EQ(memory.programMemory()[0x3FFF], 0xAA);
    EXPECT_EQ(memory.config()[0], 0x00) << "CONFIG1L has no implemented bits here";
    EXPECT_EQ(memory.programMemory().size(), 0x4000U);
    EXPECT_TRUE(memory.eeprom().empty());
}

TEST(ChipImageFile, LoadsAnAssembledFileIntoEveryArea)
{
    const ChipModel& model = *findChipModel("PIC18F452");
    const FaultSet none;
    ChipMemory memory(model, none);
    std::string error;
    ASSERT_EQ(loadChipImage(VELMORA_TEST_HEX_DIR "/pic18f452-program.hex", memory, error), ImageLoad::Loaded)
        << error;
    EXPECT_EQ(memory.programMemory()[0], 0x80);
    EXPECT_EQ(memory.programMemory()[3], 0xF0);
    EXPECT_EQ(memory.programMemory()[0x1007], 0x80);
    EXPECT_EQ(memory.ids()[7], 0x08);
    EXPECT_EQ(memory.config()[1], 0x22);
    EXPECT_EQ(memory.config()[6], 0x81);
    EXPECT_EQ(std::string(memory.eeprom().begin(), memory.eeprom().begin() + 10), "PIC18 test");
}

} // namespace
} // namespace velmora::sim
