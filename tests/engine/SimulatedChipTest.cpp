// The whole engine against the simulated chip: what the chip holds after programming,
// what a read brings back, and what verify, erase and blank check report.

#include <algorithm>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "engine/DifferenceReport.h"
#include "engine/EngineTexts.h"
#include "tests/engine/ChipUnderTest.h"

namespace velmora::test {
namespace {

using Kind = BridgeEvent::Kind;

struct ProgramCase {
    const char* chip;
    bool multiPanel;
    const char* hexFile;   // nullptr: a generated pattern
};

std::ostream& operator<<(std::ostream& out, const ProgramCase& c)
{
    return out << c.chip << (c.multiPanel ? " multi-panel" : "");
}

// A pattern that reaches every part of program memory and EEPROM above 256 bytes,
// with blank stretches between.
void fillPattern(DeviceImage& data)
{
    MemoryImage& image = data.image;
    for (std::uint32_t a = 0; a < image.programMemorySize; a += 997) {
        for (std::uint32_t i = 0; i < 40 && a + i < image.programMemorySize; ++i) {
            image.programMemory[a + i] = static_cast<std::uint8_t>(a + i * 7);
            data.SetProgramPresent(a + i, true);
        }
    }
    for (std::uint32_t e = 0; e < image.eepromSize; e += 3)
        image.eeprom[e] = static_cast<std::uint8_t>(e ^ 0x5A);
    for (int i = 0; i < kIdCount; ++i)
        image.ids[i] = static_cast<std::uint8_t>(0x10 * i + 1);
}

std::uint8_t effective(const MemoryImage& image, int k, std::uint8_t value)
{
    return static_cast<std::uint8_t>((value & image.configMask[k]) | image.configSetMask[k]);
}

// Programs the image, then checks what the chip holds, what a read brings back and
// that verify finds no difference. The harness fails the test on any timing violation.
void programReadAndVerify(ChipUnderTest& t)
{
    const auto expected = std::make_unique<MemoryImage>(t.image());

    t.run(OperationProgram);
    ASSERT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed})
        << t.sim.describeViolations();

    const auto& memory = t.sim.memory();
    ASSERT_EQ(memory.programMemory().size(), expected->programMemorySize);
    for (std::uint32_t a = 0; a < expected->programMemorySize; ++a)
        ASSERT_EQ(memory.programMemory()[a], expected->programMemory[a]) << "program memory " << hexAddress(a);
    for (std::uint32_t e = 0; e < expected->eepromSize; ++e)
        ASSERT_EQ(memory.eeprom()[e], expected->eeprom[e]) << "EEPROM " << e;
    for (int i = 0; i < kIdCount; ++i)
        EXPECT_EQ(memory.ids()[static_cast<std::size_t>(i)], expected->ids[i]);

    // Read back into the engine's image, which the read blanks first.
    t.run(OperationRead);
    ASSERT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kReadPerformed});
    EXPECT_TRUE(std::equal(expected->programMemory, expected->programMemory + expected->programMemorySize,
                           t.image().programMemory));
    EXPECT_TRUE(std::equal(expected->eeprom, expected->eeprom + expected->eepromSize, t.image().eeprom));
    EXPECT_TRUE(std::equal(expected->ids, expected->ids + kIdCount, t.image().ids));
    for (int k = 0; k < kConfigCount; ++k)
        EXPECT_EQ(effective(*expected, k, t.image().config[k]), effective(*expected, k, expected->config[k])) << k;
    const std::uint16_t deviceId = static_cast<std::uint16_t>(t.image().deviceId[1] << 8 | t.image().deviceId[0]);
    EXPECT_EQ(deviceId & 0xFFE0, t.sim.model().deviceId);

    // An equal chip verifies as equal.
    t.run(OperationVerify);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{verifyReport(false)});
    EXPECT_EQ(t.engine.lastOutcome, OperationOutcome::Completed);
}

class ProgramOnChip : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(ProgramOnChip, ChipHoldsTheImageAndReadsBackByteForByte)
{
    const ProgramCase& c = GetParam();
    ChipUnderTest t(c.chip);
    t.engine.options.multiPanelWrite = c.multiPanel;
    if (c.hexFile != nullptr)
        t.loadHex(hexTestFile(c.hexFile));
    else
        fillPattern(t.engine.data());
    programReadAndVerify(t);
}

