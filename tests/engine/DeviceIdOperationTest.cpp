// The device-ID read on its own: the chip's raw answer in the image's device-ID bytes,
// Vpp off afterwards, the failing step's message, and a cancel served between the
// read's commands rather than after the whole read.

#include "engine/EngineTexts.h"

#include <gtest/gtest.h>

#include "tests/engine/ChipUnderTest.h"
#include "tests/engine/FaultyPinDriver.h"

namespace velmora::test {
namespace {

std::uint16_t idInImage(ChipUnderTest& chip)
{
    return static_cast<std::uint16_t>(chip.image().deviceId[1] << 8 | chip.image().deviceId[0]);
}

// DEVID1 bit 4 survives: it names the 2423 where the 452 is selected. An empty socket
// reads all ones, and that too is a completed read.
TEST(DeviceIdOperation, ReadsTheRawIdAndLeavesProgrammingMode)
{
    struct Case {
        const char* chip;
        sim::FaultSet faults;
        std::uint16_t id;
    };
    for (const Case& c : {Case {"PIC18F2423", {}, 0x1152}, Case {"PIC18F452", {.chipAbsent = true}, 0xFFFF}}) {
        SCOPED_TRACE(c.chip);
        ChipUnderTest chip(c.chip, "PIC18F452", c.faults);
        chip.image().programMemory[0] = 0x12;
        chip.run(OperationDeviceId);
        EXPECT_EQ(idInImage(chip), c.id);
        EXPECT_EQ(chip.image().programMemory[0], 0x12) << "only the device-ID bytes are the read's";
        EXPECT_EQ(chip.engine.lastOutcome, OperationOutcome::Completed);
        EXPECT_TRUE(chip.window.messageTexts().empty());
        EXPECT_FALSE(chip.sim.chip().inProgramMode());
    }
}

TEST(DeviceIdOperation, AFailedStepGivesItsMessageAndVppStillGoesOff)
{
    ChipUnderTest chip("PIC18F452");
    FaultyPinDriver faulty(chip.sim, 1);
    chip.run(OperationDeviceId);
    EXPECT_EQ(chip.window.messageTexts(), std::vector<std::string>{texts::kFaultTurningOnVpp});
    EXPECT_EQ(chip.engine.lastOutcome, OperationOutcome::Failed);
    EXPECT_FALSE(chip.sim.chip().inProgramMode());
}

// Forwards to the chip and asks for a cancel at the first clock of the first command,
// as a signal caught while the command is on its way would.
class CancelInFirstCommand final : public PinDriver {
public:
    CancelInFirstCommand(PinDriver& inner, TPICPr& engine) : inner_(inner), engine_(engine) { setPinDriver(this); }
    ~CancelInFirstCommand() override { setPinDriver(&inner_); }
    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override
    {
        if (clock != 0 && engine_.busy)
            engine_.requestCancel();
        return inner_.programmerWrite(vpp, data, clock);
    }
    bool programmerRead(std::uint8_t* level) override { return inner_.programmerRead(level); }
    bool delay(std::uint32_t units) override { return inner_.delay(units); }

private:
    PinDriver& inner_;
    TPICPr& engine_;
};

TEST(DeviceIdOperation, ACancelIsServedBeforeTheNextCommand)
{
    ChipUnderTest chip("PIC18F452");
    chip.engine.setBridge(nullptr);
    CancelInFirstCommand cancelling(chip.sim, chip.engine);
    chip.engine.start(OperationDeviceId);
    while (!chip.engine.waitIdle(std::chrono::milliseconds(10))) {
    }
    EXPECT_EQ(chip.sim.commands().size(), 1U) << "the command under way ends, no other starts";
    EXPECT_EQ(chip.engine.lastOutcome, OperationOutcome::Cancelled);
    EXPECT_FALSE(chip.engine.cancelRequest);
    EXPECT_FALSE(chip.sim.chip().inProgramMode());
}

} // namespace
} // namespace velmora::test
