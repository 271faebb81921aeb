#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

#include "tests/support/ScriptedMessages.h"
#include "devicedata/DeviceImage.h"
#include "ui/CfgIDs.h"
#include "ui/ConfigBinding.h"
#include "ui/ErrorHook.h"
#include "ui/HexByteEdit.h"
#include "ui/PrgCfg.h"
#include "ui/RadioGroup.h"
#include "ui/UCfgIDs2.h"
#include "ui/UCfgIDs3.h"
#include "ui/UiTexts.h"

namespace velmora {
namespace {

using test::ScriptedMessages;

std::unique_ptr<DeviceImage> imageWith(std::initializer_list<std::uint8_t> config)
{
    auto image = std::make_unique<DeviceImage>();
    std::fill(std::begin(image->image.ids), std::end(image->image.ids), 0xFF);
    std::copy(config.begin(), config.end(), image->image.config);
    return image;
}

// Runs the editor modally; `interact` runs once it is shown, then it is closed with OK.
template <typename Editor, typename Interact>
int editAndAccept(Editor& editor, DeviceImage& image, Interact interact)
{
    int refreshes = 0;
    QTimer::singleShot(0, &editor, [&] {
        interact();
        editor.okButton()->click();
    });
    editor.EditConfiguration(image, [&] { ++refreshes; });
    return refreshes;
}

TEST(ConfigBindingTest, InvertedBoxesShowCheckedForZeroBits)
{
    std::uint8_t config[kConfigCount] = {};
    const BitBinding pwrt{2, 0x01, true};
    const BitBinding bor{2, 0x02, false};
    EXPECT_TRUE(boxChecked(pwrt, config));
    EXPECT_FALSE(boxChecked(bor, config));
    writeBox(pwrt, false, config);
    writeBox(bor, true, config);
    EXPECT_EQ(config[2], 0x03);
    writeBox(pwrt, true, config);
    EXPECT_EQ(config[2], 0x02);
}

TEST(ConfigBindingTest, FieldsShowFirstMatchAndKeepOtherBits)
{
    std::uint8_t config[kConfigCount] = {};
    config[3] = 0xF5;
    const FieldBinding wdtps{3, 0x0E, {0x0E, 0x0C, 0x04, 0x04}};
    EXPECT_EQ(fieldItem(wdtps, config), 2);
    writeField(wdtps, 1, config);
    EXPECT_EQ(config[3], 0xFD);
    writeField(wdtps, -1, config);
    EXPECT_EQ(config[3], 0xFD);
    const FieldBinding none{3, 0x0E, {0x02}};
    EXPECT_EQ(fieldItem(none, config), -1);
}

TEST(ConfigEditorsTest, TypeOneWithoutBlocksTwoAndThreeUnprotectsThem)
{
    auto image = imageWith({0x00, 0x27, 0x0F, 0x0F, 0x00, 0x00, 0x85, 0x00, 0x00, 0xC0, 0x00, 0xE0, 0x00, 0x40});
    image->device.cp2App = false;
    image->device.cp3App = false;
    image->device.ccp2mxApp = false;
    TCfgIDs1 editor;
    int refreshes = editAndAccept(editor, *image, [&] {
        for (const char* name : {"CP2", "CP3", "WRT2", "WRT3", "EBTR2", "EBTR3"}) {
            QCheckBox* box = editor.checkBox(QString::fromLatin1(name));
            ASSERT_NE(box, nullptr) << name;
            EXPECT_FALSE(box->isEnabled()) << name;
            EXPECT_FALSE(box->isChecked()) << name;
        }
        EXPECT_TRUE(editor.checkBox(QStringLiteral("CP0"))->isChecked());
        EXPECT_TRUE(editor.checkBox(QStringLiteral("CP1"))->isEnabled());
        EXPECT_FALSE(editor.checkBox(QStringLiteral("Set CCP2MX bit"))->isEnabled());
        EXPECT_EQ(editor.focusWidget(), editor.okButton());
    });
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(image->image.config[8], 0x0C);
    EXPECT_EQ(image->image.config[10], 0x0C);
    EXPECT_EQ(image->image.config[12], 0x0C);
    EXPECT_EQ(image->image.config[5], 0x00); // CCP2MX not applicable: untouched
}

TEST(ConfigEditorsTest, TypeOneCcp2mxTogglesBitZeroOfByteFive)
{
    auto image = imageWith({0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40});
    image->device.ccp2mxApp = true;
    TCfgIDs1 editor;
    editAndAccept(editor, *image, [&] {
        QCheckBox* box = editor.checkBox(QStringLiteral("Set CCP2MX bit"));
        EXPECT_TRUE(box->isEnabled());
        EXPECT_TRUE(box->isChecked());
        box->click();
    });
    EXPECT_EQ(image->image.config[5], 0x00);
    // The rest of an unchanged erased configuration is written back as it was.
    EXPECT_EQ(image->image.config[1], 0x27);
    EXPECT_EQ(image->image.config[2], 0x0F);
    EXPECT_EQ(image->image.config[6], 0x85);
    EXPECT_EQ(image->image.config[13], 0x40);
}

TEST(ConfigEditorsTest, TypeOneBindingsAndRadioWriteBack)
{
    auto image = imageWith({0x00, 0x22, 0x09, 0x0D, 0x00, 0x00, 0x05, 0x00, 0x0E, 0x80, 0x0F, 0xA0, 0x0F, 0x00});
    TCfgIDs1 editor;
    editAndAccept(editor, *image, [&] {
        // OSCS: a set bit means switching off. PWRT and CPD are checked when their bit is clear.
        for (const char* name : {"OSCS", "BOR", "PWRT", "CPD"})
            EXPECT_FALSE(editor.checkBox(QString::fromLatin1(name))->isChecked()) << name;
        for (const char* name : {"WDT", "BKBUG", "LVP", "CP0", "CPB", "WRTB", "EBTRB"})
            EXPECT_TRUE(editor.checkBox(QString::fromLatin1(name))->isChecked()) << name;
        EXPECT_EQ(editor.radioGroup(QStringLiteral("Oscillator selection:"))->itemIndex(), 5);      // 02 HS
        EXPECT_EQ(editor.radioGroup(QStringLiteral("Brown-out reset voltage:"))->itemIndex(), 1);   // 08
        EXPECT_EQ(editor.radioGroup(QStringLiteral("Watchdog timer postscaler select:"))->itemIndex(), 1); // 0C
        editor.radioGroup(QStringLiteral("Oscillator selection:"))->item(1)->click();              // 06
        editor.checkBox(QStringLiteral("PWRT"))->click();
        editor.checkBox(QStringLiteral("CPD"))->click();
        editor.idEdit(3)->setByte(0x5A);
    });
    EXPECT_EQ(image->image.config[1], 0x26);
    EXPECT_EQ(image->image.config[2], 0x08);
    EXPECT_EQ(image->image.config[9], 0x00);
    EXPECT_EQ(image->image.ids[3], 0x5A);
    EXPECT_EQ(image->image.ids[0], 0xFF);
}

TEST(ConfigEditorsTest, TypeTwoWaitAndProcessorMode)
{
    auto image = imageWith({0x00, 0x2F, 0x0F, 0x1F, 0x83, 0x80, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40});
    image->device.waitAndPmApp = true;
    TCfgIDs2 editor;
    editAndAccept(editor, *image, [&] {
        EXPECT_TRUE(editor.checkBox(QStringLiteral("WAIT"))->isChecked());
        EXPECT_TRUE(editor.checkBox(QStringLiteral("MCLRE"))->isChecked());
        RadioGroup* mode = editor.radioGroup(QStringLiteral("Processor Mode:"));
        EXPECT_TRUE(mode->isEnabled());
        EXPECT_EQ(mode->itemIndex(), 0);
        EXPECT_EQ(mode->item(0)->text(), QStringLiteral("Microcontroller mode"));
        mode->item(2)->click();
        editor.checkBox(QStringLiteral("WAIT"))->click();
        EXPECT_EQ(editor.radioGroup(QStringLiteral("Oscillator selection:"))->itemIndex(), 0);
        EXPECT_EQ(editor.radioGroup(QStringLiteral("Oscillator selection:"))->item(11)->text(),
                  QString::fromUtf8("EC,OSC2 as \u201Cdiv. by 4 clk out\u201D"));
        EXPECT_EQ(editor.radioGroup(QStringLiteral("Watchdog timer postscaler select:"))->itemIndex(), 0);
    });
    EXPECT_EQ(image->image.config[4], 0x01);
}

TEST(ConfigEditorsTest, TypeTwoWithoutWaitKeepsByteFour)
{
    auto image = imageWith({0x00, 0x2F, 0x0F, 0x1F, 0x5C, 0x80, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40});
    image->device.waitAndPmApp = false;
    TCfgIDs2 editor;
    editAndAccept(editor, *image, [&] {
        EXPECT_FALSE(editor.checkBox(QStringLiteral("WAIT"))->isEnabled());
        EXPECT_FALSE(editor.checkBox(QStringLiteral("WAIT"))->isChecked());
        EXPECT_FALSE(editor.radioGroup(QStringLiteral("Processor Mode:"))->isEnabled());
        EXPECT_EQ(editor.radioGroup(QStringLiteral("Processor Mode:"))->itemIndex(), -1);
        editor.checkBox(QStringLiteral("MCLRE"))->click();
    });
    EXPECT_EQ(image->image.config[4], 0x5C);
    EXPECT_EQ(image->image.config[5], 0x00);
}

TEST(ConfigEditorsTest, CancelChangesNothing)
{
    auto image = imageWith({0x00, 0x27, 0x0F, 0x0F, 0x00, 0x00, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40});
    const auto before = std::make_unique<DeviceImage>(*image);
    TCfgIDs1 editor;
    int refreshes = 0;
    QTimer::singleShot(0, &editor, [&] {
        editor.checkBox(QStringLiteral("WDT"))->click();
        editor.idEdit(0)->setByte(0x00);
        editor.reject();
    });
    editor.EditConfiguration(*image, [&] { ++refreshes; });
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(std::memcmp(image->image.config, before->image.config, kConfigCount), 0);
    EXPECT_EQ(image->image.ids[0], 0xFF);
}

TEST(ConfigEditorsTest, TypeThreeShowsRawBytesAndWritesThemBackUnchanged)
{
    auto image = imageWith({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x5A, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E});
    image->image.ids[1] = 0x3C;
    const auto before = std::make_unique<DeviceImage>(*image);
    TCfgIDs3 editor;
    editAndAccept(editor, *image, [&] {
        EXPECT_EQ(editor.configEdit(7)->text(), QStringLiteral("07:5A"));
        EXPECT_EQ(editor.configEdit(13)->text(), QStringLiteral("0D:0E"));
        EXPECT_EQ(editor.idEdit(1)->text(), QStringLiteral("01:3C"));
    });
    EXPECT_EQ(std::memcmp(&image->image, &before->image, sizeof(MemoryImage)), 0);
}

// A J part: its 8 configuration words, no ID fields, the note on the forced bits; OK
// writes those 8 bytes and nothing else. The same window then serves a classic part.
TEST(ConfigEditorsTest, TypeThreeForAJPartEditsItsEightWordsAndOffersNoIds)
{
    auto image = imageWith({0xA6, 0xF6, 0x15, 0xF8, 0x03, 0xF8, 0x81, 0xF1});
    image->device.configType = 3;
    image->device.family = ProgrammingFamily::J2X4X;
    TCfgIDs3 editor;
    const int refreshes = editAndAccept(editor, *image, [&] {
        EXPECT_TRUE(editor.configEdit(7)->isVisible());
        EXPECT_FALSE(editor.configEdit(8)->isVisible());
        EXPECT_FALSE(editor.idGroup()->isVisible());
        EXPECT_TRUE(editor.flashConfigNote()->isVisible());
        HexByteEdit* field = editor.configEdit(2);
        field->setFocus();
        field->setCursorPosition(3);
        QTest::keyClicks(field, QStringLiteral("1f"));
        editor.idEdit(0)->setByte(0x34);
        editor.configEdit(8)->setByte(0x77);
    });
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(image->image.config[2], 0x1F);
    EXPECT_EQ(image->image.config[7], 0xF1);
    EXPECT_EQ(image->image.config[8], 0x00);
    EXPECT_EQ(image->image.ids[0], 0xFF);

    auto classic = imageWith({0x00});
    editAndAccept(editor, *classic, [&] {
        EXPECT_TRUE(editor.configEdit(13)->isVisible());
        EXPECT_TRUE(editor.idGroup()->isVisible());
        EXPECT_FALSE(editor.flashConfigNote()->isVisible());
    });
}

TEST(ProgrammingOptionsTest, EepromAndIdsDoNotApplyToAJPart)
{
    TPrgConfig dialog;
    ProgrammingOptions options;
    SelectedDevice jPart;
    jPart.family = ProgrammingFamily::J60;
    for (const SelectedDevice& device : {jPart, SelectedDevice{}}) {
        const bool applies = device.family == ProgrammingFamily::Classic;
        QTimer::singleShot(0, &dialog, [&] {
            for (QCheckBox* box : {dialog.eepromBox(), dialog.idsBox()}) {
                EXPECT_EQ(box->isEnabled(), applies);
                EXPECT_EQ(box->toolTip().isEmpty(), applies);
            }
            EXPECT_TRUE(dialog.configurationBox()->isEnabled());
            dialog.okButton()->click();
        });
        EXPECT_TRUE(dialog.EditProgrammingOptions(options, device));
    }
}

TEST(HexByteEditTest, AcceptsHexDigitsOnlyAndShowsThemUpperCase)
{
    HexByteEdit edit(7);
    EXPECT_EQ(edit.text(), QStringLiteral("07:FF"));
    edit.show();
    edit.setFocus();
    edit.setCursorPosition(3);
    edit.del();
    edit.del();
    EXPECT_FALSE(edit.isComplete());
    EXPECT_EQ(edit.byteValue(), 0xFF);
    QTest::keyClicks(&edit, QStringLiteral("g"));
    EXPECT_FALSE(edit.isComplete());
    QTest::keyClicks(&edit, QStringLiteral("b"));
    QTest::keyClicks(&edit, QStringLiteral("z3"));
    EXPECT_TRUE(edit.isComplete());
    EXPECT_EQ(edit.text(), QStringLiteral("07:B3"));
    EXPECT_EQ(edit.byteValue(), 0xB3);
    // The prefix cannot be changed.
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("1"));
    EXPECT_TRUE(edit.text().startsWith(QStringLiteral("07:")));
}

TEST(HexByteEditTest, IncompleteFieldKeepsTheEditorOpen)
{
    ScriptedMessages messages;
    ErrorHook::install(&messages);
    auto image = imageWith({0x00});
    TCfgIDs3 editor;
    int refreshes = 0;
    bool stillOpenAfterOk = false;
    QTimer::singleShot(0, &editor, [&] {
        HexByteEdit* field = editor.idEdit(2);
        field->setFocus();
        field->setCursorPosition(3);
        field->del();
        editor.okButton()->click();
        QApplication::processEvents();
        stillOpenAfterOk = editor.isVisible();
        field->setByte(0x4B);
        editor.okButton()->click();
    });
    editor.EditConfiguration(*image, [&] { ++refreshes; });
    ErrorHook::install(nullptr);
    EXPECT_TRUE(stillOpenAfterOk);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().text,
              "Invalid input value. Input value must be HEX number with\r\ntwo HEX digits. Examples: 00, 01, "
              "09, 0A, 0F, 1F, 7F, FF.");
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(image->image.ids[2], 0x4B);
}

} // namespace
} // namespace velmora