TEST(ProgramOnChip, ThirdPartyFilesProgramAndReadBack)
{
    for (const char* name : {"usb-bootloader-18f4550.hex", "blink-18f4550-app.hex"}) {
        const std::string file = thirdPartyHexFile(name);
        if (!std::filesystem::exists(file))
            GTEST_SKIP() << "no third-party HEX file " << file << " (it is not part of this repository)";
        SCOPED_TRACE(name);
        ChipUnderTest t("PIC18F4550");
        t.loadHex(file);
        programReadAndVerify(t);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Devices, ProgramOnChip,
    ::testing::Values(ProgramCase{"PIC18F452", false, "pic18f452-program.hex"},
                      ProgramCase{"PIC18F452", true, "pic18f452-program.hex"},
                      ProgramCase{"PIC18F4550", false, "pic18f4550-bootloader.hex"},
                      ProgramCase{"PIC18F2525", false, "pic18f2525-buffers.hex"},
                      ProgramCase{"PIC18F2525", false, nullptr},
                      ProgramCase{"PIC18F6520", true, nullptr}),
    [](const auto& info) {
        std::string name = std::string(info.param.chip) + (info.param.multiPanel ? "MultiPanel" : "")
            + (info.param.hexFile == nullptr ? "Pattern" : "") + std::to_string(info.index);
        return name;
    });

class VerifyOnChip : public ::testing::Test {
protected:
    VerifyOnChip()
    {
        t.loadHex(hexTestFile("pic18f452-program.hex"));
        t.run(OperationProgram);
        EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});
    }
    std::vector<BridgeEvent> questions() const
    {
        std::vector<BridgeEvent> found;
        for (const BridgeEvent& e : t.window.eventsOf(Kind::MessageBox)) {
            if (e.buttons == (ButtonYes | ButtonNo | ButtonAbort))
                found.push_back(e);
        }
        return found;
    }
    ChipUnderTest t{"PIC18F452"};
};

TEST_F(VerifyOnChip, YesAtADifferenceGoesOnAndReportsDiffers)
{
    t.sim.memory().programMemory()[0x12] = 0x3F;   // blank in the image
    t.sim.memory().programMemory()[0x7FFF] = 0x00;
    t.window.answerQuestions({ButtonYes, ButtonYes});
    t.run(OperationVerify);

    const auto asked = questions();
    ASSERT_EQ(asked.size(), 2U);
    EXPECT_EQ(asked[0].text,
              "Difference was found.\r\nByte of PIC's program memory at 000012 address.\r\nValue from device: 3F,\r\n"
              "Value from computer program: FF.\r\nContinue check PIC's program memory? Abort- exit verify.");
    EXPECT_EQ(asked[0].messageKind, MessageKind::Information);
    EXPECT_NE(asked[1].text.find("007FFF address."), std::string::npos);
    EXPECT_EQ(t.window.messageTexts().back(),
              "Verification has been performed.\r\nPIC's programmable memory content differs\r\n"
              "from this content of computer program.");
    EXPECT_EQ(t.engine.lastOutcome, OperationOutcome::Differences);
}

TEST_F(VerifyOnChip, NoSkipsTheRestOfTheAreaButNotTheOtherAreas)
{
    t.sim.memory().programMemory()[0x12] = 0x3F;
    t.sim.memory().programMemory()[0x13] = 0x3F;   // never asked about after No
    t.sim.memory().eeprom()[0] = 0x00;             // 'P' in the image
    t.window.answerQuestions({ButtonNo, ButtonYes});
    t.run(OperationVerify);

    const auto asked = questions();
    ASSERT_EQ(asked.size(), 2U);
    EXPECT_NE(asked[0].text.find("000012"), std::string::npos);
    EXPECT_EQ(asked[1].text,
              "Difference was found.\r\nByte of PIC's EEPROM data memory at 000000 address.\r\nValue from device: 00,\r\n"
              "Value from computer program: 50.\r\nContinue check PIC's EEPROM data memory? Abort- exit verify.");
    // The IDs and configuration were still read.
    const auto actions = t.window.eventsOf(Kind::PostAction);
    EXPECT_TRUE(std::any_of(actions.begin(), actions.end(), [](auto& e) { return e.text == texts::kVerifyConfiguration; }));
    EXPECT_EQ(t.window.messageTexts().back(), verifyReport(true));
}

TEST_F(VerifyOnChip, AbortEndsWithVppOffAndNoReport)
{
    t.sim.memory().ids()[3] = 0x00;
    t.window.answerQuestions({ButtonAbort});
    t.run(OperationVerify);

    ASSERT_EQ(questions().size(), 1U);
    EXPECT_EQ(questions()[0].text,
              "Difference was found.\r\nByte of PIC's IDs at 200003 address.\r\nValue from device: 00,\r\n"
              "Value from computer program: 04.\r\nContinue check PIC's IDs? Abort- exit verify.");
    EXPECT_EQ(t.window.messageTexts().size(), 1U);   // no final report
    EXPECT_EQ(t.window.effectiveCloses(), 1);
    EXPECT_TRUE(t.window.eventsOf(Kind::HideWindow).empty());
    EXPECT_FALSE(t.engine.busy);
    EXPECT_FALSE(t.sim.chip().inProgramMode());
    EXPECT_EQ(t.engine.lastOutcome, OperationOutcome::Aborted);
}

