#include <algorithm>
#include <numeric>

#include <gtest/gtest.h>

#include "engine/EngineTexts.h"
#include "tests/engine/EngineTestSupport.h"

namespace velmora::test {
namespace {

using Kind = BridgeEvent::Kind;

class ReadTest : public EngineTest {
protected:
    // Device answers for a full read of the small device, in the order the read asks.
    void scriptWholeDevice()
    {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < 64; ++i)
            bytes.push_back(static_cast<std::uint8_t>(i * 3));
        for (int i = 0; i < 16; ++i)
            bytes.push_back(static_cast<std::uint8_t>(0xA0 + i));
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<std::uint8_t>(0x30 + i));
        bytes.push_back(0x20);   // device ID
        bytes.push_back(0x04);
        for (int i = 0; i < 14; ++i)
            bytes.push_back(static_cast<std::uint8_t>(i));   // raw, far from any mask
        scriptBytes(bytes);
    }
};

TEST_F(ReadTest, FillsEveryAreaAndEndsWithTheReport)
{
    scriptWholeDevice();
    window.run(OperationRead);

    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(image().programMemory[i], static_cast<std::uint8_t>(i * 3)) << i;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image().eeprom[i], 0xA0 + i);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(image().ids[i], 0x30 + i);
    EXPECT_EQ(image().deviceId[0], 0x20);
    EXPECT_EQ(image().deviceId[1], 0x04);
    // Configuration bytes are stored as read, without the masks.
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(image().config[i], i);

    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kReadPerformed});
    const auto& events = window.events();
    const auto refresh = std::find_if(events.begin(), events.end(), [](auto& e) { return e.kind == Kind::RefreshGrid; });
    const auto hide = std::find_if(events.begin(), events.end(), [](auto& e) { return e.kind == Kind::HideWindow; });
    const auto box = std::find_if(events.begin(), events.end(), [](auto& e) { return e.kind == Kind::MessageBox; });
    ASSERT_NE(refresh, events.end());
    EXPECT_LT(refresh, hide);
    EXPECT_LT(hide, box);
    EXPECT_FALSE(box->busyWhenCalled);
    EXPECT_EQ(events.back().kind, Kind::CloseWindow);
    EXPECT_EQ(window.effectiveCloses(), 1);
    EXPECT_EQ(engine.lastOutcome, OperationOutcome::Completed);
    expectCleanEnding();
}

TEST_F(ReadTest, LastByteOfEveryFlashAreaIsReadWithoutIncrement)
{
    window.run(OperationRead);
    const auto commands = this->commands();
    // Program memory 63 + 1, IDs 7 + 1, device ID 1 + 1, configuration 13 + 1.
    EXPECT_EQ(countCommand(commands, kReadInc), 63U + 7 + 1 + 13);
    EXPECT_EQ(countCommand(commands, kRead), 4U);
    EXPECT_EQ(countCommand(commands, kShiftOut), 16U);
    // The table read that ends program memory is the 64th read, after 63 increments.
    std::size_t reads = 0;
    for (const Command& c : commands) {
        if (c.first == kRead || c.first == kReadInc) {
            ++reads;
            if (reads == 64) {
                EXPECT_EQ(c.first, kRead);
                break;
            }
            EXPECT_EQ(c.first, kReadInc) << "read " << reads;
        }
    }
    EXPECT_NE(findSequence(commands, tablePointerSetUp(0x3FFFFE)), std::string::npos);
    EXPECT_NE(findSequence(commands, tablePointerSetUp(0x200000)), std::string::npos);
    EXPECT_NE(findSequence(commands, tablePointerSetUp(0x300000)), std::string::npos);
}

TEST_F(ReadTest, EepromCellsCostSixInstructionsOrEightWithLongAddresses)
{
    DeviceRecord shortAddresses = smallDevice();
    shortAddresses.eepromSize = 0x200;
    select(shortAddresses);
    engine.options = {.programMemory = false, .ids = false, .configuration = false};
    window.run(OperationRead);
    auto commands = this->commands();
    // 2 selects + 6 per cell, plus the device-ID table-pointer set-up.
    EXPECT_EQ(countCommand(commands, kCore), 2U + 0x200 * 6 + 6);
    EXPECT_EQ(countFrame(commands, {kCore, 0x6EAA}), 0U);
    // Cell 0x1FF loads only its low byte.
    EXPECT_NE(findSequence(commands, {{kCore, 0x0EFF}, {kCore, 0x6EA9}, {kCore, 0x80A6}}), std::string::npos);

    DeviceRecord longAddresses = shortAddresses;
    longAddresses.longEEAddr = true;
    select(longAddresses);
    pins.clear();
    window.run(OperationRead);
    commands = this->commands();
    EXPECT_EQ(countCommand(commands, kCore), 2U + 0x200 * 8 + 6);
    EXPECT_NE(findSequence(commands, {{kCore, 0x0EFF}, {kCore, 0x6EA9}, {kCore, 0x0E01}, {kCore, 0x6EAA},
                                      {kCore, 0x80A6}, {kCore, 0x50A8}, {kCore, 0x6EF5}, {kCore, 0x0000}}),
              std::string::npos);
    expectCleanEnding();
}

TEST_F(ReadTest, WithEveryAreaDeselectedOnlyTheDeviceIdIsRead)
{
    engine.options = {.programMemory = false, .eeprom = false, .ids = false, .configuration = false};
    scriptBytes({0x20, 0x04});
    image().programMemory[0] = 0x12;   // stale content must go
    window.run(OperationRead);

    const auto commands = this->commands();
    EXPECT_EQ(countCommand(commands, kReadInc), 1U);
    EXPECT_EQ(countCommand(commands, kRead), 1U);
    EXPECT_EQ(image().deviceId[0], 0x20);
    EXPECT_EQ(image().deviceId[1], 0x04);
    EXPECT_EQ(image().programMemory[0], kBlank);
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kReadPerformed});
    EXPECT_EQ(delaysOf(pins.calls(), 40000), 1U);   // programming mode entered once
}

