#include "devicedata/LoadDeviceList.h"

#include "devicedata/DeviceDataMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

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

std::vector<bool> flagsOf(const DeviceRecord& r)
{
    return {r.longEEAddr, r.ccp2mxApp, r.waitAndPmApp, r.cp0App, r.cp1App, r.cp2App, r.cp3App};
}

TEST_F(LoadDeviceListTest, RecordsInFileOrderWithTheirValuesOrDefaults)
{
    ASSERT_TRUE(load("[PIC18F4550]\n"
                     "ProgMemSize=32768\nEEPROMDataMemSize=256\nLongEEAddr=0\nWriteStrategy=2\n"
                     "WriteBufferSize=32\nConfig=3\nCCP2MXApp=1\nWAITandPMApp=0\n"
                     "CP0App=1\nCP1App=0\nCP2App=1\nCP3App=0\n"
                     "[Sparse]\nProgMemSize=0x20000\nConfig=three\nLongEEAddr=yes\nCP2App=\nWriteBufferSize=8 bytes\n"
                     "[Odd]\nProgMemSize=2\nConfig=9\nWriteStrategy=-3\nWriteBufferSize=0\nCCP2MXApp=-1\n"));
    EXPECT_EQ(names(), (std::vector<std::string>{"PIC18F4550", "Sparse", "Odd"}));
    list.MoveTo(0);
    EXPECT_EQ(list.CursorIndex(), 0);

    const DeviceRecord full = list.CopyCurrentAndAdvance();
    EXPECT_EQ(full.programMemorySize, 32768);
    EXPECT_EQ(full.eepromSize, 256);
    EXPECT_EQ(full.writeStrategy, WriteStrategy::Buffers);
    EXPECT_EQ(full.writeBufferSize, 32);
    EXPECT_EQ(full.configType, 3);
    EXPECT_EQ(flagsOf(full), (std::vector<bool>{false, true, false, true, false, true, false}));
    EXPECT_EQ(full.family, ProgrammingFamily::Classic) << "a file without the Family key loads as before";
    EXPECT_EQ(full.familyProblem, "");

    const DeviceRecord sparse = list.CopyCurrentAndAdvance();
    EXPECT_EQ(sparse.programMemorySize, 131072);
    EXPECT_EQ(sparse.eepromSize, 0);
    EXPECT_EQ(sparse.configType, 1);
    EXPECT_EQ(sparse.writeStrategy, WriteStrategy::Panels);
    EXPECT_EQ(sparse.writeBufferSize, 8);
    EXPECT_EQ(flagsOf(sparse), (std::vector<bool>{false, false, false, true, true, true, true}));

    // Config and the write parameters are stored as written; the engine judges them.
    const DeviceRecord odd = list.CopyCurrent();
    EXPECT_EQ(odd.configType, 9);
    EXPECT_EQ(odd.writeStrategy, static_cast<WriteStrategy>(-3));
    EXPECT_EQ(odd.writeBufferSize, 0);
    EXPECT_TRUE(odd.ccp2mxApp);
}

