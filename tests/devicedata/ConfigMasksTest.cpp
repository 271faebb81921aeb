#include "devicedata/DeviceImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "devicedata/ConfigMasks.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"

namespace velmora {
namespace {

ConfigBlock blockOf(const std::uint8_t (&bytes)[kConfigCount])
{
    ConfigBlock block;
    std::copy(std::begin(bytes), std::end(bytes), block.begin());
    return block;
}

class ClearImageMasks : public ::testing::Test {
protected:
    std::unique_ptr<DeviceImage> owner = std::make_unique<DeviceImage>();
    test::TempFolder folder;
    test::ScriptedMessages messages;

    void clearAs(std::int32_t configType)
    {
        owner->device.configType = configType;
        owner->ClearImage(true);
    }
    void useDevicesIni(std::string_view text)
    {
        owner->device.name = "Dev";
        owner->setMaskSource(folder.write("Devices.ini", text), &messages);
    }
    ConfigBlock config() const { return blockOf(owner->image.config); }
    ConfigBlock mask() const { return blockOf(owner->image.configMask); }
    ConfigBlock setMask() const { return blockOf(owner->image.configSetMask); }
};

TEST_F(ClearImageMasks, Type1ForcesTheBitsOfMissingProtectionBlocks)
{
    owner->device.ccp2mxApp = false;
    owner->device.cp2App = false;
    owner->device.cp3App = false;
    clearAs(1);
    EXPECT_EQ(mask(), (ConfigBlock{0x00, 0x27, 0x0F, 0x0F, 0x00, 0x00, 0x85, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40}));
    EXPECT_EQ(setMask(), (ConfigBlock{0, 0, 0, 0, 0, 0, 0, 0, 0x0C, 0, 0x0C, 0, 0x0C, 0}));
    EXPECT_EQ(config(), (ConfigBlock{0x00, 0x27, 0x0F, 0x0F, 0x00, 0x00, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}));

    owner->device.ccp2mxApp = true;
    owner->device.cp0App = false;
    owner->device.cp2App = true;
    clearAs(1);
    EXPECT_EQ(mask(), (ConfigBlock{0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x06, 0xC0, 0x06, 0xE0, 0x06, 0x40}));
    EXPECT_EQ(setMask(), (ConfigBlock{0, 0, 0, 0, 0, 0, 0, 0, 0x09, 0, 0x09, 0, 0x09, 0}));
}

TEST_F(ClearImageMasks, Type2ForcesWaitAndProcessorModeUnlessTheyApply)
{
    clearAs(2);
    EXPECT_EQ(owner->image.configMask[CONFIG3L], 0x00);
    EXPECT_EQ(owner->image.configSetMask[CONFIG3L], 0x83);
    for (int value : {0x00, 0x7C, 0x83, 0xFF})
        EXPECT_EQ(EffectiveConfigValue(static_cast<std::uint8_t>(value), owner->image.configMask[CONFIG3L],
                                       owner->image.configSetMask[CONFIG3L]),
                  0x83);

    owner->device.waitAndPmApp = true;
    owner->device.cp3App = false;
    clearAs(2);
    EXPECT_EQ(mask(), (ConfigBlock{0x00, 0x2F, 0x0F, 0x1F, 0x83, 0x80, 0x85, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40}));
    EXPECT_EQ(setMask(), (ConfigBlock{0, 0, 0, 0, 0x00, 0, 0, 0, 0x08, 0, 0x08, 0, 0x08, 0}));
    EXPECT_EQ(config()[CONFIG3L], 0x83);
    EXPECT_EQ(config()[CONFIG5L], 0x0F);
}

TEST_F(ClearImageMasks, OtherTypesGiveAllOnesAndKeepTheSetMask)
{
    clearAs(2); // leaves 0x83 in the set mask's CONFIG3L
    for (std::int32_t type : {0, 4}) {
        clearAs(type);
        ConfigBlock allOnes;
        allOnes.fill(0xFF);
        EXPECT_EQ(mask(), allOnes);
        EXPECT_EQ(config(), allOnes);
        EXPECT_EQ(owner->image.configSetMask[CONFIG3L], 0x83);
    }
}

TEST_F(ClearImageMasks, Type3ReadsTheDevicesKeysAfreshOnEveryClear)
{
    useDevicesIni("[Other]\nMask=FF FF FF FF FF FF FF FF FF FF FF FF FF FF\n"
                  "[dev]\r\nmask = \" 3F CF 3F 1F 00 87 C5 00 0F C0 0F E0 0F 40 \"\r\n"
                  "SETMASK=00 00 00 00 00 00 00 00 00 00 00 00 00 01\r\n");
    clearAs(3);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(mask(), (ConfigBlock{0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}));
    EXPECT_EQ(config()[CONFIG7H], 0x41);

    useDevicesIni("[Dev]\nMask=01 0 0 0 0 0 0 0 0 0 0 0 0 0\nSetMask=0 0 0 0 0 0 0 0 0 0 0 0 0 0\n");
    clearAs(3);
    EXPECT_EQ(config(), (ConfigBlock{0x01}));
}

TEST_F(ClearImageMasks, LvpTurnsOffOnlyWhereTheMaskHasItAndTheWrittenValueClearsIt)
{
    for (std::int32_t type : {1, 2}) {
        clearAs(type);
        EXPECT_FALSE(TurnsLvpOff(owner->image)) << "erased image, type " << type;
        owner->image.config[CONFIG4L] = 0x81;
        EXPECT_TRUE(TurnsLvpOff(owner->image)) << type;
        owner->image.config[CONFIG4L] = 0x04;
        EXPECT_FALSE(TurnsLvpOff(owner->image)) << type;
    }
    // Type 3: the device's own masks decide; a forced 1 is never written 0.
    useDevicesIni("[Dev]\nMask=00 CF 1F 1F 00 87 C1 00 0F C0 0F E0 0F 40\nSetMask=0 0 0 0 0 0 0 0 0 0 0 0 0 0\n");
    clearAs(3);
    owner->image.config[CONFIG4L] = 0x00;
    EXPECT_FALSE(TurnsLvpOff(owner->image)) << "no LVP bit in the mask";
    useDevicesIni("[Dev]\nMask=00 CF 1F 1F 00 87 C5 00 0F C0 0F E0 0F 40\nSetMask=0 0 0 0 0 0 04 0 0 0 0 0 0 0\n");
    clearAs(3);
    owner->image.config[CONFIG4L] = 0x00;
    EXPECT_FALSE(TurnsLvpOff(owner->image)) << "set mask forces LVP";
    owner->image.configSetMask[CONFIG4L] = 0;
    EXPECT_TRUE(TurnsLvpOff(owner->image));
}

TEST_F(ClearImageMasks, Type3BadKeysGiveZeroBlocksAndTheirMessagesEveryTime)
{
    useDevicesIni("[Dev]\nMask=00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F\nSetMask=1 2 3 4 5 6 7 8 9 A B C D E\n");
    clearAs(3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].buttons, ButtonOk);
    EXPECT_EQ(messages.shown[0].text,
              "Invalid or missed config mask value in Devices.ini file\r\nfor Dev device. "
              "Mask must contain 14 hex byte\r\nvalues (00..FF) separated with spaces.");
    EXPECT_EQ(mask(), ConfigBlock{});
    EXPECT_EQ(setMask(), (ConfigBlock{1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0xC, 0xD, 0xE}));

    useDevicesIni("[Dev]\nMask=1 2 3 4 5 6 7 8 9 A B C D E\nSetMask=00\t00 00 00 00 00 00 00 00 00 00 00 00 00\n");
    clearAs(3);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              "Invalid or missed config set mask value in Devices.ini file\r\nfor Dev device. "
              "Set mask must contain 14 hex byte\r\nvalues (00..FF) separated with spaces.");
    EXPECT_EQ(setMask(), ConfigBlock{});
    clearAs(3);
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(ClearImageMasks, Type3WithoutAReadableFile)
{
    owner->setMaskSource((folder.path() / "absent.ini").string(), &messages);
    clearAs(3);
    EXPECT_EQ(messages.shown.size(), 2u); // both keys missing

    messages.shown.clear();
    owner->setMaskSource(folder.path().string(), &messages);
    clearAs(3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "INI load error");
    EXPECT_EQ(mask(), ConfigBlock{});

    owner->setMaskSource(folder.path().string(), nullptr);
    clearAs(3);
    EXPECT_EQ(messages.shown.size(), 1u);
}

} // namespace
} // namespace velmora
