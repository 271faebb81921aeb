// Loading from the file system: files that cannot be opened or read.

#include <gtest/gtest.h>

#if !defined(_WIN32)
#  include <sys/stat.h>
#  include <unistd.h>
#endif

#include "hexfile/HexMessages.h"
#include "hexfile/LoadHexFile.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

// Loads path; true when it failed with message and left a blank image, all present.
bool failsWith(const std::string& path, std::string_view message)
{
    auto image = test::MakeImage(0x8000, 0x100);
    test::ScriptedMessages messages;
    LoadHexFile(*image, path, messages);
    return messages.showedOnly(MessageKind::Error, message) && image->IsProgramPresent(0);
}

TEST(LoadHexFile, MissingFileAndFolderCannotBeOpened)
{
    test::TempFolder scratch;
    EXPECT_TRUE(failsWith(scratch.file("absent.hex").string(), hexmessages::kCannotOpenFile));
    EXPECT_TRUE(failsWith(scratch.path().string(), hexmessages::kCannotOpenFile));
}

// Permissions, users and /proc are POSIX matters.
#if !defined(_WIN32)
TEST(LoadHexFile, FileWithoutReadPermissionCannotBeOpened)
{
    constexpr uid_t kNobody = 65534;
    test::TempFolder scratch;
    const std::string path = scratch.write("locked.hex", ":0100000042BD\r\n:00000001FF\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ASSERT_EQ(::chmod(scratch.path().c_str(), 0755), 0);
    // Root reads any file, so the load runs in a child that gives up root first.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                std::_Exit(2);
            std::_Exit(failsWith(path, hexmessages::kCannotOpenFile) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(LoadHexFile, ReadFailureIsAnIoError)
{
    // A regular file whose read fails for every user: offset 0 of the process's own
    // memory is never mapped, so the kernel answers EIO.
    EXPECT_TRUE(failsWith("/proc/self/mem", hexmessages::kFileIoError));
}
#endif

} // namespace
} // namespace velmora
