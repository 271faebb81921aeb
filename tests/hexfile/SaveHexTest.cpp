// The writer's exact output, round trips through the loader, and replacing files safely.

#include <gtest/gtest.h>

#include <filesystem>
#if !defined(_WIN32)
#  include <csignal>
#  include <sys/resource.h>
#  include <sys/stat.h>
#  include <sys/wait.h>
#  include <unistd.h>
#  include <utime.h>
#endif

#include "devicedata/ParseHexDigits.h"
#include "hexfile/HexLineChecksum.h"
#include "hexfile/HexMessages.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/MemoryByteSource.h"
#include "hexfile/SaveHexFile.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

struct StringSink final : ByteSink {
    std::string text;
    bool write(std::string_view bytes) override { return text += bytes, true; }
};

std::vector<std::string> writtenLines(const DeviceImage& image)
{
    StringSink sink;
    EXPECT_TRUE(WriteHexImage(image, sink));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = sink.text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(sink.text.substr(start, end - start));
    EXPECT_EQ(start, sink.text.size()) << "text after the last CR LF";
    for (const std::string& line : lines)
        EXPECT_EQ(ParseHexDigits(line.substr(line.size() - 2), 0x100), HexLineChecksum(line.substr(0, line.size() - 2)));
    return lines;
}

std::vector<std::string> writtenLines(std::int32_t programSize, std::int32_t eepromSize)
{
    return writtenLines(*test::MakeImage(programSize, eepromSize));
}

TEST(WriteHexImage, BlankSmallDeviceGivesTheExactRecordSequence)
{
    const std::vector<std::string> lines = writtenLines(0x8000, 0x100);
    ASSERT_EQ(lines.size(), 1u + 2048 + 1 + 16 + 2 + 2 + 1);
    EXPECT_EQ(lines[0], ":020000040000FA");
    EXPECT_EQ(lines[1], ":10000000" + std::string(32, 'F') + "00");
    EXPECT_EQ(lines[2048], ":107FF000" + std::string(32, 'F') + "91");
    EXPECT_EQ(lines[2049], ":0200000400F00A");
    EXPECT_EQ(lines[2065], ":1000F000" + std::string(32, 'F') + "10");
    EXPECT_EQ(lines[2066], ":020000040020DA");
    EXPECT_EQ(lines[2067], ":08000000" + std::string(16, 'F') + "00");
    EXPECT_EQ(lines[2068], ":020000040030CA");
    // Type-1 default configuration: the built-in mask, nothing forced.
    EXPECT_EQ(lines[2069], ":0E00000000270F0F000085000FC00FE00F401B");
    EXPECT_EQ(lines[2070], ":00000001FF");
}

TEST(WriteHexImage, ShortLastRecordNoEepromAndAnExtendedAddressPer64K)
{
    const std::vector<std::string> odd = writtenLines(20, 0);
    ASSERT_EQ(odd.size(), 8u);
    EXPECT_EQ(odd[2], ":04001000FFFFFFFFF0");
    EXPECT_EQ(odd[3], ":020000040020DA");

    const std::vector<std::string> big = writtenLines(0x100000, 0);
    ASSERT_EQ(big.size(), 1u + 65536 + 15 + 5);
    EXPECT_EQ(big[4096].substr(0, 9), ":10FFF000");
    EXPECT_EQ(big[4097], ":020000040001F9");
    EXPECT_EQ(big[4098].substr(0, 9), ":10000000");
    EXPECT_EQ(big[1 + 15 * 4096 + 14], ":02000004000FEB");
}