TEST_F(LoadDeviceListTest, TheFamilyKeyNamesTheProgrammingGuideOrSaysWhyItCannot)
{
    const std::string k22 = "ProgMemSize=65536\nEEPROMDataMemSize=1024\nLongEEAddr=1\nWriteStrategy=2\n"
                            "WriteBufferSize=64\nConfig=3\n";
    ASSERT_TRUE(load("[Named]\n" + k22 + "Family=k22\n"
                     "[Unknown]\n" + k22 + "Family=K21\n"
                     "[Blank]\n" + k22 + "Family=\n"
                     "[Contradicting]\nProgMemSize=65536\nEEPROMDataMemSize=1024\nLongEEAddr=0\nWriteStrategy=2\n"
                     "WriteBufferSize=64\nConfig=3\nFamily=K20\n"
                     "[J with EEPROM]\nProgMemSize=65536\nEEPROMDataMemSize=256\nWriteStrategy=2\n"
                     "WriteBufferSize=64\nConfig=3\nFamily=J60\n"
                     "[J with a small buffer]\nProgMemSize=8192\nWriteStrategy=2\nWriteBufferSize=32\nConfig=3\n"
                     "Family=J6X8X\n"
                     "[J of another size]\nProgMemSize=65536\nWriteStrategy=2\nWriteBufferSize=64\nConfig=3\n"
                     "Family=J10\n"));
    list.MoveTo(0);
    const DeviceRecord named = list.CopyCurrentAndAdvance();
    EXPECT_EQ(named.family, ProgrammingFamily::K22);
    EXPECT_EQ(named.familyProblem, "");

    // A family no one knows must not pass for a classic part that only lacks the key.
    for (const char* value : {"K21", ""}) {
        const DeviceRecord unknown = list.CopyCurrentAndAdvance();
        EXPECT_EQ(unknown.family, ProgrammingFamily::Classic);
        EXPECT_EQ(unknown.familyProblemKey, "family");
        EXPECT_EQ(unknown.familyProblem, "Family="s + value
                                             + " names no programming family (the known ones are K22, 1XK22, K20, "
                                               "J10, J2X4X, J6X8X or J60), "
                                               "so neither its erase keys nor its programming voltage are known");
        EXPECT_EQ(unknown.deviceIdState, DeviceIdState::Absent) << "the ID keys keep their own state";
    }
    // A known family whose sizes contradict it keeps its family, and is refused all the same.
    const DeviceRecord contradicting = list.CopyCurrentAndAdvance();
    EXPECT_EQ(contradicting.family, ProgrammingFamily::K20);
    EXPECT_EQ(contradicting.familyProblemKey, "longeeaddr");
    EXPECT_EQ(contradicting.familyProblem, "Family=K20 with EEPROMDataMemSize=1024 needs LongEEAddr=1");

    // The J parts have no EEPROM and a 64-byte buffer; J10 parts stop at 32 KB.
    for (const char* key : {"eepromdatamemsize", "writebuffersize", "progmemsize"}) {
        const DeviceRecord j = list.CopyCurrentAndAdvance();
        SCOPED_TRACE(j.name);
        EXPECT_EQ(j.familyProblemKey, key);
        EXPECT_TRUE(j.familyProblem.starts_with("no J")) << j.familyProblem;
    }
}

