// The loader's rules: address map and bases, device limits, every message and its
// line number, and the image left behind.

#include <gtest/gtest.h>

#include <vector>

#include "hexfile/HexMessages.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/MemoryByteSource.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

using test::MessageRecorder;

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

const std::string kEof = ":00000001FF\r\n";

std::string linear(unsigned upper)
{
    return rec(4, 0, {upper >> 8, upper & 0xFF});
}

struct Load {
    std::unique_ptr<DeviceImage> image;
    MessageRecorder messages;

    explicit Load(const std::string& text, std::int32_t programSize = 0x8000, std::int32_t eepromSize = 0x100)
        : image(test::MakeImage(programSize, eepromSize))
    {
        MemoryByteSource source(text);
        LoadHex(*image, source, messages);
    }

    std::size_t presentCount() const
    {
        std::size_t count = 0;
        for (Address a = 0; a < kProgramMemoryCapacity; ++a)
            count += image->IsProgramPresent(a);
        for (Address a = 0; a < kEepromCapacity; ++a)
            count += image->IsEepromPresent(a);
        return count;
    }

    // The error exit: one error box with the text, and a blank image with every byte present.
    void expectFailure(std::string_view text) const
    {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
        EXPECT_EQ(messages.shown[0].buttons, ButtonOk);
        EXPECT_EQ(messages.shown[0].text, text);
        const MemoryImage& memory = image->image;
        EXPECT_TRUE(std::all_of(std::begin(memory.programMemory), std::end(memory.programMemory),
                                [](std::uint8_t b) { return b == kBlank; }));
        EXPECT_TRUE(std::all_of(std::begin(memory.eeprom), std::end(memory.eeprom), [](std::uint8_t b) { return b == kBlank; }));
        EXPECT_TRUE(std::all_of(std::begin(memory.ids), std::end(memory.ids), [](std::uint8_t b) { return b == kBlank; }));
        EXPECT_EQ(presentCount(), kProgramMemoryCapacity + kEepromCapacity);
    }
};

