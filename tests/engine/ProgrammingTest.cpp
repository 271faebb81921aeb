// Erase, program memory, EEPROM, ID and configuration programming as the target
// receives them, on a recording pin driver.

#include <algorithm>
#include <array>

#include <gtest/gtest.h>

#include "devicedata/ConfigLocation.h"
#include "devicedata/ConfigMasks.h"
#include "engine/CodeProtectNotice.h"
#include "engine/DifferenceReport.h"
#include "engine/EngineTexts.h"
#include "tests/engine/EngineTestSupport.h"

namespace velmora::test {
namespace {

using Kind = BridgeEvent::Kind;

DeviceRecord deviceWith(std::int32_t size, std::int32_t strategy, std::int32_t buffer = 8)
{
    DeviceRecord record = smallDevice();
    record.programMemorySize = size;
    record.eepromSize = 0;
    record.writeStrategy = static_cast<WriteStrategy>(strategy);
    record.writeBufferSize = buffer;
    return record;
}

class ProgrammingTest : public EngineTest {
protected:
    ProgrammingTest() { pins.setIdleDataIn(1); }   // an erased chip reads FF

    // Selects `record` to program its program memory alone, on a fresh trace of an erased
    // chip. Nothing is present: the read-back pass skips every byte, keeping traces short.
    void programMemoryOnly(const DeviceRecord& record)
    {
        select(record);
        engine.options = {.eeprom = false, .ids = false, .configuration = false};
        engine.data().ClearImage(false);
        pins.clear();
        pins.setIdleDataIn(1);
    }
    std::vector<std::string> errors() const
    {
        std::vector<std::string> found;
        for (const BridgeEvent& e : window.eventsOf(Kind::MessageBox)) {
            if (e.messageKind == MessageKind::Error)
                found.push_back(e.text);
        }
        return found;
    }
    // The address postings made while `action` was the action text.
    std::vector<Address> addressesDuring(const std::string& action) const
    {
        std::vector<Address> found;
        bool inside = false;
        for (const BridgeEvent& e : window.events()) {
            if (e.kind == Kind::PostAction)
                inside = e.text == action;
            if (inside && e.kind == Kind::PostAddress)
                found.push_back(e.address);
        }
        return found;
    }
};

const std::vector<Command> kEnterStrategy1Erase = {
    {kCore, 0x0E3C}, {kCore, 0x6EF8}, {kCore, 0x0E00}, {kCore, 0x6EF7}, {kCore, 0x0E04}, {kCore, 0x6EF6},
    {kWrite, 0x0080}, {kCore, 0x0000}, {kCore, 0x0000}};

// Program with every area deselected still erases, and ends with its own report.
TEST_F(ProgrammingTest, Strategy1BulkEraseThenTheReport)
{
    for (const auto& [operation, report] : {std::pair{OperationErase, texts::kErasingPerformed},
                                           std::pair{OperationProgram, texts::kProgrammingPerformed}}) {
        SCOPED_TRACE(report);
        pins.clear();
        pins.setIdleDataIn(1);
        engine.options = {.programMemory = false, .eeprom = false, .ids = false, .configuration = false};
        window.run(operation);
        EXPECT_EQ(commands(), kEnterStrategy1Erase);
        EXPECT_EQ(delaysOf(pins.calls(), 1000), 1U);   // the erase NOP's 5.1 ms pause
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{report});
        expectCleanEnding();
    }
}

// With a device-ID check asked for, the ID read comes right after the entry wait and
// before the erase; a refusal ends the session there, with its message.
TEST_F(ProgrammingTest, TheDeviceIdCheckReadsRightAfterEntryAndARefusalErasesNothing)
{
    engine.options = {.programMemory = false, .eeprom = false, .ids = false, .configuration = false};
    const std::vector<Command> idRead = tablePointerSetUp(0x3FFFFE);
    std::vector<std::uint16_t> asked;
    for (const char* verdict : {"", "not this chip"}) {
        SCOPED_TRACE(verdict);
        pins.clear();
        pins.setIdleDataIn(1);
        engine.deviceIdCheck = [&asked, verdict](std::uint16_t rawId) {
            asked.push_back(rawId);
            return std::string(verdict);
        };
        window.run(OperationErase);
        const auto sent = commands();
        ASSERT_GE(sent.size(), 8U);
        EXPECT_EQ(std::vector<Command>(sent.begin(), sent.begin() + 6), idRead);
        EXPECT_EQ(sent[6].first, kReadInc);
        EXPECT_EQ(sent[7].first, kRead);
        EXPECT_EQ(delaysOf(pins.calls(), 40000), 1U) << "one programming session";
        expectCleanEnding();
        if (*verdict == 0) {
            EXPECT_EQ(std::vector<Command>(sent.begin() + 8, sent.end()), kEnterStrategy1Erase);
            EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kErasingPerformed});
            continue;
        }
        EXPECT_EQ(sent.size(), 8U) << "nothing after the ID read";
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{verdict});
        EXPECT_EQ(engine.lastOutcome, OperationOutcome::Failed);
        EXPECT_EQ(delaysOf(pins.calls(), 60000), 2U) << "the entry wait and the pause after Vpp off";
    }
    EXPECT_EQ(asked, (std::vector<std::uint16_t>{0xFFFF, 0xFFFF}));
}

