// The shared OS layer on the real system. The bounded read and the replacement are
// exercised in depth through their users (FileTextTest, SaveHexTest); here are the
// whole-contents replacement's own steps and the counter.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/PerformanceCounter.h"
#include "platform/ReadRegularFile.h"
#include "platform/ReplacingFile.h"
#include "tests/support/TempFolder.h"

namespace velmora::platform {
namespace {

using test::TempFolder;

std::string readBack(const std::filesystem::path& path)
{
    std::string text;
    std::error_code error;
    EXPECT_EQ(readRegularFile(path, text, error, 1024), ReadStatus::Read) << error.message();
    return text;
}

TEST(ReplaceFileContents, ReplacesTheWholeFileAndLeavesNothingBeside)
{
    TempFolder folder;
    const std::string target = folder.write("chip.hex", "an old and longer text");
    EXPECT_EQ(replaceFileContents(target, "new"), ReplaceResult::Done);
    EXPECT_EQ(readBack(target), "new");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"chip.hex"});

    EXPECT_EQ(replaceFileContents(folder.file("fresh.hex").string(), ""), ReplaceResult::Done);
    EXPECT_EQ(readBack(folder.file("fresh.hex")), "");
}

TEST(ReplaceFileContents, AFolderOrAMissingFolderIsNotReplaced)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.file("sub"));
    EXPECT_EQ(replaceFileContents(folder.file("sub").string(), "x"), ReplaceResult::CannotCreate);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("sub")));
    EXPECT_EQ(replaceFileContents(folder.file("gone/chip.hex").string(), "x"), ReplaceResult::CannotCreate);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"sub"});
}

// A sleep never ends early, so the counter must have run at least that long by its own
// frequency; a count in nanoseconds against a frequency in microseconds runs a thousand
// times too fast.
TEST(PerformanceCounter, RunsAtLeastAsFastAsItsFrequencySays)
{
    std::int64_t frequency = 0;
    std::int64_t first = 0;
    std::int64_t second = 0;
    ASSERT_TRUE(performanceFrequency(frequency));
    ASSERT_GT(frequency, 0);
    ASSERT_TRUE(readPerformanceCounter(first));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(readPerformanceCounter(second));
    EXPECT_GE(second - first, frequency / 50);
    EXPECT_LT(second - first, frequency * 5);
}

} // namespace
} // namespace velmora::platform