TEST(LoadHex, StoresEachAreaAndMarksOnlySuppliedBytesPresent)
{
    const Load load(rec(0, 0x7FFE, {0x12, 0x34}) + linear(0x00F0) + rec(0, 0x00FF, {0xEE}) + linear(0x0020) +
                    rec(0, 0, {1, 2, 3, 4, 5, 6, 7, 8}) + linear(0x0030) + rec(0, 0x000D, {0x5A}) + kEof);
    EXPECT_TRUE(load.messages.shown.empty());
    const MemoryImage& memory = load.image->image;
    EXPECT_EQ(memory.programMemory[0x7FFE], 0x12);
    EXPECT_EQ(memory.programMemory[0x7FFF], 0x34);
    EXPECT_EQ(memory.eeprom[0xFF], 0xEE);
    EXPECT_EQ(std::vector<std::uint8_t>(memory.ids, memory.ids + 8), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(memory.config[13], 0x5A);
    // Configuration bytes the file leaves alone keep the default; the device ID stays blank.
    EXPECT_EQ(memory.config[1], memory.configMask[1] | memory.configSetMask[1]);
    EXPECT_EQ(memory.deviceId[0], 0xFF);
    EXPECT_EQ(memory.deviceId[1], 0xFF);
    EXPECT_TRUE(load.image->IsProgramPresent(0x7FFE));
    EXPECT_TRUE(load.image->IsEepromPresent(0xFF));
    EXPECT_FALSE(load.image->IsProgramPresent(0x7FFD));
    EXPECT_EQ(load.presentCount(), 3u);
}

TEST(LoadHex, PresentBitsCoverExactlyAnUnalignedRecord)
{
    const std::vector<unsigned> twenty(20, 0x3C);
    const Load load(rec(0, 0x0005, twenty) + kEof);
    EXPECT_FALSE(load.image->IsProgramPresent(0x0004));
    for (Address address = 0x0005; address < 0x0019; ++address)
        EXPECT_TRUE(load.image->IsProgramPresent(address)) << address;
    EXPECT_FALSE(load.image->IsProgramPresent(0x0019));
    EXPECT_EQ(load.presentCount(), 20u);
    EXPECT_EQ(load.image->image.programMemory[0x0018], 0x3C);
    EXPECT_EQ(load.image->image.programMemory[0x0019], kBlank);
}

TEST(LoadHex, AcceptsLowerCaseSpacesBellsCommentsAndAnyLineEnd)
{
    const std::string plain = rec(0, 0x0100, {0xAB, 0xCD}) + kEof;
    const std::string relaxed = "; made by hand\n\n   :02 0100 00 ab\acd 85\r\rjunk\n:00000001ff";
    const Load reference(plain);
    const Load load(relaxed);
    EXPECT_TRUE(load.messages.shown.empty());
    EXPECT_EQ(0, std::memcmp(load.image->image.programMemory, reference.image->image.programMemory, 0x200));
    EXPECT_EQ(load.presentCount(), 2u);
}

TEST(LoadHex, LinearBaseRunsOnPastA64KBoundarySegmentBaseWrapsWithinItsSegment)
{
    const Load viaLinear(linear(0x0001) + rec(0, 0xFFFF, {0xA1, 0xA2}) + kEof, 0x30000);
    EXPECT_EQ(viaLinear.image->image.programMemory[0x1FFFF], 0xA1);
    EXPECT_EQ(viaLinear.image->image.programMemory[0x20000], 0xA2);

    const Load viaSegment(rec(2, 0, {0x10, 0x00}) + rec(0, 0xFFFF, {0xB1, 0xB2}) + kEof, 0x30000);
    EXPECT_TRUE(viaSegment.messages.shown.empty());
    EXPECT_EQ(viaSegment.image->image.programMemory[0x1FFFF], 0xB1);
    EXPECT_EQ(viaSegment.image->image.programMemory[0x10000], 0xB2);
    EXPECT_EQ(viaSegment.presentCount(), 2u);
}

TEST(LoadHex, RejectsAddressesBeyondTheDeviceWithTheSpacedMessage)
{
    using hexmessages::kAddressBeyondDevice;
    const Load lastByte(rec(0, 0x7FFF, {0x00}) + kEof);
    EXPECT_TRUE(lastByte.messages.shown.empty());
    // The bytes before the offending one were stored; the error exit blanks them again.
    Load(rec(0, 0x7FFE, {0x00, 0x11, 0x22}) + kEof).expectFailure(kAddressBeyondDevice);
    Load(linear(0x00F0) + rec(0, 0x0100, {0x00}) + kEof).expectFailure(kAddressBeyondDevice);
    Load(linear(0x00F0) + rec(0, 0, {0x00}) + kEof, 0x8000, 0).expectFailure(kAddressBeyondDevice);
}

TEST(LoadHex, RejectsAddressesOutsideTheMapWithTheUnspacedMessage)
{
    using hexmessages::kAddressOutsideMap;
    Load(linear(0x003F) + rec(0, 0xFFFE, {0x00}) + kEof).expectFailure(kAddressOutsideMap);
    Load(linear(0x0020) + rec(0, 0x0008, {0x00}) + kEof).expectFailure(kAddressOutsideMap);
    Load(linear(0x0030) + rec(0, 0x000E, {0x00}) + kEof).expectFailure(kAddressOutsideMap);
    Load(linear(0x0010) + rec(0, 0, {0x00}) + kEof).expectFailure(kAddressOutsideMap);
}

TEST(LoadHex, NamesTheLineOfChecksumAndAddressRecordErrors)
{
    const std::string comments = "comment\r\n\r\n";
    Load(comments + rec(0, 0, {1}) + ":0100000002FC\r\n").expectFailure(
        "INHX32 HEX file error.\r\nIncorrect checksum at line 4.");
    Load(comments + rec(2, 0, {0x10})).expectFailure(
        "Program cannot determine segment address\r\nin the HEX file, line 3.");
    Load(comments + rec(0, 0, {1}) + rec(4, 0, {0, 0, 0})).expectFailure(
        "Program cannot determine lin. address\r\nin the HEX file, line 4.");
}

TEST(LoadHex, MalformedRecordsAndUnknownTypesAreFormatErrors)
{
    using hexmessages::kFormatError;
    for (const std::string& bad : {std::string(":0000000\r\n"), std::string(":0100000000\r\n"),
                                   rec(3, 0, {0, 0, 0, 0}), rec(5, 0, {0, 0, 0, 0}),
                                   std::string(":00000001FF") + '\0' + "\r\n",
                                   ":" + std::string(600, '0') + "\r\n"})
        Load(rec(0, 0, {7}) + bad + kEof).expectFailure(kFormatError);
}

TEST(LoadHex, NothingAfterTheEndOfFileRecordIsRead)
{
    const Load load(rec(0, 0, {7}) + rec(1, 0x1234, {0xAA}) + ":garbage\r\n" + rec(0, 0xFFFF, {1}));
    EXPECT_TRUE(load.messages.shown.empty());
    EXPECT_EQ(load.image->image.programMemory[0], 7);
}

TEST(LoadHex, MissingEndOfFileRecordWarnsAndKeepsTheData)
{
    const Load load(rec(0, 0x10, {0x42}));
    ASSERT_EQ(load.messages.shown.size(), 1u);
    EXPECT_EQ(load.messages.shown[0].kind, MessageKind::Warning);
    EXPECT_EQ(load.messages.shown[0].text, hexmessages::kEofMissing);
    EXPECT_EQ(load.image->image.programMemory[0x10], 0x42);
    EXPECT_EQ(load.presentCount(), 1u);

    for (const std::string& noRecords : {std::string(), std::string("no records here\n\0\n", 19)}) {
        const Load empty(noRecords);
        ASSERT_EQ(empty.messages.shown.size(), 1u);
        EXPECT_EQ(empty.messages.shown[0].text, hexmessages::kEofMissing);
        EXPECT_EQ(empty.presentCount(), 0u);
    }
}

} // namespace
} // namespace velmora
