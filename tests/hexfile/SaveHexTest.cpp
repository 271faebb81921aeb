// The writer's exact output, round trips through the loader, and replacing files safely.

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "devicedata/ParseHexDigits.h"
#include "hexfile/HexLineChecksum.h"
#include "hexfile/HexMessages.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/MemoryByteSource.h"
#include "hexfile/SaveHexFile.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

using test::MessageRecorder;

class StringSink final : public ByteSink {
public:
    std::string text;
    bool write(std::string_view bytes) override
    {
        text += bytes;
        return true;
    }
};

std::string written(const DeviceImage& image)
{
    StringSink sink;
    EXPECT_TRUE(WriteHexImage(image.image, sink));
    return sink.text;
}

std::vector<std::string> splitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

TEST(WriteHexImage, BlankSmallDeviceGivesTheExactRecordSequence)
{
    const auto image = test::MakeImage(0x8000, 0x100);
    const std::vector<std::string> lines = splitCrLf(written(*image));
    ASSERT_EQ(lines.size(), 1u + 2048 + 1 + 16 + 2 + 2 + 1);
    EXPECT_EQ(lines[0], ":020000040000FA");
    EXPECT_EQ(lines[1], ":10000000" + std::string(32, 'F') + "00");
    EXPECT_EQ(lines[2048], ":107FF000" + std::string(32, 'F') + "91");
    EXPECT_EQ(lines[2049], ":0200000400F00A");
    EXPECT_EQ(lines[2050].substr(0, 9), ":10000000");
    EXPECT_EQ(lines[2065].substr(0, 9), ":1000F000");
    EXPECT_EQ(lines[2066], ":020000040020DA");
    EXPECT_EQ(lines[2067], ":08000000FFFFFFFFFFFFFFFF00");
    EXPECT_EQ(lines[2068], ":020000040030CA");
    std::ostringstream config;
    config << ":0E000000";
    for (std::uint8_t byte : image->image.config)
        config << std::uppercase << std::hex << (byte >> 4) << (byte & 0xF);
    EXPECT_EQ(lines[2069].substr(0, 37), config.str());
    EXPECT_EQ(lines[2070], ":00000001FF");
    for (const std::string& line : lines)
        EXPECT_EQ(ParseHexDigits(line.substr(line.size() - 2), 0x100), HexLineChecksum(line.substr(0, line.size() - 2)))
            << line;
}

TEST(WriteHexImage, ShortLastRecordNoEepromAndExtendedAddressesPer64K)
{
    const auto odd = test::MakeImage(20, 0);
    const std::vector<std::string> oddLines = splitCrLf(written(*odd));
    ASSERT_EQ(oddLines.size(), 8u);
    EXPECT_EQ(oddLines[2].substr(0, 9), ":04001000");
    EXPECT_EQ(oddLines[3], ":020000040020DA");

    const auto big = test::MakeImage(0x100000, 0);
    const std::vector<std::string> lines = splitCrLf(written(*big));
    ASSERT_EQ(lines.size(), 1u + 65536 + 15 + 5);
    EXPECT_EQ(lines[4097], ":020000040001F9");
    EXPECT_EQ(lines[4098].substr(0, 9), ":10000000");
    EXPECT_EQ(lines[4096].substr(0, 9), ":10FFF000");
    EXPECT_EQ(lines[65536 + 15], ":10FFF000" + std::string(32, 'F') + "11");
}

TEST(WriteHexImage, EveryAreaRoundTripsThroughTheLoaderWithTheDeviceFullyPresent)
{
    for (auto [programSize, eepromSize] : {std::pair{0x8000, 0x100}, std::pair{0x100000, 0x10000}, std::pair{1, 0}}) {
        const auto saved = test::MakeImage(programSize, eepromSize);
        test::FillPattern(*saved, static_cast<unsigned>(programSize));
        const std::string text = written(*saved);
        auto loaded = test::MakeImage(programSize, eepromSize);
        MessageRecorder messages;
        MemoryByteSource source(text);
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
        if (eepromSize != 0) {
            EXPECT_TRUE(loaded->IsEepromPresent(static_cast<Address>(eepromSize - 1)));
        }
        EXPECT_FALSE(loaded->IsEepromPresent(static_cast<Address>(eepromSize)));
    }
}

struct SaveFixture : testing::Test {
    test::ScratchFolder scratch;
    std::unique_ptr<DeviceImage> image = test::MakeImage(0x8000, 0x100);
    MessageRecorder messages;
    const std::string target = scratch.path("out.hex");
    const std::string previous = "previous contents\r\n";

    void save(const std::string& path) { SaveHexFile(*image, path, messages); }
    void expectOnlyError(std::string_view text)
    {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
        EXPECT_EQ(messages.shown[0].text, text);
    }
};

TEST_F(SaveFixture, ReplacesAnExistingFileKeepingItsPermissionsAndLeavesNoTemporaryFile)
{
    test::FillPattern(*image, 7);
    test::WriteWholeFile(target, previous);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    save(target);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(test::ReadWholeFile(target), written(*image));
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"out.hex"});
}

TEST_F(SaveFixture, ThroughASymbolicLinkTheLinkStaysAndItsFileIsReplaced)
{
    const std::string real = scratch.path("real.hex");
    test::WriteWholeFile(real, previous);
    ASSERT_EQ(::symlink("real.hex", target.c_str()), 0);
    save(target);
    EXPECT_TRUE(messages.shown.empty());
    struct stat status {};
    ASSERT_EQ(::lstat(target.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(test::ReadWholeFile(real), written(*image));
}

TEST_F(SaveFixture, UncreatableFileOrAFolderAsTargetCannotBeOpened)
{
    save(scratch.path("no-such-folder/out.hex"));
    expectOnlyError(hexmessages::kCannotCreateFile);
    messages.shown.clear();
    save(scratch.folder());
    expectOnlyError(hexmessages::kCannotCreateFile);
    EXPECT_TRUE(scratch.entries().empty());
}

TEST_F(SaveFixture, FailedWriteKeepsThePreviousFileIntactAndRemovesTheTemporaryFile)
{
    test::WriteWholeFile(target, previous);
    // A file-size limit makes writes fail for root too; SIGXFSZ would end the process.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit small = oldLimit;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    save(target);
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    expectOnlyError(hexmessages::kFileWriteError);
    EXPECT_EQ(test::ReadWholeFile(target), previous);
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"out.hex"});
}

} // namespace
} // namespace velmora
