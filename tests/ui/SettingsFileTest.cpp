#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TempFolder.h"
#include "devicedata/FileText.h"
#include "ui/IniTextEditor.h"
#include "ui/SettingsFile.h"

namespace velmora {
namespace {

// A scratch program folder; reading settings may change the current folder, so it is restored.
class SettingsFileTest : public ::testing::Test {
protected:
    std::filesystem::path iniPath() const { return folder.file("Velmora.ini"); }

    test::TempFolder folder;
    test::CurrentFolderGuard guard;
};

TEST_F(SettingsFileTest, MissingFileKeepsEveryDefault)
{
    SettingsFile settings(iniPath());
    SettingsGroup1 values;
    ProgrammingOptions options;
    ASSERT_TRUE(settings.readGroup1(values));
    ASSERT_TRUE(settings.readGroup2(options));

    EXPECT_EQ(values.device, 0);
    EXPECT_EQ(values.com, "COM1");
    EXPECT_FALSE(values.checksum.enabled);
    EXPECT_TRUE(values.checksum.warnEnabled);
    EXPECT_EQ(values.checksum.warnValue, "0x0000");
    EXPECT_EQ(values.checksum.type, 0);
    EXPECT_EQ(values.bounds.left, 47);
    EXPECT_EQ(values.bounds.top, 44);
    EXPECT_EQ(values.bounds.width, 521);
    EXPECT_EQ(values.bounds.height, 421);
    EXPECT_FALSE(values.maximized);
    EXPECT_FALSE(options.multiPanelWrite);
    EXPECT_TRUE(options.fastVerify);
    EXPECT_TRUE(options.programMemory && options.eeprom && options.ids && options.configuration);
}

TEST_F(SettingsFileTest, ReadsValuesInEveryAcceptedEncoding)
{
    folder.write("Velmora.ini",
                 "[config]\r\nDevice=$0A\r\nCOM =  /dev/ttyUSB1  \r\nCSEnabled=2\r\nCSWarnEnabled=maybe\r\n"
                 "CSWarnValue=0xFFFF\r\nCSType= 1\r\nFastVerify=0\r\nMultiPanelWrite=-1\r\nPRVEEPROM=0\r\n"
                 "[MainWindow]\r\nLeft=-5\r\nWidth=0x300\r\nMaximized=1\r\nGridColWidth3=5\r\nGridColWidth4=55\r\n");
    SettingsFile settings(iniPath());
    SettingsGroup1 values;
    ProgrammingOptions options;
    ASSERT_TRUE(settings.readGroup1(values));
    ASSERT_TRUE(settings.readGroup2(options));

    EXPECT_EQ(values.device, 10);
    EXPECT_EQ(values.com, "/dev/ttyUSB1");
    EXPECT_TRUE(values.checksum.enabled);       // 2 is true
    EXPECT_TRUE(values.checksum.warnEnabled);   // a word keeps the default
    EXPECT_EQ(values.checksum.warnValue, "0xFFFF");
    EXPECT_EQ(values.checksum.type, 1);
    EXPECT_EQ(values.bounds.left, -5);
    EXPECT_EQ(values.bounds.width, 0x300);
    EXPECT_EQ(values.bounds.top, 44);
    EXPECT_TRUE(values.maximized);
    EXPECT_EQ(values.columnWidths[3], 20);      // raised to the minimum
    EXPECT_EQ(values.columnWidths[4], 55);
    EXPECT_EQ(values.columnWidths[5], 40);
    EXPECT_FALSE(options.fastVerify);
    EXPECT_TRUE(options.multiPanelWrite);
    EXPECT_FALSE(options.eeprom);
    EXPECT_TRUE(options.ids);
}

TEST_F(SettingsFileTest, LastDirBecomesTheCurrentFolderOrFallsBackToDot)
{
    std::filesystem::create_directories(folder.file("work"));
    folder.write("Velmora.ini", "[Config]\r\nLastDir=" + folder.file("work").string() + "\r\n");
    SettingsGroup1 values;
    ASSERT_TRUE(SettingsFile(iniPath()).readGroup1(values));
    EXPECT_EQ(std::filesystem::current_path(), folder.file("work"));

    folder.write("Velmora.ini", "[Config]\r\nLastDir=" + folder.file("gone").string() + "\r\nCOM=COM7\r\n");
    SettingsGroup1 again;
    ASSERT_TRUE(SettingsFile(iniPath()).readGroup1(again));
    EXPECT_EQ(again.lastDir, ".");
    EXPECT_EQ(std::filesystem::current_path(), folder.file("work")); // unchanged
    EXPECT_EQ(again.com, "COM7");
}

TEST_F(SettingsFileTest, FolderFailureStopsGroupOneAtLastDir)
{
    folder.write("Velmora.ini", "[Config]\r\nDevice=3\r\nCOM=COM9\r\nCSType=1\r\n[MainWindow]\r\nLeft=5\r\n");
    SettingsFile settings(iniPath(), [](const std::filesystem::path&) { return false; });
    SettingsGroup1 values;
    std::string problem;
    EXPECT_FALSE(settings.readGroup1(values, &problem));
    EXPECT_EQ(problem, "LastDir cannot become the current folder: .");
    EXPECT_EQ(values.device, 3);          // read before the failure
    EXPECT_EQ(values.com, "COM1");        // after it: defaults
    EXPECT_EQ(values.checksum.type, 0);
    EXPECT_EQ(values.bounds.left, 47);
}

TEST_F(SettingsFileTest, UnreadableFileIsALoadError)
{
    std::filesystem::create_directories(iniPath()); // a folder cannot be read as a file
    SettingsFile settings(iniPath());
    SettingsGroup1 values;
    ProgrammingOptions options;
    options.fastVerify = false;
    std::string problem;
    EXPECT_FALSE(settings.readGroup1(values, &problem));
    EXPECT_EQ(settings.loadErrorText(problem), "INI load error\r\n" + iniPath().string() + "\r\nnot a regular file");
    EXPECT_FALSE(settings.readGroup2(options, &problem));
    EXPECT_FALSE(options.fastVerify);

    std::filesystem::remove(iniPath());
    folder.write("Velmora.ini", std::string(kTextFileSizeLimit + 1, ' '));
    EXPECT_FALSE(settings.readGroup2(options, &problem));
    EXPECT_EQ(problem, FileReadProblem(FileReadStatus::TooLarge));
}

#if !defined(_WIN32)
TEST_F(SettingsFileTest, LinksToDevicesAndFailingFilesAreLoadErrorsNotCrashes)
{
    // /proc/self/mem fails every read; /dev/zero never ends.
    for (const char* target : {"/proc/self/mem", "/dev/zero"}) {
        std::filesystem::remove(iniPath());
        std::filesystem::create_symlink(target, iniPath());
        SettingsFile settings(iniPath());
        SettingsGroup1 values;
        ProgrammingOptions options;
        EXPECT_FALSE(settings.readGroup1(values)) << target;
        EXPECT_FALSE(settings.readGroup2(options)) << target;
        EXPECT_FALSE(settings.write(values, options)) << target;
    }
}
#endif

TEST_F(SettingsFileTest, WrittenSettingsReadBackAndKeepForeignLines)
{
    folder.write("Velmora.ini", "; my notes\r\n[Config]\r\nCOM=SIM\r\nOther=kept\r\n\r\n[Extra]\r\nA=1\r\n");
    SettingsGroup1 values;
    values.device = 4;
    values.lastDir = folder.path().string();
    values.com = "COM3";
    values.checksum = {true, false, "$1234", 1};
    values.bounds = {10, 20, 640, 480};
    values.maximized = true;
    values.columnWidths[0] = 77;
    values.columnWidths[5] = 20;
    ProgrammingOptions options;
    options.multiPanelWrite = true;
    options.ids = false;
    options.blankCheckBeforeErase = true;
    SettingsFile settings(iniPath());
    ASSERT_TRUE(settings.write(values, options));

    const std::string text = folder.read("Velmora.ini");
    // Existing keys are replaced where they stand; new ones follow the section's last line.
    EXPECT_EQ(text.rfind("; my notes\r\n[Config]\r\nCOM=COM3\r\nOther=kept\r\nDevice=4\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("[Extra]\r\nA=1\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Blank"), std::string::npos); // never stored
    // Keys of a section come in the order they are written.
    EXPECT_LT(text.find("PRVConfiguration=1"), text.find("[MainWindow]"));
    EXPECT_LT(text.find("Maximized=1"), text.find("Left=10"));
    EXPECT_LT(text.find("Height=480"), text.find("GridColWidth0=77"));

    SettingsGroup1 read;
    ProgrammingOptions readOptions;
    ASSERT_TRUE(settings.readGroup1(read));
    ASSERT_TRUE(settings.readGroup2(readOptions));
    EXPECT_EQ(read.device, 4);
    EXPECT_EQ(read.com, "COM3");
    EXPECT_TRUE(read.checksum.enabled);
    EXPECT_FALSE(read.checksum.warnEnabled);
    EXPECT_EQ(read.checksum.warnValue, "$1234");
    EXPECT_EQ(read.checksum.type, 1);
    EXPECT_EQ(read.bounds.width, 640);
    EXPECT_TRUE(read.maximized);
    EXPECT_EQ(read.columnWidths[0], 77);
    EXPECT_EQ(read.columnWidths[5], 20);
    EXPECT_TRUE(readOptions.multiPanelWrite);
    EXPECT_FALSE(readOptions.ids);
    EXPECT_FALSE(readOptions.blankCheckBeforeErase);
}

TEST_F(SettingsFileTest, AByteOrderMarkIsReadPastAndKept)
{
    folder.write("Velmora.ini", "\xEF\xBB\xBF[Config]\r\nCOM=SIM\r\n");
    SettingsFile settings(iniPath());
    SettingsGroup1 values;
    ASSERT_TRUE(settings.readGroup1(values));
    EXPECT_EQ(values.com, "SIM");

    ASSERT_TRUE(settings.write(values, ProgrammingOptions{}));
    const std::string text = folder.read("Velmora.ini");
    EXPECT_EQ(text.rfind("\xEF\xBB\xBF[Config]\r\nCOM=SIM\r\n", 0), 0u) << text;
    EXPECT_EQ(text.find("[Config]"), text.rfind("[Config]")) << text;
}

TEST_F(SettingsFileTest, WriteFailuresAreReported)
{
    EXPECT_FALSE(SettingsFile(folder.file("missing") / "Velmora.ini").write(SettingsGroup1{}, ProgrammingOptions{}));
    std::filesystem::create_directories(iniPath());
    EXPECT_FALSE(SettingsFile(iniPath()).write(SettingsGroup1{}, ProgrammingOptions{}));
    EXPECT_TRUE(std::filesystem::is_directory(iniPath()));
}

TEST(IniTextEditorTest, ReplacesInPlaceAppendsToSectionAndAddsSections)
{
    IniTextEditor ini("[A]\nx=1\n\n[b]\r\ny = 2\n");
    ini.set("B", "Y", "3");
    ini.set("a", "z", "4");
    ini.set("C", "w", "5");
    EXPECT_EQ(ini.text(), "[A]\r\nx=1\r\nz=4\r\n\r\n[b]\r\nY=3\r\n\r\n[C]\r\nw=5\r\n");
}

TEST(IniTextEditorTest, EmptyTextGetsASectionWithoutLeadingBlankLine)
{
    IniTextEditor ini("");
    ini.set("Config", "COM", "COM1");
    EXPECT_EQ(ini.text(), "[Config]\r\nCOM=COM1\r\n");

    IniTextEditor marked("\xEF\xBB\xBF");
    marked.set("Config", "COM", "COM1");
    EXPECT_EQ(marked.text(), "\xEF\xBB\xBF[Config]\r\nCOM=COM1\r\n");
}

} // namespace
} // namespace velmora