TEST_F(ProgrammingTest, Strategy2ChipEraseWritesBothKeysEachAfterItsOwnSetUp)
{
    select(deviceWith(64, 2));
    window.run(OperationErase);   // the area options never matter for erase only
    const std::vector<Command> expected = {
        {kCore, 0x0E3C}, {kCore, 0x6EF8}, {kCore, 0x0E00}, {kCore, 0x6EF7}, {kCore, 0x0E05}, {kCore, 0x6EF6},
        {kWrite, 0x3F3F}, {kCore, 0x0E3C}, {kCore, 0x6EF8}, {kCore, 0x0E00}, {kCore, 0x6EF7}, {kCore, 0x0E04},
        {kCore, 0x6EF6}, {kWrite, 0x8F8F}, {kCore, 0x0000}, {kCore, 0x0000}};
    EXPECT_EQ(commands(), expected);
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kErasingPerformed});
}

TEST_F(ProgrammingTest, UnknownStrategyErasesNothingAndWritesNoProgramMemory)
{
    select(deviceWith(64, 7));
    engine.options = {.eeprom = false, .ids = false, .configuration = false};
    image().programMemory[0] = 0x12;   // would be written by any known method
    pins.setIdleDataIn(0);
    window.run(OperationProgram);
    const auto commands = this->commands();
    EXPECT_EQ(delaysOf(pins.calls(), 1000), 0U);
    EXPECT_EQ(countCommand(commands, kWriteStart) + countCommand(commands, kWriteInc) + countCommand(commands, kWrite),
              0U);
    // The read-back still runs and finds the unwritten byte.
    EXPECT_EQ(errors(), std::vector<std::string>{programmingMismatch(MemoryArea::ProgramMemory, 0, 0x00, 0x12)});
}

TEST_F(ProgrammingTest, BlankCheckWithoutEepromStillPausesWhereTheEepromStepEnds)
{
    select(deviceWith(64, 1));   // no EEPROM; the erased chip reads FF
    window.run(OperationBlankCheck);
    ASSERT_EQ(window.messageTexts(), std::vector<std::string>{texts::kDeviceIsBlank});
    const auto commands = this->commands();
    EXPECT_EQ(countFrame(commands, {kCore, 0x9EA6}), 0U) << "an EEPROM step on a part without EEPROM";
    const std::size_t ids = findSequence(commands, tablePointerSetUp(kIdAddress));
    ASSERT_NE(ids, std::string::npos);
    ASSERT_EQ(commands[ids - 1].first, kRead);   // the last program-memory byte
    const auto calls = pins.calls();
    const std::vector<PinCall> between(calls.begin() + static_cast<std::ptrdiff_t>(callStartingFrame(calls, ids - 1)),
                                       calls.begin() + static_cast<std::ptrdiff_t>(callStartingFrame(calls, ids)));
    // Program memory's closing pause, then the EEPROM step's.
    EXPECT_EQ(delaysOf(between, 60000), 2U);
    expectCleanEnding();
}

TEST_F(ProgrammingTest, FailedEraseNopReportsTheDelayVariant)
{
    window.run(OperationErase);
    const auto baseline = pins.calls();
    std::size_t delayIndex = 0;
    for (const PinCall& c : baseline) {
        if (c.kind != PinCallKind::Delay)
            continue;
        ++delayIndex;
        if (c.units == 1000)
            break;
    }
    pins.clear();
    pins.setIdleDataIn(1);
    pins.failAtCall(PinCallKind::Delay, delayIndex);
    window.run(OperationErase);
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kFaultWritingInstructionWithDelay});
    EXPECT_EQ(window.effectiveCloses(), 1);
    expectCleanEnding();
}

TEST_F(ProgrammingTest, MultiPanelLoadsEveryBlockOfEveryPanel)
{
    programMemoryOnly(deviceWith(32768, 1));
    engine.options.multiPanelWrite = true;
    image().programMemory[0x6000] = 0x34;
    image().programMemory[0x6001] = 0x12;
    window.run(OperationProgram);

    const auto commands = this->commands();
    std::vector<Command> firstBlock = {{kCore, 0x8EA6}, {kCore, 0x9CA6}};
    for (Address panel : {0x0000U, 0x2000U, 0x4000U, 0x6000U}) {
        const auto setUp = tablePointerSetUp(panel);
        firstBlock.insert(firstBlock.end(), setUp.begin(), setUp.end());
        const std::uint16_t firstWord = panel == 0x6000 ? 0x1234 : 0xFFFF;
        firstBlock.insert(firstBlock.end(), {{kWriteInc, firstWord}, {kWriteInc, 0xFFFF}, {kWriteInc, 0xFFFF}});
        // The last panel's last word starts programming for all four.
        firstBlock.push_back(panel == 0x6000 ? Command{kWriteStart, 0xFFFF} : Command{kWrite, 0xFFFF});
    }
    firstBlock.push_back({kCore, 0x0000});
    const std::vector<Command> modeSetUp = {{kCore, 0x8EA6}, {kCore, 0x8CA6}, {kCore, 0x86A6}, {kCore, 0x0E3C},
                                            {kCore, 0x6EF8}, {kCore, 0x0E00}, {kCore, 0x6EF7}, {kCore, 0x0E06},
                                            {kCore, 0x6EF6}, {kWrite, 0x0040}};
    const std::size_t mode = findSequence(commands, modeSetUp);
    ASSERT_NE(mode, std::string::npos);
    EXPECT_EQ(findSequence(commands, firstBlock), mode + modeSetUp.size());
    EXPECT_EQ(countCommand(commands, kWriteStart), 1024U);
    EXPECT_EQ(countCommand(commands, kWriteInc), 1024U * 4 * 3);
    EXPECT_EQ(countCommand(commands, kWrite), 1024U * 3 + 2);   // and the erase key and the mode
    EXPECT_EQ(window.progressBar(), 0);
    const auto progress = window.eventsOf(Kind::PostProgress);
    EXPECT_TRUE(std::any_of(progress.begin(), progress.end(), [](auto& e) { return e.progress == 100; }));
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});
}

