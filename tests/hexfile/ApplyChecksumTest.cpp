// The program checksum: both types, the warning question and its rules, odd and tiny sizes.

#include <gtest/gtest.h>

#include "hexfile/ApplyChecksum.h"
#include "hexfile/HexMessages.h"
#include "hexfile/InvalidIntegerValue.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

using test::MessageRecorder;

struct ChecksumCase {
    std::unique_ptr<DeviceImage> image;
    MessageRecorder messages;
    ChecksumSettings settings;

    explicit ChecksumCase(std::int32_t programSize, std::int32_t type = SimpleSumOfWords)
        : image(test::MakeImage(programSize, 0))
    {
        settings.enabled = true;
        settings.warnEnabled = false;
        settings.type = type;
        image->ClearImage(false);
    }

    void setWord(Address byteAddress, std::uint16_t value)
    {
        image->image.programMemory[byteAddress] = static_cast<std::uint8_t>(value);
        image->image.programMemory[byteAddress + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    std::uint16_t word(Address byteAddress) const
    {
        return static_cast<std::uint16_t>(image->image.programMemory[byteAddress] |
                                          image->image.programMemory[byteAddress + 1] << 8);
    }
    void apply() { ApplyChecksum(*image, settings, messages); }
};

TEST(ApplyChecksum, BlankDeviceGetsTheSumOrTheAdditionToZeroAndBothBytesPresent)
{
    ChecksumCase simple(0x8000, SimpleSumOfWords);
    simple.apply();
    EXPECT_EQ(simple.word(0x7FFE), 0xC001);
    EXPECT_TRUE(simple.image->IsProgramPresent(0x7FFE));
    EXPECT_TRUE(simple.image->IsProgramPresent(0x7FFF));
    EXPECT_FALSE(simple.image->IsProgramPresent(0x7FFD));

    ChecksumCase toZero(0x8000, AdditionToZero);
    toZero.apply();
    EXPECT_EQ(toZero.word(0x7FFE), 0x3FFF);
}

TEST(ApplyChecksum, SumsLittleEndianWordsAndIgnoresTheOddTrailingByte)
{
    ChecksumCase odd(7);
    odd.setWord(0, 0x1234);
    odd.setWord(2, 0xF00F);
    odd.image->image.programMemory[6] = 0x77;
    odd.apply();
    EXPECT_EQ(odd.word(4), static_cast<std::uint16_t>(0x1234 + 0xF00F));
    EXPECT_EQ(odd.image->image.programMemory[6], 0x77);
    EXPECT_FALSE(odd.image->IsProgramPresent(6));
}

TEST(ApplyChecksum, DisabledUnknownTypeAndTinyDevices)
{
    ChecksumCase disabled(0x100);
    disabled.settings.enabled = false;
    disabled.apply();
    EXPECT_EQ(disabled.word(0xFE), 0xFFFF);
    EXPECT_FALSE(disabled.image->IsProgramPresent(0xFE));

    ChecksumCase unknownType(0x100, 7);
    unknownType.apply();
    EXPECT_EQ(unknownType.word(0xFE), 0x0000);

    for (std::int32_t size : {0, 1}) {
        ChecksumCase tiny(size);
        tiny.settings.warnEnabled = true;
        tiny.settings.warnValue = "not a number";
        EXPECT_NO_THROW(tiny.apply());
        EXPECT_EQ(tiny.word(0), 0xFFFF);
        EXPECT_FALSE(tiny.image->IsProgramPresent(0));
    }

    ChecksumCase oneWord(2);
    oneWord.apply();
    EXPECT_EQ(oneWord.word(0), 0x0000);
}

TEST(ApplyChecksum, AsksOnlyWhenTheLastWordIsNeitherTheWarnValueNorTheChecksum)
{
    for (const char* blankForm : {"0xFFFF", "$ffff", "xFFFF", "65535", "  +0XFFFF"}) {
        ChecksumCase expected(0x8000);
        expected.settings.warnEnabled = true;
        expected.settings.warnValue = blankForm;
        expected.apply();
        EXPECT_TRUE(expected.messages.shown.empty()) << blankForm;
        EXPECT_EQ(expected.word(0x7FFE), 0xC001) << blankForm;
    }

    ChecksumCase alreadyCorrect(0x8000);
    alreadyCorrect.settings.warnEnabled = true;
    alreadyCorrect.setWord(0x7FFE, 0xC001);
    alreadyCorrect.apply();
    EXPECT_TRUE(alreadyCorrect.messages.shown.empty());

    for (MessageButton answer : {ButtonNo, ButtonYes}) {
        ChecksumCase differs(0x8000);
        differs.settings.warnEnabled = true;
        differs.settings.warnValue = "0x10000"; // above any word: never the expected value
        differs.messages.questionAnswer = answer;
        differs.setWord(0x7FFE, 0x1234);
        differs.apply();
        ASSERT_EQ(differs.messages.shown.size(), 1u);
        EXPECT_EQ(differs.messages.shown[0].kind, MessageKind::Warning);
        EXPECT_EQ(differs.messages.shown[0].buttons, ButtonYes | ButtonNo);
        EXPECT_EQ(differs.messages.shown[0].text, hexmessages::kChecksumQuestion);
        EXPECT_EQ(differs.word(0x7FFE), answer == ButtonYes ? 0xC001 : 0x1234);
        EXPECT_EQ(differs.image->IsProgramPresent(0x7FFE), answer == ButtonYes);
    }
}

TEST(ApplyChecksum, WarnValueThatIsNoIntegerThrowsWithItsTextAndChangesNothing)
{
    ChecksumCase invalid(0x8000);
    invalid.settings.warnEnabled = true;
    invalid.settings.warnValue = "0xFFFFG";
    invalid.setWord(0x7FFE, 0x1234);
    try {
        invalid.apply();
        ADD_FAILURE() << "no exception";
    } catch (const InvalidIntegerValue& error) {
        EXPECT_STREQ(error.what(), "'0xFFFFG' is not a valid integer value");
        EXPECT_EQ(error.text(), "0xFFFFG");
    }
    EXPECT_EQ(invalid.word(0x7FFE), 0x1234);
    EXPECT_TRUE(invalid.messages.shown.empty());
}

} // namespace
} // namespace velmora
