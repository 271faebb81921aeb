// The production binding reaches the real pin-interface and delay libraries: no
// test driver is installed here, except over a streaming library of the test's own.

#include <gtest/gtest.h>

#include <vector>

#include "corvant/PinInterface.h"
#include "corvant/corvant.h"
#include "pendrel/pendrel.h"
#include "platform/LoadedLibrary.h"
#include "signalling/HW_Cntrl.h"
#include "signalling/ImportedPinDriver.h"
#include "signalling/PinDriver.h"
#include "tests/corvant/FakeStreamingBackend.h"

using namespace velmora;

TEST(ImportedPinDriver, EveryOperationFailsWhileThePortIsClosed)
{
    resetPinState();
    ASSERT_EQ(&currentPinDriver(), &importedPinDriver());
    std::uint8_t value = 0x33;
    EXPECT_FALSE(ExitProgMode());
    EXPECT_FALSE(SendCommand(0x0, 0x0000));
    EXPECT_FALSE(SendCommandReadByte(0x9, value));
    EXPECT_EQ(value, 0);
}

TEST(ImportedPinDriver, DrivesTheSimulatedProgrammer)
{
    ASSERT_EQ(DelayInit(), 0);
    ASSERT_NE(ComInit("SIM"), 0);
    resetPinState();
    // The same operations that failed on the closed port now go through.
    std::uint8_t value = 0;
    EXPECT_TRUE(SendCommand(0x0, 0x0000));
    EXPECT_TRUE(SendCommandReadByte(0x9, value));
    EXPECT_TRUE(ExitProgMode());
    EXPECT_NE(ComClose(), 0);
}

TEST(ImportedPinDriver, APortThatTakesNoStreamIsDrivenCallByCall)
{
    ASSERT_EQ(DelayInit(), 0);
    ASSERT_NE(ComInit("SIM"), 0);
    resetPinState();
    EXPECT_NE(exportedProgrammerStream(platform::pinInterfaceLibraryFile()), nullptr);
    EXPECT_TRUE(EnterProgMode());
    EXPECT_FALSE(importedPinDriver().batching());
    EXPECT_EQ(ReadBlockBytes(), 1U);
    EXPECT_TRUE(ExitProgMode());
    EXPECT_NE(ComClose(), 0);
}

TEST(ImportedPinDriver, ALibraryWithoutTheStreamExportIsDrivenCallByCall)
{
    EXPECT_EQ(exportedProgrammerStream("libnot-loaded.so"), nullptr);
    StreamingPinDriver driver(importedPinDriver(), stepRunnerOf(nullptr));
    driver.beginSession();
    EXPECT_FALSE(driver.batching());
}

namespace {
corvant::PinInterface* streamingLibrary = nullptr;

std::uint8_t CORVANT_CALL libraryStream(const std::uint32_t* steps, std::uint32_t stepCount, std::uint8_t* levels,
                                        std::uint32_t levelCount)
{
    return streamingLibrary->stream(steps, stepCount, levels, levelCount) ? 1 : 0;
}
} // namespace

TEST(ImportedPinDriver, AStreamingPortGetsTheSessionInAFewStreams)
{
    corvant::test::StreamRecord record;
    corvant::PinInterface library(corvant::test::fakeStreamingTable(record), [] { return 0.0; });
    ASSERT_TRUE(library.comInit("FTDI:0403:6001"));
    streamingLibrary = &library;
    record.moves.clear();
    record.streams = 0;
    record.dataIn = {0, 1, 0, 1, 0, 1, 0, 1};
    // Call by call would fail: no port is open in the process's own library.
    StreamingPinDriver driver(importedPinDriver(), stepRunnerOf(libraryStream));
    setPinDriver(&driver);
    resetPinState();
    std::uint8_t value = 0;
    EXPECT_TRUE(EnterProgMode() && SendCommand(0x0, 0x0E3F) && SendCommandReadByte(0x9, value));
    EXPECT_EQ(ReadBlockBytes(), 512U);
    EXPECT_TRUE(ExitProgMode());
    setPinDriver(nullptr);
    EXPECT_EQ(value, 0xAA);
    EXPECT_EQ(record.streams, 3U);
    using K = corvant::PinMoveKind;
    ASSERT_GE(record.moves.size(), 3U);
    EXPECT_EQ(std::vector(record.moves.end() - 3, record.moves.end()),
              (std::vector<corvant::PinMove> {{.kind = K::Vpp}, {.kind = K::DataClock}, {.kind = K::Wait, .units = 1}}));
}