TEST_F(ProgrammingTest, MultiPanelAcceptsWholePanelsOnly)
{
    programMemoryOnly(deviceWith(24576, 1));
    engine.options.multiPanelWrite = true;
    window.run(OperationProgram);
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});

    programMemoryOnly(deviceWith(20000, 1));
    engine.options.multiPanelWrite = true;
    window.run(OperationProgram);
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kNotWholePanels});
    // The device was erased before the size was looked at.
    EXPECT_EQ(findSequence(commands(), kEnterStrategy1Erase), 0U);
    EXPECT_EQ(window.effectiveCloses(), 1);
    expectCleanEnding();
}

TEST_F(ProgrammingTest, SinglePanelAndBufferMethodsSendNothingForABlankImage)
{
    for (const DeviceRecord& record : {deviceWith(4096, 1), deviceWith(4096, 2, 32)}) {
        programMemoryOnly(record);
        engine.options.fastVerify = false;   // every byte read back, all must be FF
        window.run(OperationProgram);
        const auto commands = this->commands();
        EXPECT_EQ(countCommand(commands, kWriteInc) + countCommand(commands, kWriteStart), 0U) << static_cast<int>(record.writeStrategy);
        EXPECT_EQ(countCommand(commands, kReadInc), 4095U);
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});
    }
}

TEST_F(ProgrammingTest, BufferSizeSetsTheWordsPerProgrammingPulse)
{
    programMemoryOnly(deviceWith(128, 2, 64));
    image().programMemory[70] = 0x00;   // second buffer only
    window.run(OperationProgram);
    auto commands = this->commands();
    EXPECT_EQ(countCommand(commands, kWriteInc), 31U);
    EXPECT_EQ(countCommand(commands, kWriteStart), 1U);
    std::vector<Command> buffer = tablePointerSetUp(64);
    const std::size_t start = findSequence(commands, buffer);
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(commands[start + 6 + 3], (Command{kWriteInc, 0xFF00}));   // bytes 70 and 71
    EXPECT_EQ(commands[start + 6 + 31], (Command{kWriteStart, 0xFFFF}));
    EXPECT_EQ(delaysOf(pins.calls(), 200), 1U);   // one programming pulse

    programMemoryOnly(deviceWith(8, 2, 2));
    image().programMemory[0] = 0x01;
    image().programMemory[7] = 0x07;
    window.run(OperationProgram);
    commands = this->commands();
    EXPECT_EQ(countCommand(commands, kWriteInc), 0U);
    EXPECT_EQ(countFrame(commands, {kWriteStart, 0xFF01}), 1U);
    EXPECT_EQ(countFrame(commands, {kWriteStart, 0x07FF}), 1U);
    EXPECT_EQ(delaysOf(pins.calls(), 200), 2U);
}

TEST_F(ProgrammingTest, BufferSizeThatCannotWorkIsRejectedAfterTheErase)
{
    struct Case {
        std::int32_t size;
        std::int32_t buffer;
        const char* message;
    };
    for (const Case& c : {Case{32768, 6, texts::kNotWholeBuffers}, Case{7 * 4096, 7, texts::kBufferNotWholeWords},
                          Case{32768, 0, texts::kNotWholeBuffers}, Case{32768, -8, texts::kNotWholeBuffers},
                          Case{32, 64, texts::kNotWholeBuffers}}) {
        programMemoryOnly(deviceWith(c.size, 2, c.buffer));
        window.run(OperationProgram);
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{c.message}) << c.buffer;
        EXPECT_EQ(countFrame(commands(), {kWrite, 0x8F8F}), 1U);
        expectCleanEnding();
    }
}