// As the assemblers place them: the 8 configuration bytes right after the code, in the
// program-memory range; no ID and no 300000h record.
TEST(WriteHexImage, AJPartGetsItsConfigurationAtTheTopOfFlash)
{
    auto image = test::MakeFlashConfigImage(0x10000);
    for (int i = 0; i < 8; ++i)
        image->image.config[i] = static_cast<std::uint8_t>(0xE0 + i);
    image->image.config[8] = 0x55; // not the part's: never written
    const std::vector<std::string> lines = writtenLines(*image);
    ASSERT_EQ(lines.size(), 1u + 4096 + 1 + 1);
    EXPECT_EQ(lines[4096], ":08FFF000" + std::string(16, 'F') + "11");
    EXPECT_EQ(lines[4097], ":08FFF800E0E1E2E3E4E5E6E7E5");
    EXPECT_EQ(lines[4098], ":00000001FF");

    // 128 KB: the words share the last code segment.
    const std::vector<std::string> big = writtenLines(*test::MakeFlashConfigImage(0x20000));
    ASSERT_EQ(big.size(), 1u + 8192 + 1 + 1 + 1);
    EXPECT_EQ(big[4097], ":020000040001F9");
    EXPECT_EQ(big[8194].substr(0, 9), ":08FFF800");
}

TEST(WriteHexImage, EveryAreaRoundTripsThroughTheLoaderWithTheDeviceFullyPresent)
{
    for (auto [programSize, eepromSize] : {std::pair{0x8000, 0x100}, std::pair{0x100000, 0x10000}, std::pair{1, 0}}) {
        const auto saved = test::MakeImage(programSize, eepromSize);
        test::FillPattern(*saved, static_cast<unsigned>(programSize));
        StringSink sink;
        ASSERT_TRUE(WriteHexImage(*saved, sink));
        auto loaded = test::MakeImage(programSize, eepromSize);
        test::ScriptedMessages messages;
        MemoryByteSource source(sink.text);
        LoadHex(*loaded, source, messages);
        EXPECT_TRUE(messages.shown.empty());
        const MemoryImage& a = saved->image;
        const MemoryImage& b = loaded->image;
        EXPECT_EQ(0, std::memcmp(a.programMemory, b.programMemory, sizeof a.programMemory));
        EXPECT_EQ(0, std::memcmp(a.eeprom, b.eeprom, sizeof a.eeprom));
        EXPECT_EQ(0, std::memcmp(a.ids, b.ids, sizeof a.ids));
        EXPECT_EQ(0, std::memcmp(a.config, b.config, sizeof a.config));
        EXPECT_TRUE(loaded->IsProgramPresent(static_cast<Address>(programSize - 1)));
        EXPECT_FALSE(loaded->IsProgramPresent(static_cast<Address>(programSize)));
        EXPECT_EQ(loaded->IsEepromPresent(static_cast<Address>(eepromSize) - 1), eepromSize != 0);
        EXPECT_FALSE(loaded->IsEepromPresent(static_cast<Address>(eepromSize)));
    }
}

struct SaveHexFileTest : testing::Test {
    test::TempFolder scratch;
    std::unique_ptr<DeviceImage> image = test::MakeImage(0x8000, 0x100);
    test::ScriptedMessages messages;
    const std::string target = scratch.file("out.hex").string();
    const std::string previous = "previous contents\r\n";

    std::string expected()
    {
        StringSink sink;
        WriteHexImage(*image, sink);
        return sink.text;
    }
};

