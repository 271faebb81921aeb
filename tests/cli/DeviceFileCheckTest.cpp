// check-devices: what the start-up would reject, and what it would silently take
// otherwise than the file seems to say, each at its line.

#include "cli/DeviceFileCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace velmora::cli {
namespace {

bool anyRejects(const std::vector<DeviceFileFinding>& findings)
{
    return std::ranges::any_of(findings, &DeviceFileFinding::rejects);
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
        EXPECT_TRUE(finding.rejects) << c.text;
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
                             "DeviceID=0x10000\n"          // 6
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
        {"[A] DeviceID=0x10000 is not a 16-bit number", 6},
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

TEST(DeviceFileCheck, PanelSizesFollowTheChosenWriteMethod)
{
    const char* small = "[PIC18F1220]\nProgMemSize=4096\nWriteStrategy=1\n";
    EXPECT_TRUE(checkDeviceText(small, false).empty());
    const auto multi = checkDeviceText(small, true);
    ASSERT_EQ(multi.size(), 1U);
    EXPECT_NE(multi[0].text.find("panel"), std::string::npos);
    EXPECT_EQ(multi[0].line, 2) << "the size that does not fit";
}

} // namespace
} // namespace velmora::cli
