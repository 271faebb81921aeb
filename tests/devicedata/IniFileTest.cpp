#include "devicedata/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TempFolder.h"

namespace velmora {
namespace {

IniFile iniOf(std::string_view text)
{
    IniFile ini;
    ini.loadText(text);
    return ini;
}

TEST(IniFile, FirstSectionOfANameSuppliesEverything)
{
    const IniFile ini = iniOf("[Dev]\nA=1\nA=2\n[Other]\nA=3\n[DEV]\nA=4\nB=5\n");
    EXPECT_EQ(ini.getString("Dev", "A", "-"), "1");
    // Keys of a later section of the same name are not merged in.
    EXPECT_EQ(ini.getString("dev", "B", "-"), "-");
    EXPECT_EQ(ini.getString("Other", "A", "-"), "3");
}

TEST(IniFile, ValuesAreTrimmedAndUnquoted)
{
    const IniFile ini = iniOf("[S]\n"
                              "  Plain \t=  \t some text \t \n"
                              "Double=\"  spaced  \"\n"
                              "Single=' x '\n"
                              "Mismatched=\"abc'\n"
                              "Lone=\"\n"
                              "Inner=a \"b\" c\n"
                              "Empty=\n"
                              "Equals=a=b\n"
                              "Semicolon=1 ; not a comment\n");
    EXPECT_EQ(ini.getString("S", "Plain", "-"), "some text");
    EXPECT_EQ(ini.getString("S", "Double", "-"), "  spaced  ");
    EXPECT_EQ(ini.getString("S", "Single", "-"), " x ");
    EXPECT_EQ(ini.getString("S", "Mismatched", "-"), "\"abc'");
    EXPECT_EQ(ini.getString("S", "Lone", "-"), "\"");
    EXPECT_EQ(ini.getString("S", "Inner", "-"), "a \"b\" c");
    EXPECT_EQ(ini.getString("S", "Empty", "-"), "");
    EXPECT_EQ(ini.getString("S", "Equals", "-"), "a=b");
    EXPECT_EQ(ini.getString("S", "Semicolon", "-"), "1 ; not a comment");
}

TEST(IniFile, ValuesAreCutToWhatTheBufferHolds)
{
    const std::string longValue(3000, 'v');
    const IniFile ini = iniOf("[S]\nLong=" + longValue + "\nFits=" + std::string(2047, 'w') + "\n");
    EXPECT_EQ(ini.getString("S", "Long", ""), std::string(2047, 'v'));
    EXPECT_EQ(ini.getString("S", "Fits", ""), std::string(2047, 'w'));
    // A number behind 2,047 characters of blanks is cut off with them.
    const IniFile padded = iniOf("[S]\nN=\"" + std::string(2047, ' ') + "5\"\nM=\"" + std::string(2046, ' ') + "5\"\n");
    EXPECT_EQ(padded.getInteger("S", "N", -1), -1);
    EXPECT_EQ(padded.getInteger("S", "M", -1), 5);
}

TEST(IniFile, HeaderAndKeyLines)
{
    const IniFile ini = iniOf("Orphan=1\n"
                              "  [Spaced]  trailing text\n"
                              "K=1\n"
                              ";[Hidden]\n"
                              "K=2\n"
                              "NoEquals\n"
                              "=novalue\n"
                              "[ Padded ]\n"
                              "K=3\n"
                              "[Pic18F452]\nProgMemSize=32768\n");
    EXPECT_EQ(ini.getString("PIC18F452", "progmemsize", "-"), "32768");
    EXPECT_EQ(ini.getString("PIC18F45", "ProgMemSize", "-"), "-");
    EXPECT_EQ(ini.getString("", "Orphan", "-"), "-");
    EXPECT_EQ(ini.getString("Spaced", "K", "-"), "1");
    // A commented-out header is not a section for lookups.
    EXPECT_EQ(ini.getString("Hidden", "K", "-"), "-");
    EXPECT_EQ(ini.getString(" Padded ", "K", "-"), "3");
    EXPECT_EQ(ini.getString("Padded", "K", "-"), "-");
}

TEST(IniFile, ALeadingByteOrderMarkStartsNoLine)
{
    const IniFile ini = iniOf("\xEF\xBB\xBF[Config]\r\nCOM=SIM\r\n\xEF\xBB\xBF[Later]\r\nK=1\r\n");
    EXPECT_EQ(ini.getString("Config", "COM", "-"), "SIM");
    // Only the file's first bytes can be a mark; elsewhere they are text.
    EXPECT_EQ(ini.getString("Later", "K", "-"), "-");
    EXPECT_EQ(ini.getString("Config", "K", "-"), "1");
}

TEST(IniFile, IntegersAndBools)
{
    const IniFile ini = iniOf("[S]\nHex=$8000\nBad=32K\nEmpty=\nNeg=-1\nZero=0\nTwo=2\nWord=yes\nQuoted=\" 0x10\"\n");
    EXPECT_EQ(ini.getInteger("S", "Hex", 0), 32768);
    EXPECT_EQ(ini.getInteger("S", "Bad", 7), 7);
    EXPECT_EQ(ini.getInteger("S", "Empty", 7), 7);
    EXPECT_EQ(ini.getInteger("S", "Missing", 7), 7);
    EXPECT_EQ(ini.getInteger("S", "Quoted", 7), 16);
    EXPECT_FALSE(ini.getBool("S", "Zero", true));
    EXPECT_TRUE(ini.getBool("S", "Two", false));
    EXPECT_TRUE(ini.getBool("S", "Neg", false));
    EXPECT_TRUE(ini.getBool("S", "Word", true));
    EXPECT_FALSE(ini.getBool("S", "Word", false));
    EXPECT_FALSE(ini.getBool("S", "Missing", false));
}

TEST(IniFile, LoadTellsMissingFromNotReadable)
{
    test::TempFolder folder;
    IniFile ini;
    const std::string path = folder.write("a.ini", "[S]\nK=V\n");
    EXPECT_EQ(ini.load(path), FileReadStatus::Read);
    EXPECT_EQ(ini.getString("S", "K", "-"), "V");

    EXPECT_EQ(ini.load(folder.path() / "absent.ini"), FileReadStatus::Missing);
    EXPECT_EQ(ini.getString("S", "K", "-"), "-");

    ini.load(path);
    EXPECT_EQ(ini.load(folder.path()), FileReadStatus::NotRegularFile);
    EXPECT_EQ(ini.getString("S", "K", "-"), "-");
}

} // namespace
} // namespace velmora