// Permissions, links and file-size limits are POSIX matters; SaveHexWin32Test.cpp
// has the Windows cases.
#if !defined(_WIN32)
TEST_F(SaveHexFileTest, ReplacesTheFileKeepingItsPermissionsAndALinkToIt)
{
    test::FillPattern(*image, 7);
    const std::string real = scratch.write("real.hex", previous);
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real.hex", target.c_str()), 0);
    SaveHexFile(*image, target, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(test::ReadWholeFile(real), expected());
    struct stat status {};
    ASSERT_EQ(::lstat(target.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    ASSERT_EQ(::stat(real.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(scratch.entries(), (std::vector<std::string>{"out.hex", "real.hex"}));
}
#endif

TEST_F(SaveHexFileTest, UncreatableFileOrAFolderAsTargetCannotBeOpened)
{
    for (const std::string& path : {scratch.file("no-such-folder/out.hex").string(), scratch.path().string()}) {
        messages.shown.clear();
        SaveHexFile(*image, path, messages);
        EXPECT_TRUE(messages.showedOnly(MessageKind::Error, hexmessages::kCannotCreateFile)) << path;
    }
    EXPECT_TRUE(scratch.entries().empty());
}

#if !defined(_WIN32)
TEST_F(SaveHexFileTest, FailedWriteKeepsThePreviousFileIntactAndRemovesTheTemporaryFile)
{
    scratch.write("out.hex", previous);
    // A file-size limit makes writes fail for root too; SIGXFSZ would end the process.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit small = oldLimit;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    SaveHexFile(*image, target, messages);
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(messages.showedOnly(MessageKind::Error, hexmessages::kFileWriteError));
    EXPECT_EQ(test::ReadWholeFile(target), previous);
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"out.hex"});
}
#endif

TEST_F(SaveHexFileTest, AWriteProtectedFileIsRefusedAndKept)
{
    scratch.write("out.hex", previous);
    // On Windows this sets the read-only attribute.
    std::filesystem::permissions(target, std::filesystem::perms::owner_write | std::filesystem::perms::group_write
                                             | std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(CanSaveHexFile(target));
    SaveHexFile(*image, target, messages);
    EXPECT_TRUE(messages.showedOnly(MessageKind::Error, hexmessages::kCannotCreateFile));
    EXPECT_EQ(test::ReadWholeFile(target), previous);
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"out.hex"});
    // Windows will not delete a read-only file with its folder.
    std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

TEST_F(SaveHexFileTest, TheCheckBeforeAReadSeesAMissingFolderAndAFolderAsTarget)
{
    EXPECT_TRUE(CanSaveHexFile(target));
    scratch.write("out.hex", previous);
    EXPECT_TRUE(CanSaveHexFile(target));
    EXPECT_FALSE(CanSaveHexFile(scratch.file("typo/out.hex").string()));
    EXPECT_FALSE(CanSaveHexFile(scratch.path().string()));
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"out.hex"});
}

#if !defined(_WIN32)
TEST_F(SaveHexFileTest, ADanglingLinkKeepsPointingAtTheFileItNames)
{
    ASSERT_EQ(::symlink("later.hex", target.c_str()), 0);
    EXPECT_TRUE(CanSaveHexFile(target));
    SaveHexFile(*image, target, messages);
    EXPECT_TRUE(messages.shown.empty());
    struct stat status {};
    ASSERT_EQ(::lstat(target.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(test::ReadWholeFile(scratch.file("later.hex").string()), expected());
}

pid_t endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(SaveHexFileTest, StaleTemporariesOfAKilledSaveAreRemovedAndNothingElse)
{
    const std::string dead = std::to_string(endedProcess());
    const std::string alive = std::to_string(::getppid());
    const std::vector<std::string> old = {".out.hex." + dead + "-0.tmp", ".out.hex." + alive + "-1.tmp",
                                          ".other.hex." + dead + "-0.tmp", ".out.hex.tmp", ".out.hex." + dead + "-x.tmp"};
    for (const std::string& name : old) {
        const std::string path = scratch.write(name, "partial");
        const utimbuf anHourAgo{::time(nullptr) - 3600, ::time(nullptr) - 3600};
        ASSERT_EQ(::utime(path.c_str(), &anHourAgo), 0);
    }
    const std::string fresh = ".out.hex." + dead + "-2.tmp";   // younger than this process: maybe not ours
    scratch.write(fresh, "partial");

    SaveHexFile(*image, target, messages);
    EXPECT_TRUE(messages.shown.empty());
    std::vector<std::string> kept = {fresh, ".other.hex." + dead + "-0.tmp", ".out.hex." + alive + "-1.tmp",
                                     ".out.hex." + dead + "-x.tmp", ".out.hex.tmp", "out.hex"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(scratch.entries(), kept);
}
#endif

} // namespace
} // namespace velmora
