// Files no one here wrote: HEX files from real toolchains, gpasm's current output, and
// srec_cat as the independent reader of those files and of our own output.

#include <gtest/gtest.h>

#include <filesystem>

#include "hexfile/LoadHexFile.h"
#include "hexfile/SaveHexFile.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

using test::MessageRecorder;

const std::string kTestDataDir = VELMORA_HEX_TESTDATA_DIR;
const std::string kSrecCat = VELMORA_SREC_CAT;
const std::string kGpasm = VELMORA_GPASM;

std::string hexNumber(Address value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// One area as srec_cat sees it: the bytes, and which of them the file supplies.
struct SrecArea {
    std::string bytes;
    std::vector<bool> present;
};

// Our writer puts EEPROM (0xF00000) before the IDs and configuration, as the format
// it keeps demands; srec_cat warns about any descending record, so for our own files
// that one warning is turned off.
enum class Order { Ascending, OursWithEepromFirst };

SrecArea readWithSrecCat(const std::string& file, Address first, Address size, Order order)
{
    const std::string orderOption =
        order == Order::Ascending ? "-enable-sequence-warnings" : "-disable-sequence-warnings";
    auto run = [&](const char* fill) {
        const test::ProcessResult result =
            test::RunProgram({kSrecCat, orderOption, file, "-intel", "-crop", hexNumber(first), hexNumber(first + size), "-fill",
                              fill, hexNumber(first), hexNumber(first + size), "-offset", "-" + hexNumber(first),
                              "-o", "-", "-binary"});
        EXPECT_EQ(result.exitCode, 0) << result.errors;
        EXPECT_EQ(result.errors, "");
        return result.output;
    };
    // A hole takes the fill value, so it reads differently under two fills; data does not.
    SrecArea area{run("0xFF"), {}};
    const std::string zeroFilled = run("0x00");
    EXPECT_EQ(area.bytes.size(), size);
    EXPECT_EQ(zeroFilled.size(), size);
    for (std::size_t index = 0; index < size && index < zeroFilled.size() && index < area.bytes.size(); ++index)
        area.present.push_back(area.bytes[index] == zeroFilled[index]);
    return area;
}

// Compares the image with srec_cat's reading of file, area by area and byte by byte.
void expectSameAsSrecCat(const DeviceImage& image, const std::string& file, Order order = Order::Ascending)
{
    const MemoryImage& memory = image.image;
    struct Area {
        const char* name;
        Address hexAddress;
        const std::uint8_t* bytes;
        Address size;
        bool (DeviceImage::*isPresent)(Address) const;
    };
    const Area areas[] = {
        {"program memory", 0, memory.programMemory, memory.programMemorySize, &DeviceImage::IsProgramPresent},
        {"EEPROM", kHexEepromAddress, memory.eeprom, memory.eepromSize, &DeviceImage::IsEepromPresent},
        {"IDs", kIdAddress, memory.ids, kIdCount, nullptr},
        {"configuration", kConfigAddress, memory.config, kConfigCount, nullptr},
    };
    for (const Area& area : areas) {
        const SrecArea reference = readWithSrecCat(file, area.hexAddress, area.size, order);
        ASSERT_EQ(reference.present.size(), area.size) << area.name;
        std::size_t differences = 0;
        for (Address index = 0; index < area.size; ++index) {
            const bool present = reference.present[index];
            // Bytes without present bits must hold the file's value where it has one.
            const bool ours = area.isPresent ? (image.*area.isPresent)(index) : present;
            const bool sameByte = !present || area.bytes[index] == static_cast<std::uint8_t>(reference.bytes[index]);
            const bool blankWhereAbsent = present || area.bytes[index] == kBlank || !area.isPresent;
            if (ours != present || !sameByte || !blankWhereAbsent)
                ++differences;
        }
        EXPECT_EQ(differences, 0u) << area.name << " of " << file;
    }
}

class RealFiles : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::is_directory(kTestDataDir))
            GTEST_SKIP() << "no shared HEX test files at " << kTestDataDir << " (they are not part of this repository)";
        if (kSrecCat.empty())
            GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
    }
};

TEST_F(RealFiles, ToolchainFilesLoadExactlyAsSrecCatReadsThem)
{
    for (const char* name : {"usb-bootloader-18f4550.hex", "blink-18f4550-app.hex", "gpasm-18f452-blink.hex"}) {
        const std::string file = kTestDataDir + "/" + name;
        auto image = test::MakeImage(0x8000, 0x100);
        MessageRecorder messages;
        LoadHexFile(*image, file, messages);
        EXPECT_TRUE(messages.shown.empty()) << name;
        expectSameAsSrecCat(*image, file);
    }
}

TEST_F(RealFiles, GpasmOutputOfTheTestProgramLoadsWithItsKnownContents)
{
    if (kGpasm.empty())
        GTEST_SKIP() << "gpasm (Debian package gputils) is not installed";
    test::ScratchFolder scratch;
    const std::string source = scratch.path("blink.asm");
    const std::string output = scratch.path("blink.hex");
    std::filesystem::copy_file(kTestDataDir + "/gpasm-18f452-blink.asm", source);
    const test::ProcessResult assembled = test::RunProgram({kGpasm, "-a", "inhx32", "-w", "1", "-o", output, source});
    ASSERT_EQ(assembled.exitCode, 0) << assembled.output << assembled.errors;

    auto image = test::MakeImage(0x8000, 0x100);
    MessageRecorder messages;
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

TEST_F(RealFiles, SrecCatReadsOurOutputWithoutComplaint)
{
    test::ScratchFolder scratch;
    const std::string file = scratch.path("saved.hex");
    for (auto [programSize, eepromSize] : {std::pair{0x8000, 0x100}, std::pair{0x20008, 0x400}}) {
        auto image = test::MakeImage(programSize, eepromSize);
        test::FillPattern(*image, 3);
        MessageRecorder messages;
        SaveHexFile(*image, file, messages);
        ASSERT_TRUE(messages.shown.empty());
        // The writer dumps whole areas, so srec_cat must see every byte of the device.
        expectSameAsSrecCat(*image, file, Order::OursWithEepromFirst);
    }
}

} // namespace
} // namespace velmora
