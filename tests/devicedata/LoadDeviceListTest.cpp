#include "devicedata/LoadDeviceList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/devicedata/TempFolder.h"

namespace velmora {
namespace {

using namespace std::string_literals;

class LoadDeviceListTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    DeviceList list;

    bool load(std::string_view text) { return LoadDeviceList(list, folder.write("Devices.ini", text)); }

    std::vector<std::string> names()
    {
        std::vector<std::string> result;
        list.MoveTo(0);
        for (int i = 0; i < list.Count(); ++i)
            result.push_back(list.CopyCurrentAndAdvance().name);
        return result;
    }

    void expectRejected(std::string_view text)
    {
        EXPECT_FALSE(load(text)) << text;
        EXPECT_EQ(list.Count(), 0) << text;
    }
};

TEST_F(LoadDeviceListTest, RecordsInFileOrderWithTheirValues)
{
    ASSERT_TRUE(load("[PIC18F4550]\n"
                     "ProgMemSize=32768\nEEPROMDataMemSize=256\nLongEEAddr=0\nWriteStrategy=2\n"
                     "WriteBufferSize=32\nConfig=3\nCCP2MXApp=1\nWAITandPMApp=0\n"
                     "CP0App=1\nCP1App=0\nCP2App=1\nCP3App=0\n"
                     "[PIC18F8720]\nProgMemSize=0x20000\nEEPROMDataMemSize=$400\nLongEEAddr=1\nWAITandPMApp=2\n"));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.CursorIndex(), 0);
    const DeviceRecord first = list.CopyCurrentAndAdvance();
    EXPECT_EQ(first.name, "PIC18F4550");
    EXPECT_EQ(first.programMemorySize, 32768);
    EXPECT_EQ(first.eepromSize, 256);
    EXPECT_FALSE(first.longEEAddr);
    EXPECT_EQ(first.writeStrategy, 2);
    EXPECT_EQ(first.writeBufferSize, 32);
    EXPECT_EQ(first.configType, 3);
    EXPECT_TRUE(first.ccp2mxApp);
    EXPECT_FALSE(first.waitAndPmApp);
    EXPECT_TRUE(first.cp0App);
    EXPECT_FALSE(first.cp1App);
    EXPECT_TRUE(first.cp2App);
    EXPECT_FALSE(first.cp3App);

    const DeviceRecord second = list.CopyCurrent();
    EXPECT_EQ(second.name, "PIC18F8720");
    EXPECT_EQ(second.programMemorySize, 131072);
    EXPECT_EQ(second.eepromSize, 1024);
    EXPECT_TRUE(second.longEEAddr);
    EXPECT_TRUE(second.waitAndPmApp);
}

TEST_F(LoadDeviceListTest, MissingAndUnparsableKeysTakeTheirDefaults)
{
    ASSERT_TRUE(load("[D]\nProgMemSize=4096\nConfig=three\nLongEEAddr=yes\nCP2App=\nWriteBufferSize=8 bytes\n"));
    const DeviceRecord record = list.CopyCurrent();
    EXPECT_EQ(record.eepromSize, 0);
    EXPECT_EQ(record.configType, 1);
    EXPECT_FALSE(record.longEEAddr);
    EXPECT_EQ(record.writeStrategy, 1);
    EXPECT_EQ(record.writeBufferSize, 8);
    EXPECT_FALSE(record.ccp2mxApp);
    EXPECT_FALSE(record.waitAndPmApp);
    EXPECT_TRUE(record.cp0App && record.cp1App && record.cp2App && record.cp3App);
}

TEST_F(LoadDeviceListTest, ConfigAndWriteParametersAreNotValidatedHere)
{
    ASSERT_TRUE(load("[D]\nProgMemSize=4096\nConfig=9\nWriteStrategy=-3\nWriteBufferSize=0\n"));
    const DeviceRecord record = list.CopyCurrent();
    EXPECT_EQ(record.configType, 9);
    EXPECT_EQ(record.writeStrategy, -3);
    EXPECT_EQ(record.writeBufferSize, 0);
}