TEST_F(ProgrammingTest, FastVerifySetsTheTablePointerOnlyWhereBytesWereSkipped)
{
    programMemoryOnly(deviceWith(64, 1));
    engine.data().SetProgramPresent(1, true);
    engine.data().SetProgramPresent(2, true);
    window.run(OperationProgram);
    const auto commands = this->commands();
    const std::size_t verifyStart = findSequence(commands, tablePointerSetUp(0));
    ASSERT_NE(verifyStart, std::string::npos);
    std::vector<Command> expected = tablePointerSetUp(0);
    const auto toOne = tablePointerSetUp(1);
    expected.insert(expected.end(), toOne.begin(), toOne.end());
    expected.insert(expected.end(), {{kReadInc, 0x0000}, {kReadInc, 0x0000}});
    EXPECT_EQ(std::vector<Command>(commands.begin() + static_cast<std::ptrdiff_t>(verifyStart), commands.end()),
              expected);
}

TEST_F(ProgrammingTest, ReadBackDifferenceEndsWithTheMismatchMessage)
{
    programMemoryOnly(deviceWith(8192, 1));
    engine.data().SetProgramPresent(0x1A2B, true);
    pins.setIdleDataIn(0);
    window.run(OperationProgram);
    EXPECT_EQ(errors(), std::vector<std::string>{"Difference was found.\r\nByte of PIC's program memory at 001A2B "
                                                 "address.\r\nValue from device: 00,\r\nValue from computer program: FF."});
    EXPECT_EQ(window.effectiveCloses(), 1);
    EXPECT_EQ(engine.lastOutcome, OperationOutcome::Failed);
    expectCleanEnding();
}

TEST_F(ProgrammingTest, EepromWritesOnlyNonBlankCellsAndPollsUntilWrClears)
{
    DeviceRecord record = deviceWith(64, 1);
    record.eepromSize = 0x200;
    select(record);
    engine.options = {.programMemory = false, .ids = false, .configuration = false};
    engine.data().ClearImage(false);
    image().eeprom[0x1FF] = 0x42;
    engine.data().SetEepromPresent(0x1FF, true);
    scriptBytes({0x02, 0x06, 0x02, 0x00, 0x42});   // three polls with WR set, then the read-back
    window.run(OperationProgram);

    const auto commands = this->commands();
    const std::vector<Command> write = {{kCore, 0x0EFF}, {kCore, 0x6EA9}, {kCore, 0x0E42}, {kCore, 0x6EA8},
                                        {kCore, 0x84A6}, {kCore, 0x0E55}, {kCore, 0x6EA7}, {kCore, 0x0EAA},
                                        {kCore, 0x6EA7}, {kCore, 0x82A6}, {kCore, 0x0000}};
    EXPECT_NE(findSequence(commands, write), std::string::npos);
    EXPECT_EQ(countFrame(commands, {kCore, 0x82A6}), 1U);   // one cell written
    EXPECT_EQ(countFrame(commands, {kCore, 0x50A6}), 4U);   // four polls
    EXPECT_EQ(countFrame(commands, {kCore, 0x94A6}), 1U);
    EXPECT_EQ(countFrame(commands, {kCore, 0x6EAA}), 0U);   // no EEADRH without long addresses
    EXPECT_EQ(countCommand(commands, kShiftOut), 5U);
    EXPECT_EQ(addressesDuring(texts::kProgramEeprom), std::vector<Address>{0x1FF});
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});
}

TEST_F(ProgrammingTest, IdsAreWrittenAsOneBlockEvenWhenBlank)
{
    engine.options = {.programMemory = false, .eeprom = false, .configuration = false};
    window.run(OperationProgram);
    const auto commands = this->commands();
    std::vector<Command> expected = {{kCore, 0x8EA6}, {kCore, 0x8CA6}};
    auto part = tablePointerSetUp(0x3C0006);
    expected.insert(expected.end(), part.begin(), part.end());
    expected.insert(expected.end(), {{kWrite, 0x0000}, {kCore, 0x8EA6}, {kCore, 0x9CA6}});
    part = tablePointerSetUp(0x200000);
    expected.insert(expected.end(), part.begin(), part.end());
    expected.insert(expected.end(), {{kWriteInc, 0xFFFF}, {kWriteInc, 0xFFFF}, {kWriteInc, 0xFFFF},
                                     {kWriteStart, 0xFFFF}, {kCore, 0x0000}});
    EXPECT_EQ(findSequence(commands, expected), kEnterStrategy1Erase.size());
    const auto posted = window.eventsOf(Kind::PostAddress);
    ASSERT_GE(posted.size(), 4U);
    EXPECT_TRUE(posted[0].wordMarker);
    EXPECT_EQ(posted[3].address, 0x200006U);
    EXPECT_TRUE(posted[3].wordMarker);
    EXPECT_FALSE(posted[4].wordMarker);   // the read-back posts plain addresses

    select(deviceWith(64, 2, 32));
    engine.options = {.programMemory = false, .eeprom = false, .configuration = false};
    pins.clear();
    window.run(OperationProgram);
    EXPECT_EQ(findSequence(this->commands(), tablePointerSetUp(0x3C0006)), std::string::npos);
}

