// Runs in its own executable: the library's state must be untouched by DelayInit.

#include <gtest/gtest.h>

#include "pendrel/pendrel.h"

TEST(PendrelBeforeDelayInit, ReportsFrequencyOneAndStillWaits)
{
    EXPECT_EQ(GetPerformanceFrequency(), 1);
    EXPECT_EQ(GetMinPerformanceFrequency(), 200000);
    EXPECT_TRUE(Delay(0));
    EXPECT_TRUE(Delay(1));
    EXPECT_TRUE(Delay(1000000));
    EXPECT_EQ(GetPerformanceFrequency(), 1);
}