TEST_F(LoadDeviceListTest, HeaderLineRules)
{
    ASSERT_TRUE(load("   [Spaced]  text after\nProgMemSize=1\n"
                     "Note=see [manual] here\n"
                     "[]\n"
                     "[Tail]\nProgMemSize=2\n"
                     "; [tail] again, behind a semicolon\n"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Spaced", "Tail", "tail"}));
    // A header behind other characters is looked up under its name, which has no section here.
    expectRejected("[Real]\nProgMemSize=1\n;[Retired]\n");
}

TEST_F(LoadDeviceListTest, DuplicateSectionsBothCarryTheFirstValues)
{
    ASSERT_TRUE(load("[Dup]\nProgMemSize=100\n[Other]\nProgMemSize=200\n[Dup]\nProgMemSize=300\nConfig=2\n"));
    list.MoveTo(2);
    EXPECT_EQ(list.CopyCurrent().name, "Dup");
    EXPECT_EQ(list.CopyCurrent().programMemorySize, 100);
    EXPECT_EQ(list.CopyCurrent().configType, 1);
}

TEST_F(LoadDeviceListTest, SizesInEverySyntaxAndTheirLimits)
{
    for (const char* value : {"32768", "$8000", "0x8000", "X8000", " +32768", "\"32768\""}) {
        ASSERT_TRUE(load("[D]\nProgMemSize=" + std::string(value) + "\n")) << value;
        EXPECT_EQ(list.CopyCurrent().programMemorySize, 32768) << value;
    }
    EXPECT_TRUE(load("[D]\nProgMemSize=1048576\nEEPROMDataMemSize=65536\n"));
    EXPECT_TRUE(load("[D]\nProgMemSize=1\nEEPROMDataMemSize=0\n"));
    expectRejected("[D]\nProgMemSize=32K\n");
    expectRejected("[D]\nProgMemSize=32768 ; bytes\n");
    expectRejected("[D]\nProgMemSize=1048577\n");
    expectRejected("[D]\nProgMemSize=1024\nEEPROMDataMemSize=65537\n");
    expectRejected("[D]\nProgMemSize=0\n");
    expectRejected("[D]\nEEPROMDataMemSize=256\n");
    expectRejected("[D]\nProgMemSize=0xFFFFFFFF\n");
    expectRejected("[D]\nProgMemSize=1024\nEEPROMDataMemSize=-256\n");
    // One bad section discards the database, wherever it stands.
    expectRejected("[A]\nProgMemSize=1024\n[B]\nProgMemSize=2048\n[C]\nProgMemSize=0\n");
}

TEST_F(LoadDeviceListTest, EmptyUnreadableAndMissingFiles)
{
    EXPECT_TRUE(load("; only a comment\nProgMemSize=1024\n"));
    EXPECT_EQ(list.Count(), 0);

    ASSERT_TRUE(load("[D]\nProgMemSize=1\n"));
    EXPECT_FALSE(LoadDeviceList(list, folder.path() / "absent.ini"));
    EXPECT_EQ(list.Count(), 0);
    ASSERT_TRUE(load("[D]\nProgMemSize=1\n"));
    EXPECT_FALSE(LoadDeviceList(list, folder.path()));
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(LoadDeviceListTest, ARejectedDatabaseSaysWhy)
{
    std::string problem;
    const std::string path = folder.write("Devices.ini", "[A]\nProgMemSize=1024\n\n[B]\r\nProgMemSize=32K\r\nEEPROMDataMemSize=16\n");
    EXPECT_FALSE(LoadDeviceList(list, path, &problem));
    EXPECT_EQ(problem, path + ", line 4: device \"B\" has ProgMemSize 0 and EEPROMDataMemSize 16");

    EXPECT_FALSE(LoadDeviceList(list, folder.path() / "absent.ini", &problem));
    EXPECT_EQ(problem, (folder.path() / "absent.ini").string() + ": no such file");
    EXPECT_FALSE(LoadDeviceList(list, folder.path(), &problem));
    EXPECT_EQ(problem, folder.path().string() + ": not a regular file");

    problem = "untouched";
    EXPECT_TRUE(load("[A]\nProgMemSize=1024\n"));
    EXPECT_EQ(problem, "untouched");
}

TEST_F(LoadDeviceListTest, LineEndsNulBytesLongLinesAndThousandsOfSections)
{
    for (const std::string e : {"\r\n", "\n", "\r"}) {
        ASSERT_TRUE(load("[A]" + e + "ProgMemSize=16" + e + "[B]" + e + "ProgMemSize=32")) << e.size();
        EXPECT_EQ(names(), (std::vector<std::string>{"A", "B"}));
        EXPECT_EQ(list.CopyCurrent().programMemorySize, 32);
    }
    ASSERT_TRUE(load("\xEF\xBB\xBF[A]\r\nProgMemSize=16\r\n"));
    EXPECT_EQ(names(), (std::vector<std::string>{"A"}));
    ASSERT_TRUE(load("[A\0B]\nProgMemSize=16\n\0\0\0\n[C]\nProgMemSize=8\n"s));
    EXPECT_EQ(names(), (std::vector<std::string>{"A\0B"s, "C"}));
    expectRejected("[A]\nProgMemSize=1\0 6\n"s);

    std::string text = ";" + std::string(1 << 20, 'x') + "\n";
    for (int i = 0; i < 5000; ++i)
        text += "[Device" + std::to_string(i) + "]\nProgMemSize=" + std::to_string(2 * (i + 1)) + "\n";
    ASSERT_TRUE(load(text));
    EXPECT_EQ(list.Count(), 5000);
    list.MoveTo(1000000);
    EXPECT_EQ(list.CursorIndex(), 4999);
    EXPECT_EQ(list.CopyCurrent().name, "Device4999");
    EXPECT_EQ(list.CopyCurrent().programMemorySize, 10000);
}

TEST(DeviceListMessages, StartUpTextsAsTheUserSeesThem)
{
    EXPECT_EQ(DeviceListLoadFailedMessage(),
              "Error load devices information from Devices.ini file.\r\nMenu \"Device\" will not be available.\r\n"
              "Note:\r\n\"ProgMemSize\" and \"EEPROMDataMemSize\" fields\r\nat Devices.ini file must be less "
              "or equal than accordingly\r\n1048576 and 65536 and \"ProgMemSize\" must be nonzero.");
    EXPECT_EQ(kZeroDevicesMessage, "Program has information about zero devices.\r\nInformation about devices "
                                   "must be at Devices.ini file.\r\nMenu \"Device\" will not be available.");
}

} // namespace
} // namespace velmora
