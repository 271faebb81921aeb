// check-devices: what the start-up would reject, and what it would silently take
// otherwise than the file seems to say, each at its line.

#include "cli/DeviceFileCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>

#include "tests/cli/CapturedOutput.h"
#include "tests/support/TempFolder.h"

namespace velmora::cli {
namespace {

using Kind = DeviceFileFinding::Kind;

bool anyRejects(const std::vector<DeviceFileFinding>& findings)
{
    return std::ranges::any_of(findings, [](const DeviceFileFinding& f) { return f.kind != Kind::Warning; });
}

// The one finding that mentions `words`, or a failure.
DeviceFileFinding findingAbout(const std::vector<DeviceFileFinding>& findings, const std::string& words)
{
    for (const DeviceFileFinding& finding : findings) {
        if (finding.text.find(words) != std::string::npos)
            return finding;
    }
    ADD_FAILURE() << "nothing about " << words;
    return {};
}

TEST(DeviceFileCheck, ACleanFileHasNoFindings)
{
    EXPECT_TRUE(checkDeviceText("; devices\n[PIC18F452]\nProgMemSize=32768\nEEPROMDataMemSize=256\nDeviceID=0x0420\n"
                                "[PIC18F4550]\nProgMemSize=0x8000\nWriteStrategy=2\nWriteBufferSize=32\nConfig=3\n"
                                "Mask=3F CF 3F 1F 00 87 C5 00 0F C0 0F E0 0F 40\nSetMask=00 00 00 00 00 00 00 00 00 00 00 00 00 00\n",
                                false)
                    .empty());
}

TEST(DeviceFileCheck, WhatTheStartUpWouldRejectAndWhere)
{
    const struct {
        const char* text;
        int line;
        const char* words;
    } cases[] = {
        {"[A]\nEEPROMDataMemSize=256\n", 1, "ProgMemSize is missing"},
        {"[A]\nProgMemSize=32K\n", 2, "ProgMemSize=32K is not a number"},
        {"[A]\nProgMemSize=0x100001\n", 2, "ProgMemSize must be 1 to 1048576"},
        {"[A]\nProgMemSize=1024\n\nEEPROMDataMemSize=65537\n", 4, "EEPROMDataMemSize must be 0 to 65536"},
        {"[A]\nProgMemSize=1024\n; see [B] for more\n", 3, "no section header still counts as a device"},
        {"; nothing but comments\n", 0, "zero devices"},
    };
    for (const auto& c : cases) {
        const auto findings = checkDeviceText(c.text, false);
        ASSERT_TRUE(anyRejects(findings)) << c.text;
        const DeviceFileFinding finding = findingAbout(findings, c.words);
        EXPECT_EQ(finding.kind, Kind::Rejection) << c.text;
        EXPECT_EQ(finding.line, c.line) << c.text;
    }
}

TEST(DeviceFileCheck, WarnsOfValuesTheProgramWouldSilentlyReplace)
{
    const std::string text = "[A]\n"                       // 1
                             "ProgMemSize=32768\n"         // 2
                             "LongEEAddr=yes\n"            // 3
                             "WriteStrategy=3\n"           // 4
                             "ProgMemSze=16384\n"          // 5
                             "DeviceIDMask=0xFFF0 ; 2420\n" // 6
                             "[B]\n"                       // 7
                             "ProgMemSize=24576\n"         // 8
                             "WriteStrategy=2\n"           // 9
                             "WriteBufferSize=50\n"        // 10
                             "Config=3\n"                  // 11
                             "Mask=00 CF 1F\n"             // 12
                             "DeviceID=0x1140\n"           // 13
                             "[C]\n"                       // 14
                             "ProgMemSize=4100\n"          // 15
                             "DeviceID=0x1143\n"           // 16
                             "[b]\n"                       // 17
                             "ProgMemSize=1\n";            // 18
    const auto findings = checkDeviceText(text, false);
    EXPECT_FALSE(anyRejects(findings));
    const struct {
        const char* words;
        int line;
    } expected[] = {
        {"[A] LongEEAddr=yes does not parse: the default 0 applies", 3},
        {"[A] WriteStrategy=3 is no write method", 4},
        {"[A] unknown key ProgMemSze", 5},
        {"[A] DeviceIDMask=0xFFF0 ; 2420 is not a 16-bit number: the default 0xFFE0 applies", 6},
        {"[B] programming would fail: Device program memory size is not integer amount of buffers.", 10},
        {"[B] SetMask is missing", 7},
        {"[B] Mask is missing or does not parse", 12},
        {"[C] programming would fail: Device program memory does not consist of integer amount", 15},
        {"[C] DeviceID also names [B] (line 7)", 16},
        {"[b] a second section of this name: the program gives both entries the values of the first (line 7)", 17},
    };
    for (const auto& e : expected)
        EXPECT_EQ(findingAbout(findings, e.words).line, e.line) << e.words;
    EXPECT_EQ(findings.size(), std::size(expected));
}

TEST(DeviceFileCheck, AnUnparsableValueNamesTheDefaultTheLoaderTakes)
{
    const auto findings = checkDeviceText("[A]\nProgMemSize=1024\nCP1App=no\nWriteBufferSize=eight\n", false);
    EXPECT_EQ(findingAbout(findings, "[A] CP1App=no does not parse: the default 1 applies").line, 3);
    EXPECT_EQ(findingAbout(findings, "[A] WriteBufferSize=eight does not parse: the default 8 applies").line, 4);
    EXPECT_EQ(findings.size(), 2U);
}

TEST(DeviceFileCheck, WarnsOfNamesAndKeysTheProgramTakesOtherwise)
{
    const struct {
        const char* text;
        int line;
        const char* words;
    } cases[] = {
        {"[ PIC18F452 ]\nProgMemSize=1024\n", 1, "--device PIC18F452 does not find it; write [PIC18F452]"},
        {"[PIC18F452\t]\nProgMemSize=1024\n", 1, "blanks at its ends"},
        {"; devices\nProgMemSize=1024\n[A]\nProgMemSize=1024\n", 2, "key ProgMemSize stands before the first section"},
    };
    for (const auto& c : cases) {
        const auto findings = checkDeviceText(c.text, false);
        ASSERT_EQ(findings.size(), 1U) << c.text;
        EXPECT_EQ(findings[0].kind, Kind::Warning) << c.text;
        EXPECT_EQ(findings[0].line, c.line) << c.text;
        EXPECT_NE(findings[0].text.find(c.words), std::string::npos) << findings[0].text;
    }
}

// Each of these once let any chip pass for the device, or the check be skipped.
TEST(DeviceFileCheck, ADeviceIdThatCannotNameTheChipRefusesTheDeviceAtItsLine)
{
    const struct {
        const char* keys;
        const char* words;
    } cases[] = {
        {"DeviceIDMask=0\nDeviceID=0x0420\n", "DeviceIDMask=0 does not cover the device bits"},
        {"DeviceID=0x0420 ; PIC18F452\n", "DeviceID=0x0420 ; PIC18F452 is not a 16-bit number"},
        {"Device ID=0x0420\n", "key \"device id\" is not DeviceID"},
        {"DeviceID=0xFFFF\n", "device bits all 0 or all 1"},
        {"DeviceID=0\n", "device bits all 0 or all 1"},
    };
    for (const auto& c : cases) {
        const std::string text = std::string("[A]\nProgMemSize=1024\n") + c.keys;
        const auto findings = checkDeviceText(text, false);
        ASSERT_EQ(findings.size(), 1U) << text << "no unknown-key warning besides";
        EXPECT_NE(findings[0].text.find(c.words), std::string::npos) << findings[0].text;
        EXPECT_EQ(findings[0].kind, Kind::Refusal) << "the program itself still loads the file";
        EXPECT_EQ(findings[0].line, 3) << text;
        EXPECT_NE(findings[0].text.find("velmora-cli refuses to identify or write this device"), std::string::npos);
    }
}

TEST(DeviceFileCheck, AFamilyUnknownOrContradictedRefusesTheDeviceAtTheKeyAtFault)
{
    const std::string fitting = "[A]\n"                           // 1
                                "ProgMemSize=16384\n"             // 2
                                "EEPROMDataMemSize=256\n"         // 3
                                "WriteStrategy=2\n"               // 4
                                "WriteBufferSize=32\n"            // 5
                                "Config=3\n"                      // 6
                                "Mask=00 CF 1F 1F 00 8F C5 00 03 C0 03 E0 03 40\n"
                                "SetMask=00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
                                "Family=K20\n";                   // 9
    EXPECT_TRUE(checkDeviceText(fitting, false).empty()) << "a 24K20 and the key known";
    const struct {
        const char* from;
        const char* to;
        int line;
        const char* words;
    } cases[] = {
        {"Family=K20", "Family=K2O", 9,
         "Family=K2O names no programming family (the known ones are K22, 1XK22, K20, J10, J2X4X, J6X8X or J60)"},
        {"WriteStrategy=2", "WriteStrategy=1", 4, "Family=K20 needs WriteStrategy=2"},
        {"Config=3", "Config=1", 6, "Family=K20 needs Config=3"},
        {"ProgMemSize=16384", "ProgMemSize=24576", 2, "no K20 part has ProgMemSize=24576"},
        {"EEPROMDataMemSize=256", "EEPROMDataMemSize=1024", 3, "no K20 part has"},
        {"WriteBufferSize=32", "WriteBufferSize=64", 5,
         "WriteBufferSize=64; its parts have 8192/256/8, 16384/256/32, 32768/256/32, 65536/1024/64"},
        {"Family=K20", "Family=K20\nLongEEAddr=1", 10, "Family=K20 with EEPROMDataMemSize=256 needs LongEEAddr=0"},
        // A J part has no EEPROM, whatever its size.
        {"Family=K20",
         "Family=K20\n[J]\nProgMemSize=65536\nEEPROMDataMemSize=256\nWriteStrategy=2\nWriteBufferSize=64\nConfig=3\n"
         "Mask=E1 04 C7 0F 00 04 00 00 00 00 00 00 00 00\nSetMask=00 F0 00 F0 FF F0 FF FF 00 00 00 00 00 00\n"
         "Family=J60\n",
         12, "no J60 part has ProgMemSize=65536, EEPROMDataMemSize=256"},
    };
    for (const auto& c : cases) {
        std::string text = fitting;
        text.replace(text.find(c.from), std::string_view(c.from).size(), c.to);
        const auto findings = checkDeviceText(text, false);
        ASSERT_EQ(findings.size(), 1U) << text;
        EXPECT_EQ(findings[0].kind, Kind::Refusal) << "the program itself still loads the file";
        EXPECT_EQ(findings[0].line, c.line) << text;
        EXPECT_NE(findings[0].text.find(c.words), std::string::npos) << findings[0].text;
        EXPECT_NE(findings[0].text.find(": velmora-cli refuses to write this device"), std::string::npos);
    }
}

TEST(DeviceFileCheck, EachSharedIdIsOneFindingWithAllItsSections)
{
    const auto three = checkDeviceText("[A]\nProgMemSize=1024\nDeviceID=0x0420\n[B]\nProgMemSize=1024\nDeviceID=0x0421\n"
                                       "[C]\nProgMemSize=1024\nDeviceID=0x0420\n",
                                       false);
    ASSERT_EQ(three.size(), 1U);
    EXPECT_EQ(three[0].line, 9);
    EXPECT_EQ(three[0].text, "[C] DeviceID also names [A] (line 1), [B] (line 4): a chip with this ID would match all 3");

    // Twins told apart by DEVID1 bit 4 share nothing; a wider mask claims both twins' IDs.
    const char* twins = "[T0]\nProgMemSize=1024\nDeviceID=0x1140\nDeviceIDMask=0xFFF0\n"
                        "[T1]\nProgMemSize=1024\nDeviceID=0x1150\nDeviceIDMask=0xFFF0\n";
    EXPECT_TRUE(checkDeviceText(twins, false).empty());
    const auto wide = checkDeviceText(std::string(twins) + "[W]\nProgMemSize=1024\nDeviceID=0x1140\n", false);
    ASSERT_EQ(wide.size(), 2U);
    findingAbout(wide, "[W] DeviceID also names [T0] (line 1): a chip with this ID would match both");
    findingAbout(wide, "[W] DeviceID also names [T1] (line 5): a chip with this ID would match both");
}

TEST(DeviceFileCheck, PanelSizesFollowTheChosenWriteMethod)
{
    const char* small = "[PIC18F1220]\nProgMemSize=4096\nWriteStrategy=1\n";
    EXPECT_TRUE(checkDeviceText(small, false).empty());
    const auto multi = checkDeviceText(small, true);
    ASSERT_EQ(multi.size(), 1U);
    EXPECT_NE(multi[0].text.find("panel"), std::string::npos);
    EXPECT_EQ(multi[0].line, 2) << "the size that does not fit";
}

std::string printedCheck(const std::filesystem::path& path, int expectedStatus)
{
    test::CapturedOutput out;
    EXPECT_EQ(checkDeviceFile(path, false, out.file()), expectedStatus) << path;
    return out.text();
}

TEST(DeviceFileCheck, PrintsControlCharactersEscapedAndWhyAFileCannotBeRead)
{
    test::TempFolder folder;
    using namespace std::string_view_literals;
    // Not "nul.ini": Windows takes that name for its NUL device.
    const std::string controls = folder.write("controls.ini", "[A]\nProgMemSize=1024\nConfig=1\0x\x1B[2J\n"sv);
    EXPECT_NE(printedCheck(controls, 1).find(":3: warning: [A] Config=1\\x00x\\x1B[2J does not parse"), std::string::npos);

    EXPECT_NE(printedCheck(folder.path() / "absent.ini", 2).find(": cannot be read (no such file); "),
              std::string::npos);
#if !defined(_WIN32)
    // A regular file whose every read fails: the system's own reason.
    EXPECT_NE(printedCheck("/proc/self/mem", 2).find(": cannot be read (Input/output error); "), std::string::npos);
#endif
}

} // namespace
} // namespace velmora::cli
