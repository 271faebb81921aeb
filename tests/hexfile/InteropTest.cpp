// Files our writer did not make: gpasm's output of the test programs, HEX files from
// other toolchains where they are at hand, and srec_cat as the independent reader of
// those files and of our own output.

#include <gtest/gtest.h>

#include <filesystem>

#include "devicedata/ConfigLocation.h"
#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/SaveHexFile.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

const std::string kTestDataDir = VELMORA_HEX_TESTDATA_DIR;
const std::string kSrecCat = VELMORA_SREC_CAT;
const std::string kGpasm = VELMORA_GPASM;
const std::string kTestHexDir = VELMORA_TEST_HEX_DIR;
const std::string kTestAsmDir = VELMORA_TEST_ASM_DIR;
const std::string kShippedDevicesIni = VELMORA_SHIPPED_DEVICES_INI;

// Our writer puts EEPROM (0xF00000) before the IDs and configuration, as its fixed
// record order demands; srec_cat warns about any descending record, so for our own
// files that one warning is turned off.
enum class Order { Ascending, EepromFirst };

// One area as srec_cat reads it, with the fill value in the holes.
std::string srecCatArea(const std::string& file, Address first, Address size, const char* fill, Order order)
{
    const test::TempFolder scratch;
    const std::string output = scratch.file("area.bin").string();
    const std::string from = std::to_string(first);
    const std::string to = std::to_string(first + size);
    const test::ToolRun run =
        test::RunTool({kSrecCat, order == Order::Ascending ? "-enable-sequence-warnings" : "-disable-sequence-warnings",
                       file, "-intel", "-crop", from, to, "-fill", fill, from, to, "-offset", "-" + from, "-o", output,
                       "-binary"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.printed, "") << file;
    return test::ReadWholeFile(output);
}

// Compares the image with srec_cat's reading of file, area by area and byte by byte:
// the values, and for program memory and EEPROM which bytes are present. A hole reads
// differently under two fills; a byte the file supplies does not. The areas are the
// device's: a J part's configuration at the top of its flash, and no IDs.
void expectSameAsSrecCat(const DeviceImage& image, const std::string& file, Order order = Order::Ascending)
{
    const MemoryImage& memory = image.image;
    const SelectedDevice& device = image.device;
    const struct {
        Address hexAddress;
        const std::uint8_t* bytes;
        Address size;
        bool (DeviceImage::*isPresent)(Address) const;
    } areas[] = {
        {0, memory.programMemory, memory.programMemorySize, &DeviceImage::IsProgramPresent},
        {kHexEepromAddress, memory.eeprom, memory.eepromSize, &DeviceImage::IsEepromPresent},
        {kIdAddress, memory.ids, hasIdLocations(device) ? Address{kIdCount} : 0, nullptr},
        {configByteAddress(device, memory, 0), memory.config, static_cast<Address>(configByteCount(device)), nullptr},
    };
    for (const auto& area : areas) {
        if (area.size == 0)
            continue;
        const std::string filled = srecCatArea(file, area.hexAddress, area.size, "0xFF", order);
        const std::string zeroed = srecCatArea(file, area.hexAddress, area.size, "0x00", order);
        ASSERT_EQ(filled.size(), area.size);
        ASSERT_EQ(zeroed.size(), area.size);
        std::size_t differences = 0;
        for (Address index = 0; index < area.size; ++index) {
            const bool inFile = filled[index] == zeroed[index];
            const bool present = area.isPresent ? (image.*area.isPresent)(index) : inFile;
            const auto expected = static_cast<std::uint8_t>(inFile || area.isPresent ? filled[index] : area.bytes[index]);
            differences += present != inFile || area.bytes[index] != expected;
        }
        EXPECT_EQ(differences, 0u) << file << " at " << std::hex << area.hexAddress;
    }
}

// The shipped Devices.ini's device of that name, with its masks, cleared with every byte
// present.
std::unique_ptr<DeviceImage> shippedImage(const std::string& name)
{
    DeviceList list;
    EXPECT_TRUE(LoadDeviceList(list, kShippedDevicesIni));
    auto image = std::make_unique<DeviceImage>();
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        list.MoveTo(i);
        if (list.CopyCurrent().name != name)
            continue;
        image->setMaskSource(kShippedDevicesIni, nullptr);
        image->SelectDevice(list.CopyCurrent());
        image->ClearImage(true);
        return image;
    }
    ADD_FAILURE() << name << " is not in " << kShippedDevicesIni;
    return image;
}

class WithSrecCat : public testing::Test {
protected:
    void SetUp() override
    {
        if (kSrecCat.empty())
            GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
    }
};

// Files from other toolchains, kept outside this repository: an optional extra check.
class ThirdPartyFiles : public WithSrecCat {
protected:
    void SetUp() override
    {
        WithSrecCat::SetUp();
        if (!std::filesystem::is_directory(kTestDataDir))
            GTEST_SKIP() << "no third-party HEX files at " << kTestDataDir << " (they are not part of this repository)";
    }
};

TEST_F(ThirdPartyFiles, LoadExactlyAsSrecCatReadsThem)
{
    for (const char* name : {"usb-bootloader-18f4550.hex", "blink-18f4550-app.hex", "gpasm-18f452-blink.hex"}) {
        auto image = test::MakeImage(0x8000, 0x100);
        test::ScriptedMessages messages;
        LoadHexFile(*image, kTestDataDir + "/" + name, messages);
        EXPECT_TRUE(messages.shown.empty()) << name;
        expectSameAsSrecCat(*image, kTestDataDir + "/" + name);
    }
}

