// The production binding reaches the real pin-interface and delay libraries: no
// test driver is installed here.

#include <gtest/gtest.h>

#include "corvant/corvant.h"
#include "pendrel/pendrel.h"
#include "signalling/HW_Cntrl.h"
#include "signalling/PinDriver.h"

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
