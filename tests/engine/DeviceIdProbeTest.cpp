// The device-ID read on its own: the chip's raw answer, Vpp off afterwards, the image
// untouched, and the failing step's message when a pin call fails.

#include "engine/DeviceIdProbe.h"

#include <gtest/gtest.h>

#include "tests/engine/ChipUnderTest.h"
#include "tests/engine/FaultyPinDriver.h"

namespace velmora::test {
namespace {

TEST(DeviceIdProbe, ReadsTheRawIdAndLeavesProgramModeAndTheImageAlone)
{
    ChipUnderTest chip("PIC18F2423", "PIC18F452");
    chip.image().deviceId[0] = 0x12;
    chip.image().deviceId[1] = 0x34;
    const DeviceIdProbe probe = ProbeDeviceId(chip.engine);
    EXPECT_EQ(probe.rawId, 0x1152) << "DEVID1 bit 4 survives: it names the 2423";
    EXPECT_TRUE(probe.failure.empty());
    EXPECT_FALSE(chip.sim.chip().inProgramMode());
    EXPECT_EQ(chip.image().deviceId[0], 0x12) << "the image is the user's, not the probe's";
    EXPECT_EQ(chip.image().deviceId[1], 0x34);
}

TEST(DeviceIdProbe, AnAbsentChipReadsAllOnes)
{
    ChipUnderTest chip("PIC18F452", {}, sim::FaultSet {.chipAbsent = true});
    EXPECT_EQ(ProbeDeviceId(chip.engine).rawId, 0xFFFF);
}

TEST(DeviceIdProbe, AFailedStepGivesItsMessageAndVppStillGoesOff)
{
    ChipUnderTest chip("PIC18F452");
    FaultyPinDriver faulty(chip.sim, 1);
    const DeviceIdProbe probe = ProbeDeviceId(chip.engine);
    EXPECT_FALSE(probe.rawId.has_value());
    EXPECT_EQ(probe.failure, "Fault on turning on Vpp.");
    EXPECT_FALSE(chip.sim.chip().inProgramMode());
}

} // namespace
} // namespace velmora::test