TEST_F(WithSrecCat, TheAssembledTestProgramsLoadExactlyAsSrecCatReadsThem)
{
    const struct {
        const char* name;
        Address programSize;
        Address eepromSize;
    } programs[] = {{"pic18f452-program.hex", 0x8000, 0x100},
                    {"pic18f4550-bootloader.hex", 0x8000, 0x100},
                    {"pic18f2525-buffers.hex", 0xC000, 0x400}};
    for (const auto& program : programs) {
        const std::string file = kTestHexDir + "/" + program.name;
        auto image = test::MakeImage(program.programSize, program.eepromSize);
        test::ScriptedMessages messages;
        LoadHexFile(*image, file, messages);
        EXPECT_TRUE(messages.shown.empty()) << program.name;
        expectSameAsSrecCat(*image, file);
    }
}

TEST_F(WithSrecCat, GpasmOutputOfTheTestProgramLoadsWithItsKnownContents)
{
    if (kGpasm.empty())
        GTEST_SKIP() << "gpasm (Debian package gputils) is not installed";
    test::TempFolder scratch;
    const std::string output = scratch.file("program.hex").string();
    const test::ToolRun assembled =
        test::RunTool({kGpasm, "-a", "inhx32", "-w", "1", "-o", output, kTestAsmDir + "/pic18f452-program.asm"});
    ASSERT_EQ(assembled.exitCode, 0) << assembled.printed;

    auto image = test::MakeImage(0x8000, 0x100);
    test::ScriptedMessages messages;
    LoadHexFile(*image, output, messages);
    EXPECT_TRUE(messages.shown.empty());
    const MemoryImage& memory = image->image;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(memory.eeprom), 11), std::string("PIC18 test\0", 11));
    EXPECT_EQ(std::vector<std::uint8_t>(memory.ids, memory.ids + 8), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(std::vector<std::uint8_t>(memory.programMemory + 0x1000, memory.programMemory + 0x1008),
              (std::vector<std::uint8_t>{0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}));
    EXPECT_EQ(memory.programMemory[1], 0xEF); // goto main: GOTO's opcode in the high byte
    expectSameAsSrecCat(*image, output);
}

// J parts: gpasm places the configuration words at the top of flash; they load into the
// configuration area and our file has gpasm's bytes at gpasm's addresses, every byte
// gpasm leaves out blank.
TEST_F(WithSrecCat, GpasmBuiltJProgramsLoadTheirConfigurationAndSaveBackTheSameBytes)
{
    if (kGpasm.empty())
        GTEST_SKIP() << "gpasm (Debian package gputils) is not installed";
    const struct {
        const char* name;
        const char* device;
        Address flashSize;
        std::vector<std::uint8_t> config;
    } programs[] = {
        {"pic18f26j50-config", "PIC18F26J50", 0x10000, {0xA6, 0xF6, 0x15, 0xF8, 0x03, 0xF8, 0x81, 0xF1}},
        // gpasm knows no word at 1FFFCh, 1FFFEh or 1FFFFh of this part: their default
        // (the set mask, FFh) keeps them unprogrammed.
        {"pic18f67j60-config", "PIC18F67J60", 0x20000, {0xA0, 0xF4, 0x05, 0xF9, 0xFF, 0xF7, 0xFF, 0xFF}},
    };
    test::TempFolder scratch;
    for (const auto& program : programs) {
        const std::string assembled = scratch.file(std::string(program.name) + ".hex").string();
        const test::ToolRun run = test::RunTool(
            {kGpasm, "-a", "inhx32", "-w", "1", "-o", assembled, kTestAsmDir + "/" + program.name + ".asm"});
        ASSERT_EQ(run.exitCode, 0) << run.printed;

        auto image = shippedImage(program.device);
        ASSERT_EQ(image->image.programMemorySize + 8, program.flashSize);
        test::ScriptedMessages messages;
        LoadHexFile(*image, assembled, messages);
        EXPECT_TRUE(messages.shown.empty()) << program.name;
        EXPECT_EQ(std::vector<std::uint8_t>(image->image.config, image->image.config + 8), program.config)
            << program.name;
        expectSameAsSrecCat(*image, assembled);

        const std::string saved = scratch.file("saved.hex").string();
        SaveHexFile(*image, saved, messages);
        ASSERT_TRUE(messages.shown.empty());
        const Address flash = program.flashSize;
        EXPECT_EQ(srecCatArea(saved, 0, flash, "0xFF", Order::Ascending),
                  srecCatArea(assembled, 0, flash, "0xFF", Order::Ascending)) << program.name;
        EXPECT_EQ(srecCatArea(saved, 0, flash, "0x00", Order::Ascending),
                  srecCatArea(saved, 0, flash, "0xFF", Order::Ascending)) << "a hole in our file of " << program.name;
    }
}

TEST_F(WithSrecCat, SrecCatReadsOurOutputWithoutComplaint)
{
    test::TempFolder scratch;
    for (auto [programSize, eepromSize] : {std::pair{0x8000, 0x100}, std::pair{0x20008, 0x400}}) {
        auto image = test::MakeImage(programSize, eepromSize);
        test::FillPattern(*image, 3);
        test::ScriptedMessages messages;
        SaveHexFile(*image, scratch.file("saved.hex").string(), messages);
        ASSERT_TRUE(messages.shown.empty());
        // The writer dumps whole areas, so srec_cat must see every byte of the device.
        expectSameAsSrecCat(*image, scratch.file("saved.hex").string(), Order::EepromFirst);
    }
}

} // namespace
} // namespace velmora