TEST_F(LoadDeviceListTest, HeaderLineRules)
{
    ASSERT_TRUE(load("   [Spaced]  text after\nProgMemSize=1\n"
                     "Note=see [manual] here\n"
                     "[]\n"
                     "[Tail]\nProgMemSize=2\n"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Spaced", "Tail"}));
}

TEST_F(LoadDeviceListTest, AHeaderBehindOtherCharactersStillAddsADevice)
{
    // Its keys are looked up under that name, which has no real section here.
    expectRejected("[Real]\nProgMemSize=1\n;[Retired]\n");
    expectRejected("[Real]\nProgMemSize=1\nsee also [Retired] below\n");

    ASSERT_TRUE(load("[Real]\nProgMemSize=1\n; [real] is the only one\n"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Real", "real"}));
}

TEST_F(LoadDeviceListTest, DuplicateSectionsBothCarryTheFirstValues)
{
    ASSERT_TRUE(load("[Dup]\nProgMemSize=100\n[Other]\nProgMemSize=200\n[Dup]\nProgMemSize=300\nConfig=2\n"));
    ASSERT_EQ(list.Count(), 3);
    list.MoveTo(2);
    const DeviceRecord last = list.CopyCurrent();
    EXPECT_EQ(last.name, "Dup");
    EXPECT_EQ(last.programMemorySize, 100);
    EXPECT_EQ(last.configType, 1);
}

TEST_F(LoadDeviceListTest, ProgMemSizeInEverySyntax)
{
    for (const char* value : {"32768", "$8000", "0x8000", "0X8000", "x8000", " +32768", "\"32768\""}) {
        ASSERT_TRUE(load("[D]\nProgMemSize=" + std::string(value) + "\n")) << value;
        EXPECT_EQ(list.CopyCurrent().programMemorySize, 32768) << value;
    }
    expectRejected("[D]\nProgMemSize=32K\n");
    expectRejected("[D]\nProgMemSize=32768 ; bytes\n");
}

TEST_F(LoadDeviceListTest, SizeLimits)
{
    ASSERT_TRUE(load("[D]\nProgMemSize=1048576\nEEPROMDataMemSize=65536\n"));
    ASSERT_TRUE(load("[D]\nProgMemSize=1\nEEPROMDataMemSize=0\n"));
    expectRejected("[D]\nProgMemSize=1048577\n");
    expectRejected("[D]\nProgMemSize=1024\nEEPROMDataMemSize=65537\n");
    expectRejected("[D]\nProgMemSize=0\n");
    expectRejected("[D]\nEEPROMDataMemSize=256\n");
    expectRejected("[D]\nProgMemSize=-1\n");
    expectRejected("[D]\nProgMemSize=0xFFFFFFFF\n");
    expectRejected("[D]\nProgMemSize=1024\nEEPROMDataMemSize=-256\n");
    // One bad section discards the database, wherever it stands.
    expectRejected("[A]\nProgMemSize=1024\n[B]\nProgMemSize=2048\n[C]\nProgMemSize=0\n");
}

TEST_F(LoadDeviceListTest, NoHeadersGiveAnEmptyListAndTrue)
{
    EXPECT_TRUE(load("; only a comment\nProgMemSize=1024\n"));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(load(""));
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(LoadDeviceListTest, MissingOrUnreadableFileClearsTheListAndFails)
{
    ASSERT_TRUE(load("[D]\nProgMemSize=1\n"));
    EXPECT_FALSE(LoadDeviceList(list, folder.path() / "absent.ini"));
    EXPECT_EQ(list.Count(), 0);

    ASSERT_TRUE(load("[D]\nProgMemSize=1\n"));
    EXPECT_FALSE(LoadDeviceList(list, folder.path()));
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(LoadDeviceListTest, LineEndsAndNulBytes)
{
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string e = end;
        ASSERT_TRUE(load("[A]" + e + "ProgMemSize=16" + e + "[B]" + e + "ProgMemSize=32")) << int(e.size());
        EXPECT_EQ(names(), (std::vector<std::string>{"A", "B"}));
        list.MoveTo(1);
        EXPECT_EQ(list.CopyCurrent().programMemorySize, 32);
    }
    ASSERT_TRUE(load("[A\0B]\nProgMemSize=16\n\0\0\0\n[C]\nProgMemSize=8\n"s));
    EXPECT_EQ(names(), (std::vector<std::string>{"A\0B"s, "C"}));
    expectRejected("[A]\nProgMemSize=1\0 6\n"s);
}

TEST_F(LoadDeviceListTest, ThousandsOfSections)
{
    std::string text;
    constexpr int kSections = 5000;
    for (int i = 0; i < kSections; ++i)
        text += "[Device" + std::to_string(i) + "]\nProgMemSize=" + std::to_string(2 * (i + 1)) + "\n";
    ASSERT_TRUE(load(text));
    EXPECT_EQ(list.Count(), kSections);
    list.MoveTo(1000000);
    const DeviceRecord last = list.CopyCurrent();
    EXPECT_EQ(list.CursorIndex(), kSections - 1);
    EXPECT_EQ(last.name, "Device4999");
    EXPECT_EQ(last.programMemorySize, 10000);
}

TEST_F(LoadDeviceListTest, AVeryLongLineIsOneLine)
{
    const std::string longComment = ";" + std::string(1 << 20, 'x') + "\n";
    ASSERT_TRUE(load(longComment + "[D]\nProgMemSize=64\nLong=" + std::string(100000, 'y') + "\n"));
    EXPECT_EQ(names(), (std::vector<std::string>{"D"}));
}

} // namespace
} // namespace velmora
