// Loading from the file system: files that cannot be opened or read, and line ends.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "hexfile/HexMessages.h"
#include "hexfile/LoadHexFile.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

using test::MessageRecorder;

constexpr uid_t kNobody = 65534;

struct FileLoad {
    std::unique_ptr<DeviceImage> image = test::MakeImage(0x8000, 0x100);
    MessageRecorder messages;

    explicit FileLoad(const std::string& path) { LoadHexFile(*image, path, messages); }

    bool failedWith(std::string_view text) const
    {
        return messages.shown.size() == 1 && messages.shown[0].kind == MessageKind::Error &&
               messages.shown[0].text == text && image->IsProgramPresent(0) && image->image.programMemory[0] == kBlank;
    }
};

TEST(LoadHexFile, MissingFileAndFolderCannotBeOpened)
{
    test::ScratchFolder scratch;
    EXPECT_TRUE(FileLoad(scratch.path("absent.hex")).failedWith(hexmessages::kCannotOpenFile));
    EXPECT_TRUE(FileLoad(scratch.folder()).failedWith(hexmessages::kCannotOpenFile));
}

TEST(LoadHexFile, FileWithoutReadPermissionCannotBeOpened)
{
    test::ScratchFolder scratch;
    const std::string path = scratch.path("locked.hex");
    test::WriteWholeFile(path, ":0100000042BD\r\n:00000001FF\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ASSERT_EQ(::chmod(scratch.folder().c_str(), 0755), 0);
    // Root reads any file, so the load runs in a child that gives up root first.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                std::_Exit(2);
            std::_Exit(FileLoad(path).failedWith(hexmessages::kCannotOpenFile) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(LoadHexFile, ReadFailureIsAnIoError)
{
    // A regular file whose read fails for every user: offset 0 of the process's own
    // memory is never mapped, so the kernel answers EIO.
    EXPECT_TRUE(FileLoad("/proc/self/mem").failedWith(hexmessages::kFileIoError));
}

TEST(LoadHexFile, CrOnlyLfOnlyAndCrLfFilesLoadAlike)
{
    test::ScratchFolder scratch;
    const std::string lines[] = {":020000040000FA", ":0400100001020304E2", ":0100000002FD", ":00000001FF"};
    for (const char* ending : {"\r", "\n", "\r\n"}) {
        std::string text;
        for (const std::string& line : lines)
            text += line + ending;
        const std::string path = scratch.path("file.hex");
        test::WriteWholeFile(path, text);
        const FileLoad load(path);
        EXPECT_TRUE(load.messages.shown.empty());
        EXPECT_EQ(load.image->image.programMemory[0x13], 0x04);
        EXPECT_EQ(load.image->image.programMemory[0], 0x02);
    }
}

} // namespace
} // namespace velmora