TEST_F(ProgrammingTest, ConfigurationGoesInWordOrderWithMasksOnEvenBytesOnly)
{
    engine.options = {.programMemory = false, .eeprom = false, .ids = false};
    // Type 1 with CCP2MX: CONFIG1L mask 00, CONFIG1H 27, CONFIG3L (4) mask 00.
    image().config[0] = 0xFF;
    image().config[1] = 0xFF;
    image().config[4] = 0x5A;
    image().config[5] = 0x5A;
    window.run(OperationProgram);

    EXPECT_EQ(addressesDuring(texts::kProgramConfiguration),
              (std::vector<Address>{0x300000, 0x300001, 0x300002, 0x300003, 0x300004, 0x300005, 0x300006, 0x300007,
                                    0x300008, 0x300009, 0x30000C, 0x30000D, 0x30000A, 0x30000B}));
    const auto commands = this->commands();
    std::vector<Command> configWrites;
    std::copy_if(commands.begin(), commands.end(), std::back_inserter(configWrites),
                 [](const Command& c) { return c.first == kWriteStart; });
    ASSERT_EQ(configWrites.size(), 14U);
    EXPECT_EQ(configWrites[0], (Command{kWriteStart, 0x0000}));   // masked to nothing
    EXPECT_EQ(configWrites[1], (Command{kWriteStart, 0xFF00}));   // odd byte as the image holds it
    EXPECT_EQ(configWrites[4], (Command{kWriteStart, 0x0000}));
    EXPECT_EQ(configWrites[5], (Command{kWriteStart, 0x5A00}));
    // Strategy 1: GOTO 100000h before each of the seven words.
    EXPECT_EQ(countFrame(commands, {kCore, 0xEF00}), 7U);
    EXPECT_EQ(countFrame(commands, {kCore, 0x2AF6}), 7U);
    const std::vector<Command> firstWord = {{kCore, 0x8EA6}, {kCore, 0x8CA6}, {kCore, 0xEF00}, {kCore, 0xF800},
                                            {kCore, 0x0E30}, {kCore, 0x6EF8}, {kCore, 0x0E00}, {kCore, 0x6EF7},
                                            {kCore, 0x0E00}, {kCore, 0x6EF6}, {kWriteStart, 0x0000}, {kCore, 0x0000},
                                            {kCore, 0x2AF6}, {kWriteStart, 0xFF00}, {kCore, 0x0000}};
    EXPECT_NE(findSequence(commands, firstWord), std::string::npos);
    const auto progress = window.eventsOf(Kind::PostProgress);
    EXPECT_TRUE(std::any_of(progress.begin(), progress.end(), [](auto& e) { return e.progress == 92; }));

    select(deviceWith(64, 2, 32));
    engine.options = {.programMemory = false, .eeprom = false, .ids = false};
    pins.clear();
    window.run(OperationProgram);
    EXPECT_EQ(countFrame(this->commands(), {kCore, 0xEF00}), 0U);
    EXPECT_EQ(findSequence(this->commands(), tablePointerSetUp(0x3C0006)), std::string::npos);
}

// The newer families as their documents give them: DS41398B (K22), DS41357B (1XK22),
// DS41297D (K20). Waits in 5 us units.
struct FamilyRow {
    ProgrammingFamily family;
    std::uint16_t eraseKeyHigh;   // to 3C0005h
    std::uint16_t eraseKeyLow;    // to 3C0004h
    std::uint32_t p11;
    std::uint32_t p10;
    bool idRowErase;              // the chip erase spares the IDs
};

constexpr std::array kFamilyRows = {
    FamilyRow{ProgrammingFamily::K22, 0x0F0F, 0x8F8F, 3000, 40, false},
    FamilyRow{ProgrammingFamily::OneXK22, 0x0F0F, 0x8F8F, 1000, 20, false},
    FamilyRow{ProgrammingFamily::K20, 0x0F0F, 0x8787, 1000, 20, true},
};
constexpr std::uint32_t kP9 = 200;
constexpr std::uint32_t kP9A = 1000;

DeviceRecord familyDevice(ProgrammingFamily family)
{
    DeviceRecord record = deviceWith(128, 2, 64);
    record.family = family;
    return record;
}

std::vector<Command> withTablePointer(std::vector<Command> before, Address address, std::vector<Command> after = {})
{
    const auto setUp = tablePointerSetUp(address);
    before.insert(before.end(), setUp.begin(), setUp.end());
    before.insert(before.end(), after.begin(), after.end());
    return before;
}

const std::vector<Command> kPoll = {{kCore, 0x50A6}, {kCore, 0x6EF5}, {kCore, 0x0000}, {kShiftOut, 0x0000}};