TEST_F(VerifyOnChip, DeviceIdAndUncontrolledConfigurationBitsDoNotCount)
{
    t.image().deviceId[0] = 0x12;
    // CONFIG2L bit 7 is outside the mask: the image may say anything there.
    t.image().config[2] ^= 0x80;
    t.run(OperationVerify);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{verifyReport(false)});
}

TEST_F(VerifyOnChip, ConfigurationDifferenceReportsTheMaskedDeviceValue)
{
    // CONFIG2H (300003): WDTPS and WDTEN are controlled (mask 0F).
    ASSERT_EQ(t.sim.memory().config()[3], 0x0E);
    t.image().config[3] = 0xFA;
    t.run(OperationVerify);
    const auto asked = questions();
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0].text,
              "Difference was found.\r\nByte of PIC's configuration at 300003 address.\r\nValue from device: 0E,\r\n"
              "Value from computer program: FA.\r\nContinue check PIC's configuration? Abort- exit verify.");
}

TEST(EraseOnChip, EraseBlanksTheChipAndBlankCheckSaysSo)
{
    ChipUnderTest t("PIC18F4550");
    t.loadHex(hexTestFile("pic18f4550-bootloader.hex"));
    t.run(OperationProgram);
    ASSERT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});

    t.run(OperationBlankCheck);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kDeviceIsNotBlank});
    EXPECT_EQ(t.engine.lastOutcome, OperationOutcome::Differences);

    t.engine.options = {.programMemory = false, .eeprom = false, .ids = false, .configuration = false};
    t.run(OperationErase);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kErasingPerformed});
    const auto& memory = t.sim.memory();
    EXPECT_TRUE(std::all_of(memory.programMemory().begin(), memory.programMemory().end(),
                            [](std::uint8_t b) { return b == kBlank; }));

    t.run(OperationBlankCheck);
    EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kDeviceIsBlank});
    EXPECT_EQ(t.engine.lastOutcome, OperationOutcome::Completed);
}

TEST(EraseOnChip, BlankCheckBeforeEraseSkipsTheEraseOfABlankChip)
{
    ChipUnderTest t("PIC18F452");
    t.loadHex(hexTestFile("pic18f452-program.hex"));
    t.engine.options.blankCheckBeforeErase = true;
    t.run(OperationProgram);
    ASSERT_EQ(t.window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});
    const auto commands = t.sim.commands();
    // No 1100 table write of the erase key.
    EXPECT_FALSE(std::any_of(commands.begin(), commands.end(), [](const sim::DecodedCommand& c) {
        return c.command == 0xC && c.operand == 0x0080;
    }));
    EXPECT_EQ(t.sim.memory().programMemory()[0], 0x80);
}

TEST(EepromOnChip, AWriteThatNeverEndsIsPolledUntilCancel)
{
    sim::FaultSet faults;
    faults.eepromWriteNeverEnds = true;
    ChipUnderTest t("PIC18F452", {}, faults);
    t.loadHex(hexTestFile("pic18f452-program.hex"));
    // Switching off under a write that never ends cuts it; the chip says so.
    t.sim.expectViolation(sim::ViolationKind::OperationCutByVppOff);
    int polls = 0;
    t.window.pressCancelWhen([&polls](const BridgeEvent& e) {
        return e.kind == Kind::PostProcessText && e.text == texts::kWaitWriteCompleted && ++polls == 1;
    });
    t.run(OperationProgram);

    const auto commands = t.sim.commands();
    EXPECT_TRUE(std::any_of(commands.begin(), commands.end(), [](const sim::DecodedCommand& c) {
        return c.command == 0x0 && c.operand == 0x50A6;   // MOVF EECON1, W: the WR poll ran
    }));
    EXPECT_TRUE(t.window.messageTexts().empty());
    EXPECT_EQ(t.window.effectiveCloses(), 0);
    EXPECT_FALSE(t.window.closedWhileBusy());
    EXPECT_EQ(t.engine.lastOutcome, OperationOutcome::Cancelled);
    EXPECT_FALSE(t.sim.chip().inProgramMode());
    EXPECT_FALSE(t.engine.busy);
    EXPECT_FALSE(t.engine.cancelRequest);
}

} // namespace
} // namespace velmora::test
