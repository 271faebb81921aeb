#include "devicedata/BuiltInMasks.h"
#include "devicedata/DeviceImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/devicedata/RecordingMessages.h"
#include "tests/devicedata/TempFolder.h"

namespace velmora {
namespace {

using test::RecordingMessages;
using test::TempFolder;

ConfigBlock blockOf(const std::uint8_t (&bytes)[kConfigCount])
{
    ConfigBlock block;
    std::copy(std::begin(bytes), std::end(bytes), block.begin());
    return block;
}

class ClearImageMasks : public ::testing::Test {
protected:
    std::unique_ptr<DeviceImage> owner = std::make_unique<DeviceImage>();

    void select(std::int32_t configType, const std::string& name = "Device")
    {
        owner->device.configType = configType;
        owner->device.name = name;
    }
    ConfigBlock config() const { return blockOf(owner->image.config); }
    ConfigBlock mask() const { return blockOf(owner->image.configMask); }
    ConfigBlock setMask() const { return blockOf(owner->image.configSetMask); }
};

TEST_F(ClearImageMasks, Type1WithoutCcp2mxAndWithoutUpperProtectionBlocks)
{
    select(1);
    owner->device.ccp2mxApp = false;
    owner->device.cp2App = false;
    owner->device.cp3App = false;
    owner->ClearImage(true);

    EXPECT_EQ(owner->image.configMask[CONFIG3H], 0x00);
    for (ConfigByte protection : {CONFIG5L, CONFIG6L, CONFIG7L}) {
        EXPECT_EQ(owner->image.configMask[protection], 0x03) << int(protection);
        EXPECT_EQ(owner->image.configSetMask[protection], 0x0C) << int(protection);
    }
    const ConfigBlock blank{0x00, 0x27, 0x0F, 0x0F, 0x00, 0x00, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
    EXPECT_EQ(config(), blank);
}

TEST_F(ClearImageMasks, Type1FlagsEachMoveTheirOwnBits)
{
    select(1);
    owner->device.ccp2mxApp = true;
    owner->device.cp0App = false;
    owner->device.cp3App = false;
    owner->ClearImage(true);
    const ConfigBlock expectedMask{0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x06, 0xC0, 0x06, 0xE0, 0x06, 0x40};
    const ConfigBlock expectedSet{0, 0, 0, 0, 0, 0, 0, 0, 0x09, 0, 0x09, 0, 0x09, 0};
    EXPECT_EQ(mask(), expectedMask);
    EXPECT_EQ(setMask(), expectedSet);
}

TEST_F(ClearImageMasks, Type2ForcesWaitAndProcessorModeUnlessTheyApply)
{
    select(2);
    owner->device.waitAndPmApp = false;
    owner->ClearImage(true);
    EXPECT_EQ(owner->image.configMask[CONFIG3L], 0x00);
    EXPECT_EQ(owner->image.configSetMask[CONFIG3L], 0x83);
    EXPECT_EQ(owner->image.config[CONFIG3L], 0x83);
    // Whatever the image holds, the effective value stays 0x83.
    for (int value : {0x00, 0x7C, 0xFF})
        EXPECT_EQ(EffectiveConfigValue(static_cast<std::uint8_t>(value), owner->image.configMask[CONFIG3L],
                                       owner->image.configSetMask[CONFIG3L]),
                  0x83);

    owner->device.waitAndPmApp = true;
    owner->device.cp3App = false;
    owner->ClearImage(true);
    const ConfigBlock expectedMask{0x00, 0x2F, 0x0F, 0x1F, 0x83, 0x80, 0x85, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40};
    const ConfigBlock expectedSet{0, 0, 0, 0, 0x00, 0, 0, 0, 0x08, 0, 0x08, 0, 0x08, 0};
    EXPECT_EQ(mask(), expectedMask);
    EXPECT_EQ(setMask(), expectedSet);
}

TEST_F(ClearImageMasks, ConfigurationIsMaskOrSetMaskForTheBuiltInTypes)
{
    for (std::int32_t type : {1, 2}) {
        select(type);
        owner->device.cp1App = false;
        owner->ClearImage(false);
        for (int i = 0; i < kConfigCount; ++i)
            EXPECT_EQ(owner->image.config[i], owner->image.configMask[i] | owner->image.configSetMask[i])
                << "type " << type << " byte " << i;
    }
}

TEST_F(ClearImageMasks, OtherTypesGiveAllOnesAndKeepTheSetMask)
{
    select(2);
    owner->ClearImage(true); // leaves set mask 0x83 in CONFIG3L
    for (std::int32_t type : {0, 4, -1}) {
        select(type);
        owner->ClearImage(true);
        ConfigBlock allOnes;
        allOnes.fill(0xFF);
        EXPECT_EQ(mask(), allOnes);
        EXPECT_EQ(owner->image.configSetMask[CONFIG3L], 0x83);
        for (int i = 0; i < kConfigCount; ++i)
            EXPECT_EQ(owner->image.config[i], 0xFF);
    }
}

class Type3Masks : public ClearImageMasks {
protected:
    TempFolder folder;
    RecordingMessages messages;

    void useDevicesIni(std::string_view text)
    {
        owner->setMaskSource(folder.write("Devices.ini", text), &messages);
    }
};

TEST_F(Type3Masks, ReadsMaskAndSetMaskOfTheDevicesSection)
{
    useDevicesIni("[Other]\nMask=FF FF FF FF FF FF FF FF FF FF FF FF FF FF\n"
                  "[pic18f4550]\r\n"
                  "mask = \" 3F CF 3F 1F 00 87 C5 00 0F C0 0F E0 0F 40 \"\r\n"
                  "SETMASK=00 00 00 00 00 00 00 00 00 00 00 00 00 01\r\n");
    select(3, "PIC18F4550");
    owner->ClearImage(true);
    EXPECT_TRUE(messages.shown.empty());
    const ConfigBlock expectedMask{0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
    EXPECT_EQ(mask(), expectedMask);
    EXPECT_EQ(owner->image.configSetMask[CONFIG7H], 0x01);
    EXPECT_EQ(owner->image.config[CONFIG7H], 0x41);
    EXPECT_EQ(owner->image.config[CONFIG1L], 0x3F);
}

TEST_F(Type3Masks, EditsTakeEffectAtTheNextClear)
{
    useDevicesIni("[D]\nMask=01 01 01 01 01 01 01 01 01 01 01 01 01 01\nSetMask=0 0 0 0 0 0 0 0 0 0 0 0 0 0\n");
    select(3, "D");
    owner->ClearImage(true);
    EXPECT_EQ(owner->image.config[0], 0x01);
    useDevicesIni("[D]\nMask=02 01 01 01 01 01 01 01 01 01 01 01 01 01\nSetMask=0 0 0 0 0 0 0 0 0 0 0 0 0 0\n");
    owner->ClearImage(true);
    EXPECT_EQ(owner->image.config[0], 0x02);
}

TEST_F(Type3Masks, BadKeysGiveZeroBlocksAndTheirMessagesEveryTime)
{
    useDevicesIni("[Dev]\nMask=00 27 0F 0F 00 01 85 00 0F C0 0F E0 0F\nSetMask=00\t00 00 00 00 00 00 00 00 00 00 00 00 00\n");
    select(3, "Dev");
    owner->ClearImage(true);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].buttons, ButtonOk);
    EXPECT_EQ(messages.shown[0].text,
              "Invalid or missed config mask value in Devices.ini file\r\nfor Dev device. "
              "Mask must contain 14 hex byte\r\nvalues (00..FF) separated with spaces.");
    EXPECT_EQ(messages.shown[1].text,
              "Invalid or missed config set mask value in Devices.ini file\r\nfor Dev device. "
              "Set mask must contain 14 hex byte\r\nvalues (00..FF) separated with spaces.");
    EXPECT_EQ(mask(), ConfigBlock{});
    EXPECT_EQ(setMask(), ConfigBlock{});
    EXPECT_EQ(config(), ConfigBlock{});

    owner->ClearImage(false);
    EXPECT_EQ(messages.shown.size(), 4u);
}

TEST_F(Type3Masks, OneGoodKeyIsKeptBesideABadOne)
{
    useDevicesIni("[Dev]\nSetMask=1 2 3 4 5 6 7 8 9 A B C D E\n");
    select(3, "Dev");
    owner->ClearImage(true);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("config mask"), std::string::npos);
    EXPECT_EQ(mask(), ConfigBlock{});
    EXPECT_EQ(setMask(), (ConfigBlock{1, 2, 3, 4, 5, 6, 7, 8, 9, 0xA, 0xB, 0xC, 0xD, 0xE}));
}

TEST_F(Type3Masks, MissingFileReportsBothKeys)
{
    owner->setMaskSource((folder.path() / "absent.ini").string(), &messages);
    select(3, "Dev");
    owner->ClearImage(true);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(Type3Masks, UnreadableFileReportsIniLoadErrorOnce)
{
    std::filesystem::create_directory(folder.path() / "Devices.ini");
    owner->setMaskSource((folder.path() / "Devices.ini").string(), &messages);
    select(3, "Dev");
    owner->ClearImage(true);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "INI load error");
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(mask(), ConfigBlock{});
}

TEST_F(Type3Masks, SilentWithoutAMessageInterface)
{
    owner->setMaskSource((folder.path() / "absent.ini").string(), nullptr);
    select(3, "Dev");
    owner->ClearImage(true);
    EXPECT_EQ(mask(), ConfigBlock{});
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace velmora