// WREN after the memory selection before code, ID and configuration writes; P9 for
// the code buffer, P9A for the IDs and each configuration byte, the family's P10 after
// every pulse; no GOTO, no panel mode.
TEST_F(ProgrammingTest, NewerFamiliesEnableWritesAndHoldIdsAndConfigurationForP9A)
{
    for (const FamilyRow& row : kFamilyRows) {
        SCOPED_TRACE(factsFor(row.family).name);
        programMemoryOnly(familyDevice(row.family));
        engine.options = {.eeprom = false};
        image().programMemory[0] = 0x12;   // one buffer to write; nothing present, nothing read back
        if (row.idRowErase)
            scriptBytes({0x00});           // the ID row erase done at the first look
        window.run(OperationProgram);
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});

        const auto commands = this->commands();
        const std::vector<Command> enableCode = {{kCore, 0x8EA6}, {kCore, 0x9CA6}, {kCore, 0x84A6}};
        const std::size_t code = findSequence(commands, withTablePointer(enableCode, 0, {{kWriteInc, 0xFF12}}));
        EXPECT_NE(code, std::string::npos);
        EXPECT_NE(findSequence(commands, withTablePointer(enableCode, kIdAddress, {{kWriteInc, 0xFFFF}}), code),
                  std::string::npos);
        EXPECT_EQ(countFrame(commands, {kCore, 0x84A6}), 1U + 1U + 7U + (row.idRowErase ? 1U : 0U));
        const std::vector<Command> firstConfig =
            withTablePointer({{kCore, 0x8EA6}, {kCore, 0x8CA6}, {kCore, 0x84A6}}, 0x300000, {{kWriteStart, 0x0000}});
        EXPECT_NE(findSequence(commands, firstConfig), std::string::npos);
        EXPECT_EQ(countFrame(commands, {kCore, 0xEF00}), 0U);
        EXPECT_EQ(findSequence(commands, tablePointerSetUp(0x3C0006)), std::string::npos);

        const auto calls = pins.calls();
        EXPECT_EQ(delaysOf(calls, kP9), 1U);
        EXPECT_EQ(delaysOf(calls, kP9A), 1U + 14U + (row.p11 == kP9A ? 1U : 0U));
        EXPECT_EQ(delaysOf(calls, row.p10), 16U + 1U + (row.idRowErase ? 1U : 0U));
    }
}

// No EECON2 unlock: WREN, WR, two NOPs (the write starts on the second's fourth clock),
// the WR poll, the family's P10, WREN cleared.
TEST_F(ProgrammingTest, NewerFamiliesStartEepromWritesWithoutTheUnlockAndTwoNops)
{
    for (const FamilyRow& row : kFamilyRows) {
        SCOPED_TRACE(factsFor(row.family).name);
        DeviceRecord record = familyDevice(row.family);
        record.eepromSize = 256;
        programMemoryOnly(record);
        engine.options = {.programMemory = false, .ids = false, .configuration = false};
        image().eeprom[3] = 0x42;   // not present: no read-back
        if (row.idRowErase)
            scriptBytes({0x00});
        scriptBytes({0x02, 0x00});
        window.run(OperationProgram);
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});

        const auto commands = this->commands();
        std::vector<Command> write = {{kCore, 0x9EA6}, {kCore, 0x9CA6}, {kCore, 0x0E03}, {kCore, 0x6EA9},
                                      {kCore, 0x0E42}, {kCore, 0x6EA8}, {kCore, 0x84A6}, {kCore, 0x82A6},
                                      {kCore, 0x0000}, {kCore, 0x0000}};
        write.insert(write.end(), kPoll.begin(), kPoll.end());
        write.insert(write.end(), kPoll.begin(), kPoll.end());
        write.push_back({kCore, 0x94A6});
        EXPECT_NE(findSequence(commands, write), std::string::npos);
        EXPECT_EQ(countFrame(commands, {kCore, 0x6EA7}), 0U);   // nothing to EECON2
        // P10 after the erase, the ID row erase where there is one, and the EEPROM write.
        EXPECT_EQ(delaysOf(pins.calls(), row.p10), row.idRowErase ? 3U : 2U);
    }
}

// The wiring decides the entry: the key on MCLR alone where the family has it, Vpp (or
// PGM) as before, and a refusal before any line moves where the device cannot be entered.
TEST_F(ProgrammingTest, TheWiringChoosesTheEntryAndAnUnfitOneMovesNoLine)
{
    struct Case {
        EntryWiring wiring;
        ProgrammingFamily family;
        const char* refusal;   // nullptr: the operation runs
        bool byKey;
    };
    for (const Case& c : {Case{EntryWiring::MclrOnly, ProgrammingFamily::K22, nullptr, true},
                          Case{EntryWiring::HighVoltage, ProgrammingFamily::K22, nullptr, false},
                          Case{EntryWiring::PgmPin, ProgrammingFamily::K20, nullptr, false},
                          Case{EntryWiring::PgmPin, ProgrammingFamily::Classic, nullptr, false},
                          Case{EntryWiring::MclrOnly, ProgrammingFamily::OneXK22, texts::kNoKeyEntry, false},
                          Case{EntryWiring::MclrOnly, ProgrammingFamily::Classic, texts::kNoKeyEntry, false},
                          Case{EntryWiring::PgmPin, ProgrammingFamily::K22, texts::kNoPgmPin, false}}) {
        SCOPED_TRACE(std::string(factsFor(c.family).name) + " wiring " + std::to_string(static_cast<int>(c.wiring)));
        select(familyDevice(c.family));
        engine.entryWiring = c.wiring;
        pins.clear();
        pins.setIdleDataIn(1);
        window.run(OperationRead);
        const auto calls = pins.calls();
        if (c.refusal != nullptr) {
            EXPECT_EQ(errors(), std::vector<std::string>{c.refusal});
            EXPECT_TRUE(writesOf(calls).empty());
            EXPECT_EQ(engine.lastOutcome, OperationOutcome::Failed);
            continue;
        }
        EXPECT_EQ(engine.lastOutcome, OperationOutcome::Completed);
        EXPECT_EQ(delaysOf(calls, 40000), c.byKey ? 0U : 1U) << "EnterProgMode's park";
        const auto writes = writesOf(calls);
        ASSERT_GE(writes.size(), 3U);
        if (c.byKey) {
            EXPECT_EQ(writes[1].vpp, 1);   // MCLR pulsed before the key
            EXPECT_EQ(writes[2].vpp, 0);
            EXPECT_EQ(delaysOf(calls, 80), 1U);   // P15 before the first command
        }
    }
    engine.entryWiring = EntryWiring::HighVoltage;
}

