// The one reader behind Devices.ini and Velmora.ini, on the files a careless user or a
// hostile path hands it.
#include "devicedata/FileText.h"

#include <gtest/gtest.h>

#include <string>

#if !defined(_WIN32)
#  include <sys/stat.h>
#endif

#include "tests/support/TempFolder.h"

namespace velmora {
namespace {

TEST(FileText, ReadsUpToTheLimitAndRefusesOneByteMore)
{
    test::TempFolder folder;
    std::string text;
    EXPECT_EQ(ReadFileText(folder.write("a.ini", "12345"), text, 5), FileReadStatus::Read);
    EXPECT_EQ(text, "12345");
    EXPECT_EQ(ReadFileText(folder.write("b.ini", "123456"), text, 5), FileReadStatus::TooLarge);
    EXPECT_EQ(text, "");
    EXPECT_EQ(FileReadProblem(FileReadStatus::TooLarge, 5), "larger than 5 bytes, the most this program reads from it");
}

TEST(FileText, ReadsAFileLargerThanOneChunkWhole)
{
    test::TempFolder folder;
    const std::string big(200 * 1024 + 7, 'x');
    std::string text;
    EXPECT_EQ(ReadFileText(folder.write("big.ini", big), text), FileReadStatus::Read);
    EXPECT_EQ(text.size(), big.size());
}

TEST(FileText, MissingFilesAndFoldersAreToldApart)
{
    test::TempFolder folder;
    std::string text = "old";
    EXPECT_EQ(ReadFileText(folder.path() / "absent.ini", text), FileReadStatus::Missing);
    EXPECT_EQ(ReadFileText(folder.path() / "absent" / "below.ini", text), FileReadStatus::Missing);
    EXPECT_EQ(ReadFileText(folder.path(), text), FileReadStatus::NotRegularFile);
    EXPECT_EQ(text, "");
}

#if !defined(_WIN32)
TEST(FileText, DevicesFifosAndProcFilesNeitherHangNorThrow)
{
    test::TempFolder folder;
    std::string text;
    EXPECT_EQ(ReadFileText("/dev/zero", text), FileReadStatus::NotRegularFile);
    EXPECT_EQ(ReadFileText("/dev/null", text), FileReadStatus::NotRegularFile);
    const std::string fifo = folder.file("fifo.ini").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadFileText(fifo, text), FileReadStatus::NotRegularFile);
    // A regular file whose every read fails, with the system's reason.
    std::error_code error;
    EXPECT_EQ(ReadFileText("/proc/self/mem", text, error), FileReadStatus::Unreadable);
    EXPECT_EQ(error, std::errc::io_error);
    // Reports a size of 0 but holds text.
    EXPECT_EQ(ReadFileText("/proc/self/status", text), FileReadStatus::Read);
    EXPECT_NE(text.find("Name:"), std::string::npos);
}
#endif

} // namespace
} // namespace velmora
