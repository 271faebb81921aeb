// The program checksum: both types, the warning question and its rules, odd and tiny sizes.

#include <gtest/gtest.h>

#include "hexfile/ApplyChecksum.h"
#include "hexfile/HexMessages.h"
#include "hexfile/InvalidIntegerValue.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

struct Checksum {
    std::unique_ptr<DeviceImage> image;
    test::ScriptedMessages messages;
    ChecksumSettings settings{true, false, "0x0000", SimpleSumOfWords};

    explicit Checksum(std::int32_t programSize) : image(test::MakeImage(programSize, 0)) { image->ClearImage(false); }
    void setWord(Address at, std::uint16_t value)
    {
        image->image.programMemory[at] = static_cast<std::uint8_t>(value);
        image->image.programMemory[at + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    std::uint16_t word(Address at) const
    {
        return static_cast<std::uint16_t>(image->image.programMemory[at] | image->image.programMemory[at + 1] << 8);
    }
    Checksum& apply()
    {
        ApplyChecksum(*image, settings, messages);
        return *this;
    }
};

TEST(ApplyChecksum, StoresTheChecksumOfItsTypeInTheLastWholeWordOnlyWhenEnabled)
{
    Checksum simple(0x8000);
    EXPECT_EQ(simple.apply().word(0x7FFE), 0xC001);
    EXPECT_TRUE(simple.image->IsProgramPresent(0x7FFE) && simple.image->IsProgramPresent(0x7FFF));
    EXPECT_FALSE(simple.image->IsProgramPresent(0x7FFD));

    Checksum toZero(0x8000);
    toZero.settings.type = AdditionToZero;
    EXPECT_EQ(toZero.apply().word(0x7FFE), 0x3FFF);

    Checksum disabled(0x100);
    disabled.settings.enabled = false;
    EXPECT_EQ(disabled.apply().word(0xFE), 0xFFFF);
    EXPECT_FALSE(disabled.image->IsProgramPresent(0xFE));
    for (std::int32_t size : {0, 1}) { // no whole word: nothing to patch, nothing to ask
        Checksum tiny(size);
        tiny.settings = {true, true, "not a number", SimpleSumOfWords};
        EXPECT_EQ(tiny.apply().word(0), 0xFFFF);
        EXPECT_FALSE(tiny.image->IsProgramPresent(0));
    }

    Checksum unknownType(0x100);
    unknownType.settings.type = 7;
    EXPECT_EQ(unknownType.apply().word(0xFE), 0x0000);

    // Little-endian words; the trailing byte of an odd size is neither summed nor changed.
    Checksum odd(7);
    odd.setWord(0, 0x1234);
    odd.setWord(2, 0xF00F);
    odd.image->image.programMemory[6] = 0x77;
    EXPECT_EQ(odd.apply().word(4), static_cast<std::uint16_t>(0x1234 + 0xF00F));
    EXPECT_EQ(odd.image->image.programMemory[6], 0x77);
    EXPECT_FALSE(odd.image->IsProgramPresent(6));
}

TEST(ApplyChecksum, AsksOnlyWhenTheLastWordIsNeitherTheWarnValueNorTheChecksum)
{
    for (const char* blankForm : {"0xFFFF", "65535", "  +$ffff"}) {
        Checksum expected(0x8000);
        expected.settings.warnEnabled = true;
        expected.settings.warnValue = blankForm;
        EXPECT_EQ(expected.apply().word(0x7FFE), 0xC001) << blankForm;
        EXPECT_TRUE(expected.messages.shown.empty()) << blankForm;
    }
    Checksum alreadyCorrect(0x8000);
    alreadyCorrect.settings.warnEnabled = true;
    alreadyCorrect.setWord(0x7FFE, 0xC001);
    EXPECT_TRUE(alreadyCorrect.apply().messages.shown.empty());

    for (MessageButton answer : {ButtonNo, ButtonYes}) {
        Checksum differs(0x8000);
        differs.settings.warnEnabled = true;
        differs.settings.warnValue = "0x10000"; // above any word: never the expected value
        differs.messages.questionAnswer = answer;
        differs.setWord(0x7FFE, 0x1234);
        EXPECT_EQ(differs.apply().word(0x7FFE), answer == ButtonYes ? 0xC001 : 0x1234);
        ASSERT_TRUE(differs.messages.showedOnly(MessageKind::Warning, hexmessages::kChecksumQuestion));
        EXPECT_EQ(differs.messages.shown[0].buttons, ButtonYes | ButtonNo);
        EXPECT_EQ(differs.image->IsProgramPresent(0x7FFE), answer == ButtonYes);
    }
}

TEST(ApplyChecksum, WarnValueThatIsNoIntegerThrowsWithItsTextAndChangesNothing)
{
    Checksum invalid(0x8000);
    invalid.settings = {true, true, "0xFFFFG", SimpleSumOfWords};
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
