// velmora-cli wiring: the line check run on a model of the lines, and its exit status.

#include "cli/WiringCheck.h"
#include "tests/cli/CapturedOutput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace velmora::cli {
namespace {

// Data in as a function of the levels last written; records that Vpp never rose.
class LineModel final : public PinDriver {
public:
    explicit LineModel(std::function<bool(bool data, bool clock)> dataIn) : dataIn_(std::move(dataIn)) {}

    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override
    {
        vppRaised = vppRaised || vpp != 0;
        data_ = data != 0;
        clock_ = clock != 0;
        ++writes;
        return true;
    }
    bool programmerRead(std::uint8_t* level) override
    {
        if (failReads)
            return false;
        *level = dataIn_(data_, clock_) ? 1 : 0;
        return true;
    }
    bool delay(std::uint32_t) override { return true; }

    bool vppRaised = false;
    bool failReads = false;
    int writes = 0;
    bool lastData() const { return data_; }
    bool lastClock() const { return clock_; }

private:
    std::function<bool(bool, bool)> dataIn_;
    bool data_ = false;
    bool clock_ = false;
};

TEST(WiringCheck, RunsWithVppOffAndEndsWithEveryLineLow)
{
    const test::CapturedOutput out;
    const test::CapturedOutput err;
    LineModel working([](bool d, bool) { return d; });
    EXPECT_EQ(runWiringCheck(working, false, out.file(), err.file()), 0);
    EXPECT_FALSE(working.vppRaised);
    EXPECT_FALSE(working.lastData() || working.lastClock());

    LineModel swapped([](bool, bool c) { return c; });
    EXPECT_EQ(runWiringCheck(swapped, false, out.file(), err.file()), 2);

    LineModel broken([](bool d, bool) { return d; });
    broken.failReads = true;
    EXPECT_EQ(runWiringCheck(broken, false, out.file(), err.file()), 2);
    EXPECT_EQ(broken.writes, 2) << "stops at the first failure and still drops the lines";
    EXPECT_FALSE(broken.lastData() || broken.lastClock());
}

} // namespace
} // namespace velmora::cli