// The J parts as DS39687E, DS39644G and DS39688C give them, a family's longest wait
// where its parts differ.
struct JFamilyRow {
    ProgrammingFamily family;
    std::uint32_t p11;
    std::uint32_t eraseP10;
    std::uint32_t p9;
    std::uint32_t beforeKey;       // P19
    std::uint32_t firstCommand;    // P12
};

constexpr std::array kJFamilyRows = {
    JFamilyRow{ProgrammingFamily::J10, 95000, 9800, 680, 800, 80},
    JFamilyRow{ProgrammingFamily::J2X4X, 104800, 10800, 240, 800, 80},
    JFamilyRow{ProgrammingFamily::J6X8X, 80000, 1, 560, 2, 60},
    JFamilyRow{ProgrammingFamily::J60, 80000, 1, 560, 200, 80},
};

// The commands after a key entry: from MCLR's second rise, once the 32 key bits are in.
std::vector<Command> commandsAfterKey(const std::vector<PinCall>& calls)
{
    int rises = 0;
    std::uint8_t mclr = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind != PinCallKind::Write || !calls[i].succeeded)
            continue;
        if (calls[i].vpp != 0 && mclr == 0 && ++rises == 2)
            return commandsOf({calls.begin() + static_cast<std::ptrdiff_t>(i), calls.end()});
        mclr = calls[i].vpp;
    }
    return {};
}

// 128 bytes of flash: 120 of code, then the 8 configuration bytes.
DeviceRecord jDevice(ProgrammingFamily family)
{
    DeviceRecord record = familyDevice(family);
    record.name = "TESTJ";
    return record;
}

// Chip erase by the family's keys, with P11 + P10 idle; on the K20 the ID row follows
// by a self-timed row erase (FREE, WR, two NOPs, the WR poll, P10, WREN cleared). The
// J parts, entered by the key with their P19 and P12, all take 0101h/8080h.
TEST_F(ProgrammingTest, NewerFamiliesEraseWithTheirOwnKeysAndWaits)
{
    struct Case {
        FamilyRow erase;
        const JFamilyRow* j;   // nullptr: a K part, entered at high voltage
    };
    std::vector<Case> cases;
    for (const FamilyRow& row : kFamilyRows)
        cases.push_back({row, nullptr});
    for (const JFamilyRow& row : kJFamilyRows)
        cases.push_back({{row.family, 0x0101, 0x8080, row.p11, row.eraseP10, false}, &row});
    for (const auto& [row, j] : cases) {
        SCOPED_TRACE(factsFor(row.family).name);
        select(j != nullptr ? jDevice(row.family) : familyDevice(row.family));
        engine.entryWiring = j != nullptr ? EntryWiring::MclrOnly : EntryWiring::HighVoltage;
        pins.clear();
        scriptBytes({0x02, 0x00});   // WR set at the first look, clear at the second
        window.run(OperationErase);
        std::vector<Command> expected = withTablePointer({}, 0x3C0005, {{kWrite, row.eraseKeyHigh}});
        expected = withTablePointer(expected, 0x3C0004, {{kWrite, row.eraseKeyLow}, {kCore, 0x0000}, {kCore, 0x0000}});
        if (row.idRowErase) {
            const std::vector<Command> enable = {{kCore, 0x8EA6}, {kCore, 0x9CA6}, {kCore, 0x84A6}};
            const std::vector<Command> start = {{kCore, 0x88A6}, {kCore, 0x82A6}, {kCore, 0x0000}, {kCore, 0x0000}};
            const auto rowErase = withTablePointer(enable, kIdAddress, start);
            expected.insert(expected.end(), rowErase.begin(), rowErase.end());
            expected.insert(expected.end(), kPoll.begin(), kPoll.end());
            expected.insert(expected.end(), kPoll.begin(), kPoll.end());
            expected.push_back({kCore, 0x94A6});
        }
        const auto calls = pins.calls();
        EXPECT_EQ(j != nullptr ? commandsAfterKey(calls) : commands(), expected);
        if (row.p10 > 1) {
            EXPECT_EQ(delaysOf(calls, row.p10), row.idRowErase ? 2U : 1U);
        }
        EXPECT_EQ(delaysOf(calls, row.p11), 1U);
        if (j != nullptr) {
            EXPECT_EQ(delaysOf(calls, j->beforeKey), 1U) << "P19";
            EXPECT_EQ(delaysOf(calls, j->firstCommand), 1U) << "P12";
            EXPECT_EQ(delaysOf(calls, 40000), 0U) << "no Vpp park";
        }
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kErasingPerformed});
        expectCleanEnding();
    }
    // The J parts have no high-voltage mode: a programmer that raises Vpp moves no line.
    engine.entryWiring = EntryWiring::HighVoltage;
    pins.clear();
    window.run(OperationErase);
    EXPECT_EQ(errors(), std::vector<std::string>{texts::kNoHighVoltageMode});
    EXPECT_TRUE(writesOf(pins.calls()).empty());
}