TEST_F(ReadTest, NoEepromMeansNoEepromTrafficEvenWhenSelected)
{
    DeviceRecord noEeprom = smallDevice();
    noEeprom.eepromSize = 0;
    select(noEeprom);
    window.run(OperationRead);
    EXPECT_EQ(countCommand(commands(), kShiftOut), 0U);
    for (const BridgeEvent& e : window.eventsOf(Kind::PostAction))
        EXPECT_NE(e.text, texts::kReadEeprom);
}

TEST_F(ReadTest, ProgressMovesWithEveryByteFromItsFirstStepTo100)
{
    engine.options = {.eeprom = false, .ids = false, .configuration = false};
    window.run(OperationRead);
    // Positions posted while the program-memory action is showing, in order.
    std::vector<std::uint16_t> positions;
    bool inProgramMemory = false;
    for (const BridgeEvent& e : window.events()) {
        if (e.kind == Kind::PostAction)
            inProgramMemory = e.text == texts::kReadProgramMemory;
        if (inProgramMemory && e.kind == Kind::PostProgress)
            positions.push_back(e.progress);
    }
    // 64 bytes, 0 already showing: every later byte moves the bar, the last to 100.
    ASSERT_EQ(positions.size(), 63U);
    EXPECT_TRUE(std::ranges::is_sorted(positions) && std::ranges::adjacent_find(positions) == positions.end());
    EXPECT_EQ(positions.front(), 1);
    EXPECT_EQ(positions.back(), 100);
    EXPECT_EQ(window.progressBar(), 0);   // the closing sets it back
}

TEST_F(ReadTest, FailureAtByte100LeavesABlankImageAndSwitchesOff)
{
    DeviceRecord larger = smallDevice();
    larger.programMemorySize = 256;
    select(larger);
    pins.setIdleDataIn(0);   // every byte reads 00
    pins.failAtCall(PinCallKind::Read, 100 * 8 + 1);
    window.run(OperationRead);

    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kFaultReadingByte});
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(image().programMemory[i], kBlank) << i;
    EXPECT_TRUE(engine.data().IsProgramPresent(0));
    // The grid shows the blank image before the message box appears.
    const auto& events = window.events();
    const auto refresh = std::find_if(events.begin(), events.end(), [](auto& e) { return e.kind == Kind::RefreshGrid; });
    const auto box = std::find_if(events.begin(), events.end(), [](auto& e) { return e.kind == Kind::MessageBox; });
    EXPECT_LT(refresh, box);
    EXPECT_EQ(window.effectiveCloses(), 1);
    EXPECT_EQ(engine.lastOutcome, OperationOutcome::Failed);
    // Bytes 0..99 complete; the frame of byte 100 broke off; nothing after it.
    EXPECT_EQ(countCommand(commands(), kReadInc), 100U);
    expectCleanEnding();
}

TEST_F(ReadTest, CancelDuringEepromLeavesABlankImageAndNoMessage)
{
    pins.setIdleDataIn(0);
    window.pressCancelWhen([](const BridgeEvent& e) { return e.kind == Kind::PostAddress && e.address == 5; });
    engine.options.programMemory = false;
    window.run(OperationRead);

    EXPECT_TRUE(window.cancelPressed());
    EXPECT_TRUE(window.messageTexts().empty());
    EXPECT_EQ(window.effectiveCloses(), 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image().eeprom[i], kBlank);
    EXPECT_LT(countCommand(commands(), kShiftOut), 16U);
    EXPECT_EQ(window.eventsOf(Kind::RefreshGrid).size(), 1U);
    EXPECT_EQ(engine.lastOutcome, OperationOutcome::Cancelled);
    expectCleanEnding();
}

TEST_F(ReadTest, FailedEepromAddressKeepsWhatWasRead)
{
    pins.setIdleDataIn(0);
    window.run(OperationRead);
    const auto baseline = pins.calls();
    const auto commands = commandsOf(baseline);
    // The MOVWF EEADR of the third cell.
    std::size_t frame = 0;
    int seen = 0;
    for (; frame < commands.size(); ++frame) {
        if (commands[frame] == Command{kCore, 0x6EA9} && ++seen == 3)
            break;
    }
    ASSERT_LT(frame, commands.size());

    pins.clear();
    pins.setIdleDataIn(0);
    pins.failAtCall(callStartingFrame(baseline, frame));
    window.run(OperationRead);

    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kFaultWritingInstruction});
    EXPECT_EQ(image().programMemory[0], 0x00);   // read before the failure, kept
    EXPECT_TRUE(window.eventsOf(Kind::RefreshGrid).empty());
    expectCleanEnding();
}

TEST_F(ReadTest, CancelAfterTheLastAreaKeepsTheImageAndShowsIt)
{
    pins.setIdleDataIn(0);
    window.pressCancelWhen(
        [](const BridgeEvent& e) { return e.kind == Kind::PostProcessText && e.text == texts::kTurnOffVpp; });
    window.run(OperationRead);

    EXPECT_TRUE(window.messageTexts().empty());
    EXPECT_EQ(image().programMemory[0], 0x00);
    EXPECT_EQ(window.eventsOf(Kind::RefreshGrid).size(), 1U);
    expectCleanEnding();
}

} // namespace
} // namespace velmora::test
