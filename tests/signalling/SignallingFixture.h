#pragma once
// Every signalling test runs on a RecordingPinDriver with all levels starting low.

#include <gtest/gtest.h>

#include "tests/support/RecordingPinDriver.h"
#include "tests/support/ScopedPinDriver.h"

class SignallingTest : public ::testing::Test {
protected:
    velmora::test::RecordingPinDriver driver;
    velmora::test::ScopedPinDriver scope {driver};
};