// The configuration words are code: the top block carries them under their masks, sent
// whole with the code below them FFh, and they are read back from the top of flash in
// the same session. No EEPGD/CFGS, nothing to 300000h or 200000h.
TEST_F(ProgrammingTest, JPartsWriteTheConfigurationWithTheTopBlockSentWhole)
{
    engine.entryWiring = EntryWiring::MclrOnly;
    for (const bool withCode : {true, false}) {
        SCOPED_TRACE(withCode ? "program memory and configuration" : "configuration alone");
        const JFamilyRow& row = kJFamilyRows[1];
        programMemoryOnly(jDevice(row.family));
        ASSERT_EQ(image().programMemorySize, 120U);
        engine.options = {.programMemory = withCode, .eeprom = false};
        image().programMemory[0] = 0x12;
        image().programMemory[118] = 0x34;
        for (int i = 0; i < kFlashConfigCount; ++i) {
            image().config[i] = 0x00;
            image().configMask[i] = 0x0F;
            image().configSetMask[i] = i % 2 == 1 ? 0xF0 : 0x00;
        }
        image().config[0] = 0xA5;   // 05h under the mask
        scriptBytes({0x05, 0xF0, 0x00, 0xF0, 0x00, 0xF0, 0x00, 0xF0});
        window.run(OperationProgram);
        EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kProgrammingPerformed});

        const auto commands = commandsAfterKey(pins.calls());
        std::vector<Command> top = withTablePointer({{kCore, 0x84A6}}, 64);
        top.insert(top.end(), 27, Command{kWriteInc, 0xFFFF});
        top.push_back({kWriteInc, withCode ? std::uint16_t{0xFF34} : std::uint16_t{0xFFFF}});
        top.insert(top.end(), {{kWriteInc, 0xF005}, {kWriteInc, 0xF000}, {kWriteInc, 0xF000}, {kWriteStart, 0xF000}});
        if (withCode)
            top.erase(top.begin(), top.begin() + 1);   // WREN came once, before the first block
        EXPECT_NE(findSequence(commands, top), std::string::npos);
        EXPECT_EQ(countCommand(commands, kWriteStart), withCode ? 2U : 1U) << "each block once";
        EXPECT_EQ(countFrame(commands, {kCore, 0x8EA6}), 0U) << "no EEPGD";
        EXPECT_EQ(findSequence(commands, tablePointerSetUp(kConfigAddress)), std::string::npos);
        EXPECT_EQ(findSequence(commands, tablePointerSetUp(kIdAddress)), std::string::npos);
        EXPECT_NE(findSequence(commands, tablePointerSetUp(120), findSequence(commands, top)), std::string::npos)
            << "the configuration read back from the top of flash";
        EXPECT_EQ(delaysOf(pins.calls(), row.p9), withCode ? 2U : 1U);
        EXPECT_EQ(addressesDuring(texts::kVerifyWrittenConfiguration).front(), 120U);
    }
    engine.entryWiring = EntryWiring::HighVoltage;
}

// CP0 cleared in a J part's configuration: the program's notice, and only then.
TEST_F(ProgrammingTest, AJPartsCodeProtectionIsNoticedAfterProgramming)
{
    select(jDevice(ProgrammingFamily::J2X4X));
    image().configMask[CONFIG1H] = 0x04;
    image().configSetMask[CONFIG1H] = 0xF0;
    image().config[CONFIG1H] = 0xFB;
    const ProgrammingOptions all;
    const std::string notice = codeProtectNotice(OperationProgram, all, engine.data());
    EXPECT_NE(notice.find("TESTJ"), std::string::npos) << notice;
    EXPECT_NE(notice.find("can no longer be read or verified"), std::string::npos) << notice;
    EXPECT_EQ(codeProtectNotice(OperationVerify, all, engine.data()), "");
    EXPECT_EQ(codeProtectNotice(OperationProgram, {.configuration = false}, engine.data()), "");
    image().configMask[CONFIG1H] = 0x00;
    EXPECT_EQ(codeProtectNotice(OperationProgram, all, engine.data()), "") << "CP0 not in the mask";
    image().configMask[CONFIG1H] = 0x04;
    image().config[CONFIG1H] = 0xFF;
    EXPECT_EQ(codeProtectNotice(OperationProgram, all, engine.data()), "") << "CP0 set: not protected";
    select(familyDevice(ProgrammingFamily::K22));
    image().configMask[CONFIG1H] = 0x04;
    image().config[CONFIG1H] = 0x00;
    EXPECT_EQ(codeProtectNotice(OperationProgram, all, engine.data()), "") << "configuration at 300000h";
}

} // namespace
} // namespace velmora::test
