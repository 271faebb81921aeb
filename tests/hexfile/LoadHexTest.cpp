// The loader's rules: address map and bases, device limits, every message and its
// line number, and the image left behind.

#include <gtest/gtest.h>

#include "hexfile/HexMessages.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/MemoryByteSource.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

// A record with its checksum, computed here independently of the library.
std::string rec(unsigned type, unsigned offset, const std::vector<unsigned>& data)
{
    std::vector<unsigned> bytes = {static_cast<unsigned>(data.size()), offset >> 8, offset & 0xFF, type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    std::string text = ":";
    char digits[3];
    for (unsigned byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", byte & 0xFF);
        text += digits;
        sum += byte;
    }
    std::snprintf(digits, sizeof digits, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return text + digits + "\r\n";
}

std::string linear(unsigned upper)
{
    return rec(4, 0, {upper >> 8, upper & 0xFF});
}

const std::string kEof = ":00000001FF\r\n";

struct Load {
    std::unique_ptr<DeviceImage> image;
    test::ScriptedMessages messages;

    explicit Load(const std::string& text, std::int32_t programSize = 0x8000, std::int32_t eepromSize = 0x100)
        : Load(text, test::MakeImage(programSize, eepromSize))
    {
    }
    Load(const std::string& text, std::unique_ptr<DeviceImage> device) : image(std::move(device))
    {
        MemoryByteSource source(text);
        LoadHex(*image, source, messages);
    }
    const std::uint8_t* program() const { return image->image.programMemory; }
    std::size_t presentCount() const
    {
        std::size_t count = 0;
        for (Address a = 0; a < kProgramMemoryCapacity; ++a)
            count += image->IsProgramPresent(a) + (a < kEepromCapacity && image->IsEepromPresent(a));
        return count;
    }
};

TEST(LoadHex, StoresEachAreaAndMarksExactlyTheSuppliedBytesPresent)
{
    const Load load(rec(0, 0x0005, std::vector<unsigned>(20, 0x3C)) + rec(0, 0x7FFF, {0x12}) + linear(0x00F0) +
                    rec(0, 0x00FF, {0xEE}) + linear(0x0020) + rec(0, 0, {1, 2, 3, 4, 5, 6, 7, 8}) + linear(0x0030) +
                    rec(0, 0x000D, {0x5A}) + kEof);
    EXPECT_TRUE(load.messages.shown.empty());
    const MemoryImage& memory = load.image->image;
    EXPECT_EQ(load.presentCount(), 22u);
    EXPECT_FALSE(load.image->IsProgramPresent(0x0004));
    EXPECT_TRUE(load.image->IsProgramPresent(0x0005) && load.image->IsProgramPresent(0x0018));
    EXPECT_FALSE(load.image->IsProgramPresent(0x0019));
    EXPECT_EQ(load.program()[0x0018], 0x3C);
    EXPECT_EQ(load.program()[0x0019], kBlank);
    EXPECT_EQ(load.program()[0x7FFF], 0x12);
    EXPECT_TRUE(load.image->IsEepromPresent(0xFF));
    EXPECT_EQ(memory.eeprom[0xFF], 0xEE);
    EXPECT_EQ(std::vector<std::uint8_t>(memory.ids, memory.ids + 8), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(memory.config[13], 0x5A);
    // Configuration bytes the file leaves alone keep the default; the device ID stays blank.
    EXPECT_EQ(memory.config[1], memory.configMask[1] | memory.configSetMask[1]);
    EXPECT_EQ(memory.deviceId[0] & memory.deviceId[1], 0xFF);
}

TEST(LoadHex, AcceptsLowerCaseSpacesBellsCommentsAndAnyLineEnd)
{
    const Load load("; made by hand\n\n   :02 0100 00 ab\acd 85\r\rjunk\n:00000001ff");
    EXPECT_TRUE(load.messages.shown.empty());
    EXPECT_EQ(load.program()[0x100], 0xAB);
    EXPECT_EQ(load.program()[0x101], 0xCD);
    EXPECT_EQ(load.presentCount(), 2u);
}

TEST(LoadHex, LinearBaseRunsOnPastA64KBoundarySegmentBaseWrapsWithinItsSegment)
{
    const Load viaLinear(linear(0x0001) + rec(0, 0xFFFF, {0xA1, 0xA2}) + kEof, 0x30000);
    EXPECT_EQ(viaLinear.program()[0x1FFFF], 0xA1);
    EXPECT_EQ(viaLinear.program()[0x20000], 0xA2);
    const Load viaSegment(rec(2, 0, {0x10, 0x00}) + rec(0, 0xFFFF, {0xB1, 0xB2}) + kEof, 0x30000);
    EXPECT_EQ(viaSegment.program()[0x1FFFF], 0xB1);
    EXPECT_EQ(viaSegment.program()[0x10000], 0xB2);
    EXPECT_EQ(viaSegment.presentCount(), 2u);
}

TEST(LoadHex, EveryErrorShowsItsTextAndLeavesABlankImageWithEveryBytePresent)
{
    using namespace hexmessages;
    const std::string comments = "comment\r\n\r\n";
    const std::string data = rec(0, 0, {7});
    const struct {
        std::string text;
        std::string message;
        std::int32_t eepromSize = 0x100;
    } cases[] = {
        // Bytes before the offending one were stored; the error exit blanks them again.
        // The address named is the first byte refused, on the line that asked for it.
        {rec(0, 0x7FFE, {0x00, 0x11, 0x22}), std::string(kAddressBeyondDevice) + "\r\nAddress 008000, line 1."},
        {linear(0x00F0) + rec(0, 0x0100, {0x00}), std::string(kAddressBeyondDevice) + "\r\nAddress F00100, line 2."},
        {linear(0x00F0) + rec(0, 0, {0x00}), std::string(kAddressBeyondDevice) + "\r\nAddress F00000, line 2.", 0},
        {comments + linear(0x003F) + rec(0, 0xFFFE, {0x00}), std::string(kAddressOutsideMap) + "\r\nAddress 3FFFFE, line 4."},
        {linear(0x0020) + rec(0, 0x0008, {0x00}), std::string(kAddressOutsideMap) + "\r\nAddress 200008, line 2."},
        {linear(0x0030) + rec(0, 0x000E, {0x00}), std::string(kAddressOutsideMap) + "\r\nAddress 30000E, line 2."},
        {linear(0x0010) + rec(0, 0, {0x00}), std::string(kAddressOutsideMap) + "\r\nAddress 100000, line 2."},
        {linear(0xFFFF) + rec(0, 0xFFFF, {0x00}), std::string(kAddressOutsideMap) + "\r\nAddress FFFFFFFF, line 2."},
        {comments + data + ":0100000002FC\r\n", "INHX32 HEX file error.\r\nIncorrect checksum at line 4."},
        {comments + rec(2, 0, {0x10}), "Program cannot determine segment address\r\nin the HEX file, line 3."},
        {comments + data + rec(4, 0, {0, 0, 0}), "Program cannot determine lin. address\r\nin the HEX file, line 4."},
        {data + ":0000000\r\n", std::string(kFormatError)},
        {data + ":0100000000\r\n", std::string(kFormatError)},
        {data + ":00000001F\r\n", std::string(kFormatError)},
        {data + ":000000x1FF\r\n", std::string(kFormatError)},
        {data + rec(3, 0, {0, 0, 0, 0}), std::string(kFormatError)},
        {data + rec(5, 0, {0, 0, 0, 0}), std::string(kFormatError)},
        {data + ":00000001FF" + std::string(1, '\0') + "\r\n", std::string(kFormatError)},
        {data + ":" + std::string(600, '0') + "\r\n", std::string(kFormatError)},
    };
    for (const auto& [text, message, eepromSize] : cases) {
        const Load load(text + kEof, 0x8000, eepromSize);
        EXPECT_TRUE(load.messages.showedOnly(MessageKind::Error, message)) << text;
        EXPECT_EQ(load.program()[0], kBlank) << text;
        EXPECT_EQ(load.program()[0x7FFE], kBlank) << text;
        EXPECT_EQ(load.presentCount(), kProgramMemoryCapacity + kEepromCapacity) << text;
    }
}

TEST(LoadHex, NothingAfterTheEndOfFileRecordIsReadAndAMissingOneOnlyWarns)
{
    const Load ended(rec(0, 0, {7}) + rec(1, 0x1234, {0xAA}) + ":garbage\r\n" + rec(0, 0xFFFF, {1}));
    EXPECT_TRUE(ended.messages.shown.empty());
    EXPECT_EQ(ended.program()[0], 7);

    const Load unended(rec(0, 0x10, {0x42}));
    EXPECT_TRUE(unended.messages.showedOnly(MessageKind::Warning, hexmessages::kEofMissing));
    EXPECT_EQ(unended.program()[0x10], 0x42);
    EXPECT_EQ(unended.presentCount(), 1u);

    for (const std::string& noRecords : {std::string(), std::string("no records here\n\0\n", 19)}) {
        const Load empty(noRecords);
        EXPECT_TRUE(empty.messages.showedOnly(MessageKind::Warning, hexmessages::kEofMissing));
        EXPECT_EQ(empty.presentCount(), 0u);
    }
}

// A J part of 64 KB flash: code up to FFF7h, its configuration words in FFF8h..FFFFh.
TEST(LoadHex, AJPartTakesItsConfigurationFromTheTopOfFlashOrFrom300000hWithANote)
{
    const std::vector<unsigned> words{0xA1, 0xF4, 0xC7, 0xFF, 0xF8, 0xF1, 0xFF, 0xF1};
    const std::vector<std::uint8_t> expected(words.begin(), words.end());
    const Load fromFlash(rec(0, 0xFFF0, std::vector<unsigned>(8, 0x12)) + rec(0, 0xFFF8, words) + kEof,
                         test::MakeFlashConfigImage(0x10000));
    EXPECT_TRUE(fromFlash.messages.shown.empty());
    const MemoryImage& memory = fromFlash.image->image;
    EXPECT_EQ(std::vector<std::uint8_t>(memory.config, memory.config + 8), expected);
    EXPECT_EQ(fromFlash.program()[0xFFF7], 0x12);
    EXPECT_EQ(fromFlash.presentCount(), 8u);

    const Load from300000(linear(0x0030) + rec(0, 0, words) + kEof, test::MakeFlashConfigImage(0x10000));
    EXPECT_TRUE(from300000.messages.showedOnly(MessageKind::Warning, hexmessages::kConfigMovedToFlash));
    const MemoryImage& moved = from300000.image->image;
    EXPECT_EQ(std::vector<std::uint8_t>(moved.config, moved.config + 8), expected);
    EXPECT_EQ(from300000.presentCount(), 0u);
}

TEST(LoadHex, AJPartHasNoIdsNoUpperConfigurationBytesAndNothingAboveItsFlash)
{
    using namespace hexmessages;
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {linear(0x0020) + rec(0, 0, {0x00}), std::string(kAddressBeyondDevice) + "\r\nAddress 200000, line 2."},
        {linear(0x0030) + rec(0, 0x0007, {0x00, 0x00}), std::string(kAddressBeyondDevice) + "\r\nAddress 300008, line 2."},
        {linear(0x0030) + rec(0, 0x000D, {0x00}), std::string(kAddressBeyondDevice) + "\r\nAddress 30000D, line 2."},
        {linear(0x0001) + rec(0, 0, {0x00}), std::string(kAddressBeyondDevice) + "\r\nAddress 010000, line 2."},
        {linear(0x00F0) + rec(0, 0, {0x00}), std::string(kAddressBeyondDevice) + "\r\nAddress F00000, line 2."},
        {linear(0x0030) + rec(0, 0x000E, {0x00}), std::string(kAddressOutsideMap) + "\r\nAddress 30000E, line 2."},
    };
    for (const auto& [text, message] : cases) {
        const Load load(text + kEof, test::MakeFlashConfigImage(0x10000));
        EXPECT_TRUE(load.messages.showedOnly(MessageKind::Error, message)) << text;
    }
}

} // namespace
} // namespace velmora
