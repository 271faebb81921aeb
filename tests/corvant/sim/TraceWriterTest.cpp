// The trace file a SIM port writes: one line per programming-mode change, decoded
// command, violation and internal event, each starting with the time in microseconds.

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "signalling/HW_Cntrl.h"
#include "corvant/sim/TraceWriter.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/support/TempFolder.h"
#include "tests/simharness/SimHarness.h"

namespace velmora::test {
namespace {

std::vector<std::string> linesOf(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

TEST(Trace, OneLinePerEventWithTimeInMicroseconds)
{
    TempPath path(".txt");
    {
        SimHarness chip("PIC18F4550");
        sim::TraceWriter trace;
        ASSERT_TRUE(trace.open(path.path(), chip.model().name));
        chip.chip().addObserver(&trace);
        ASSERT_TRUE(EnterProgMode());
        ASSERT_TRUE(published::core(0x0E3F));
        std::uint8_t value = 0;
        ASSERT_TRUE(SendCommandReadByte(0x2, value));
        ASSERT_TRUE(SendCommand(0x1, 0x0000));
        ASSERT_TRUE(ExitProgMode());
        chip.chip().removeObserver(&trace);
        ASSERT_TRUE(trace.close());
        chip.expectViolation(sim::ViolationKind::UnsupportedCommand);
    }
    const auto lines = linesOf(path.path());
    ASSERT_EQ(lines.size(), 8U);
    EXPECT_EQ(lines[0], "# velmora simulated chip trace: PIC18F4550");
    EXPECT_EQ(lines[1], "# time_us event");
    // EnterProgMode: 200 ms parked, 5 us low, then Vpp.
    EXPECT_EQ(lines[2], "200005.000 VPP on");
    // Stamped at the last falling edge: Vpp hold 10 us, 20 clocks of 10 us less the
    // final low half, the 5 us gap after the command bits.
    EXPECT_EQ(lines[3], "200215.000 0000 0E3F");
    EXPECT_EQ(lines[4], "200430.000 0010 -> 00");
    EXPECT_EQ(lines[5], "200640.000 0001 0000");
    EXPECT_EQ(lines[6], "200640.000 ! command unsupported-command: reserved command: 0001");
    EXPECT_EQ(lines[7], "200650.000 VPP off");
}

} // namespace
} // namespace velmora::test
