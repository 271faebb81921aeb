// The image file as a port holds it: one holder at a time, nothing but regular files,
// a bounded read, and no file left behind by a port that did not open.

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "corvant/sim/ChipImageFile.h"
#include "corvant/sim/SimFiles.h"
#include "tests/support/TempFolder.h"

namespace velmora::sim {
namespace {

using test::TempPath;
namespace fs = std::filesystem;

TEST(HeldImageFile, OneHolderAtATime)
{
    TempPath file(".hex");
    std::ofstream(file.path()) << ":00000001FF\n";
    HeldImageFile first;
    HeldImageFile second;
    std::string error;
    ASSERT_TRUE(first.open(file.path(), error)) << error;
    EXPECT_FALSE(second.open(file.path(), error));
    EXPECT_EQ(error, file.string() + " is in use by another program");
    first.release(true);
    EXPECT_TRUE(second.open(file.path(), error)) << error;
    std::string text;
    ASSERT_TRUE(second.read(text, error)) << error;
    EXPECT_EQ(text, ":00000001FF\n");
}

TEST(HeldImageFile, ACreatedFileStaysOnlyWhenKept)
{
    TempPath file(".hex");
    HeldImageFile image;
    std::string error;
    ASSERT_TRUE(image.open(file.path(), error)) << error;
    EXPECT_TRUE(fs::exists(file.path()));
    image.release(false);
    EXPECT_FALSE(fs::exists(file.path())) << "a refused port left its new image file";

    ASSERT_TRUE(image.open(file.path(), error)) << error;
    image.release(true);
    EXPECT_TRUE(fs::exists(file.path()));
    // An existing file is never removed, kept or not.
    ASSERT_TRUE(image.open(file.path(), error)) << error;
    image.release(false);
    EXPECT_TRUE(fs::exists(file.path()));
}

TEST(HeldImageFile, DevicesFifosFoldersAndHugeFilesAreRefused)
{
    TempPath fifo(".fifo");
    ASSERT_EQ(::mkfifo(fifo.string().c_str(), 0600), 0);
    HeldImageFile image;
    std::string error;
    for (const fs::path& path : {fs::path("/dev/zero"), fifo.path(), fs::temp_directory_path()}) {
        EXPECT_FALSE(image.open(path, error)) << path;
        EXPECT_FALSE(error.empty());
    }
    std::string text;
    EXPECT_FALSE(readImageText("/dev/zero", text, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    TempPath huge(".hex");
    std::ofstream(huge.path()) << ":00000001FF\n";
    fs::resize_file(huge.path(), HeldImageFile::kSizeLimit + 1);   // sparse: cheap to make
    ASSERT_TRUE(image.open(huge.path(), error)) << error;
    EXPECT_FALSE(image.read(text, error));
    EXPECT_NE(error.find("larger than an image file can be"), std::string::npos) << error;
    EXPECT_TRUE(text.empty());
}

TEST(HeldImageFile, AnEmptyFileIsAnErasedChip)
{
    const FaultSet none;
    ChipMemory memory(*findChipModel("PIC18F452"), none);
    memory.programMemory()[0] = 0x00;
    std::string error;
    EXPECT_EQ(loadChipImageText("", "chip.hex", memory, error), ImageLoad::Missing);
    EXPECT_EQ(memory.programMemory()[0], 0xFF);
}

TEST(TraceStream, RegularFilesAndDevicesOpenAFifoWithoutReaderDoesNotHang)
{
    TempPath fifo(".fifo");
    ASSERT_EQ(::mkfifo(fifo.string().c_str(), 0600), 0);
    EXPECT_EQ(openTraceStream(fifo.path()), nullptr);
    EXPECT_EQ(openTraceStream(fs::temp_directory_path()), nullptr);
    for (const char* usable : {"/dev/null"}) {
        std::FILE* stream = openTraceStream(usable);
        ASSERT_NE(stream, nullptr) << usable;
        std::fclose(stream);
    }
}

} // namespace
} // namespace velmora::sim
