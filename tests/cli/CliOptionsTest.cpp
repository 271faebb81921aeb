#include <gtest/gtest.h>

#include "cli/CliOptions.h"
#include "cli/TerminalBridge.h"
#include "tests/cli/CapturedOutput.h"

namespace velmora::cli {
namespace {

TEST(CliOptions, DefaultsAndEveryOption)
{
    auto parsed = parseCommandLine({"program", "a.hex"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->command, Command::Program);
    EXPECT_EQ(parsed.options->file, "a.hex");
    EXPECT_EQ(parsed.options->port, "SIM");
    EXPECT_TRUE(parsed.options->device.empty());
    EXPECT_TRUE(parsed.options->programming.fastVerify);
    EXPECT_FALSE(parsed.options->programming.multiPanelWrite);
    EXPECT_FALSE(parsed.options->checksum.enabled);
    EXPECT_FALSE(parsed.options->stopAtFirstDifference);

    parsed = parseCommandLine({"--port", "COM2", "--device", "pic18f4550", "--devices", "/x/D.ini", "--no-eeprom",
                               "--no-ids", "--no-config", "--no-program", "--multi-panel", "--no-fast-verify",
                               "--checksum", "zero", "--checksum-warn", "0xFFFF", "--stop-at-first", "verify", "b.hex"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const CliOptions& o = *parsed.options;
    EXPECT_EQ(o.command, Command::Verify);
    EXPECT_EQ(o.port, "COM2");
    EXPECT_EQ(o.device, "pic18f4550");
    EXPECT_EQ(o.devicesPath, "/x/D.ini");
    EXPECT_FALSE(o.programming.eeprom || o.programming.ids || o.programming.configuration
                 || o.programming.programMemory || o.programming.fastVerify);
    EXPECT_TRUE(o.programming.multiPanelWrite);
    EXPECT_TRUE(o.checksum.enabled);
    EXPECT_EQ(o.checksum.type, AdditionToZero);
    EXPECT_TRUE(o.checksum.warnEnabled);
    EXPECT_EQ(o.checksum.warnValue, "0xFFFF");
    EXPECT_TRUE(o.stopAtFirstDifference);
}

TEST(CliOptions, ChipCommandsAndTheOptionalDatabasePath)
{
    auto parsed = parseCommandLine({"identify"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->command, Command::Identify);
    EXPECT_TRUE(parsed.options->idCheck);
    EXPECT_FALSE(parseCommandLine({"identify", "x.hex"}).options);

    parsed = parseCommandLine({"--no-id-check", "--blank-check", "erase"});
    ASSERT_TRUE(parsed.options);
    EXPECT_FALSE(parsed.options->idCheck);
    EXPECT_TRUE(parsed.options->blankCheckAfterErase);
    EXPECT_EQ(parseCommandLine({"--blank-check", "program", "a.hex"}).error, "--blank-check goes with erase only");
    parsed = parseCommandLine({"--accept-no-eof", "verify", "a.hex"});
    ASSERT_TRUE(parsed.options);
    EXPECT_TRUE(parsed.options->acceptNoEof);

    parsed = parseCommandLine({"check-devices"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->command, Command::CheckDevices);
    EXPECT_TRUE(parsed.options->file.empty());
    parsed = parseCommandLine({"check-devices", "My.ini"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->file, "My.ini");
    parsed = parseCommandLine({"check-devices", "a.ini", "b.ini"});
    EXPECT_FALSE(parsed.options);
    EXPECT_EQ(parsed.error, "unexpected argument: b.ini");
    EXPECT_EQ(parseCommandLine({"program"}).error, "missing file name for program");
}

TEST(CliOptions, MistakesAreRefused)
{
    EXPECT_FALSE(parseCommandLine({}).options);
    EXPECT_FALSE(parseCommandLine({"--frobnicate", "erase"}).options);
    EXPECT_FALSE(parseCommandLine({"--port"}).options);
    EXPECT_FALSE(parseCommandLine({"program"}).options);              // no file
    EXPECT_FALSE(parseCommandLine({"erase", "extra"}).options);
    EXPECT_FALSE(parseCommandLine({"flash", "a.hex"}).options);
    EXPECT_FALSE(parseCommandLine({"--checksum", "crc", "program", "a.hex"}).options);
    EXPECT_FALSE(parseCommandLine({"--checksum-warn", "1", "program", "a.hex"}).options);
    EXPECT_NE(parseCommandLine({"--port"}).error.find("--port"), std::string::npos);
    auto help = parseCommandLine({"--help"});
    ASSERT_TRUE(help.options);
    EXPECT_EQ(help.options->command, Command::Help);
}

using Capture = test::CapturedOutput;

TEST(TerminalBridge, PlainLinesEveryTenPercentAndMessagesWithTheirLineBreaks)
{
    Capture out;
    Capture err;
    TerminalBridge bridge(out.file(), err.file(), false, ButtonYes);
    bridge.postAction("Read PIC's IDs");
    for (std::uint16_t p = 0; p <= 100; ++p) {
        bridge.postAddress(0x200000 + p, false);
        bridge.postProgress(p);
    }
    bridge.postProgress(250);   // shown as the maximum, no new line
    EXPECT_EQ(bridge.messageBox(MessageKind::Information, "Difference was found.\r\nContinue?",
                                ButtonYes | ButtonNo | ButtonAbort),
              ButtonYes);
    EXPECT_EQ(bridge.messageBox(MessageKind::Error, "Fault on delay.", ButtonOk), ButtonOk);

    const std::string printed = out.text();
    std::size_t lines = 0;
    for (char c : printed)
        lines += c == '\n' ? 1 : 0;
    EXPECT_EQ(lines, 11U + 3);   // 0%, 10% ... 100%, then the question's two lines and its answer
    EXPECT_EQ(printed.rfind("Read PIC's IDs  0%\nRead PIC's IDs  20000A  10%\n", 0), 0U);
    EXPECT_NE(printed.find("Read PIC's IDs  200064  100%\n"), std::string::npos);
    EXPECT_NE(printed.find("Difference was found.\nContinue?\n-> Yes\n"), std::string::npos);
    EXPECT_EQ(printed.find('\r'), std::string::npos);
    EXPECT_EQ(err.text(), "Fault on delay.\n");
}

TEST(TerminalBridge, StopAtFirstAnswersAbortAndTheLineIsRedrawnInPlace)
{
    Capture out;
    Capture err;
    TerminalBridge bridge(out.file(), err.file(), true, ButtonAbort);
    bridge.postAction("Verification of PIC's program memory");
    bridge.postAddress(0x12, true);
    bridge.postProgress(50);
    EXPECT_EQ(bridge.messageBox(MessageKind::Information, "Q", ButtonYes | ButtonNo | ButtonAbort), ButtonAbort);
    bridge.closeWindow();
    EXPECT_TRUE(bridge.closeRequested());
    const std::string printed = out.text();
    EXPECT_NE(printed.find("\rVerification of PIC's program memory  000012&+1  50%"), std::string::npos);
    EXPECT_NE(printed.find("Q\n-> Abort\n"), std::string::npos);
}

} // namespace
} // namespace velmora::cli
