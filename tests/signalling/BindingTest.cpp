#include <gtest/gtest.h>

#include "signalling/PinDriver.h"
#include "tests/support/RecordingPinDriver.h"
#include "tests/support/ScopedPinDriver.h"

using namespace velmora;

TEST(PinDriverBinding, NullRestoresTheImportedDriver)
{
    EXPECT_EQ(&currentPinDriver(), &importedPinDriver());
    test::RecordingPinDriver driver;
    setPinDriver(&driver);
    EXPECT_EQ(&currentPinDriver(), &driver);
    setPinDriver(nullptr);
    EXPECT_EQ(&currentPinDriver(), &importedPinDriver());
}

TEST(PinDriverBinding, ScopedDriverStartsAndLeavesWithAllLevelsLow)
{
    pinState() = {1, 1, 1, 1};
    test::RecordingPinDriver driver;
    {
        test::ScopedPinDriver scope(driver);
        EXPECT_EQ(&currentPinDriver(), &driver);
        EXPECT_EQ(pinState().vpp, 0);
        EXPECT_EQ(pinState().dataIn, 0);
        pinState().vpp = 1;
    }
    EXPECT_EQ(&currentPinDriver(), &importedPinDriver());
    EXPECT_EQ(pinState().vpp, 0);
}
