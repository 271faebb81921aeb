// Replacing a file on Windows: UTF-8 names reach the UTF-16 API intact, and a target
// that cannot be replaced keeps its old contents with no temporary file left over.

#include <gtest/gtest.h>

#include <windows.h>

#include "hexfile/HexMessages.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/SaveHexFile.h"
#include "tests/hexfile/HexTestSupport.h"

namespace velmora {
namespace {

struct SaveHexFileWin32 : testing::Test {
    test::TempFolder scratch;
    std::unique_ptr<DeviceImage> image = test::MakeImage(0x8000, 0x100);
    test::ScriptedMessages messages;
    const std::string previous = "previous contents\r\n";
};

TEST_F(SaveHexFileWin32, AUtf8NameIsSavedAndLoadedUnderItsUnicodeName)
{
    test::FillPattern(*image, 3);
    // "Prüfung-Ω.hex" in UTF-8, and the same name as Windows spells it.
    const std::string utf8Name = "Pr\xC3\xBC" "fung-\xCE\xA9.hex";
    const std::wstring wideName = L"Pr\u00FCfung-\u03A9.hex";
    const std::string target = scratch.file("").string() + utf8Name;

    SaveHexFile(*image, target, messages);
    ASSERT_TRUE(messages.shown.empty());
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / wideName));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path()), {}), 1) << "no temporary file left";

    auto loaded = test::MakeImage(0x8000, 0x100);
    LoadHexFile(*loaded, target, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(std::equal(loaded->image.programMemory, loaded->image.programMemory + 0x8000,
                           image->image.programMemory));
    EXPECT_TRUE(std::equal(std::begin(loaded->image.eeprom), std::begin(loaded->image.eeprom) + 0x100,
                           std::begin(image->image.eeprom)));
}

TEST_F(SaveHexFileWin32, ATargetHeldOpenWithoutSharingKeepsItsContents)
{
    const std::string target = scratch.write("out.hex", previous);
    const std::wstring wideTarget = (scratch.path() / "out.hex").wstring();
    HANDLE holder = CreateFileW(wideTarget.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    SaveHexFile(*image, target, messages);
    CloseHandle(holder);

    EXPECT_TRUE(messages.showedOnly(MessageKind::Error, hexmessages::kFileCloseError));
    EXPECT_EQ(test::ReadWholeFile(target), previous);
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"out.hex"});
}

TEST_F(SaveHexFileWin32, ANameThatIsNoUtf8CannotBeCreated)
{
    SaveHexFile(*image, scratch.file("").string() + "bad-\xFF.hex", messages);
    EXPECT_TRUE(messages.showedOnly(MessageKind::Error, hexmessages::kCannotCreateFile));
    EXPECT_TRUE(scratch.entries().empty());
}

} // namespace
} // namespace velmora
