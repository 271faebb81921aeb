// Where the settings live: beside a writable program, in the user's configuration
// folder for an installed one, and that folder made on the first exit.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/TempFolder.h"
#include "ui/SettingsFile.h"
#include "ui/SettingsLocation.h"
#include "ui/platform/UserFolders.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

#if !defined(_WIN32)
// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedVariable() { set(old_ ? old_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const char* value) const
    {
        if (value)
            setenv(name_, value, 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};
#endif

bool canCreateFileIn(const fs::path& folder)
{
    const fs::path probe = folder / "probe";
    const bool created = std::ofstream(probe).good();
    std::error_code ignored;
    fs::remove(probe, ignored);
    return created;
}

TEST(SettingsLocationTest, WritableProgramFolderKeepsTheFileBesideTheProgram)
{
    const SettingsLocation location = chooseSettingsLocation("/opt/v", true, "/home/u/.config");
    EXPECT_EQ(location.file, fs::path("/opt/v/Velmora.ini"));
    EXPECT_FALSE(location.createsFolder);
}

TEST(SettingsLocationTest, ReadOnlyProgramFolderMovesTheFileToTheUsersConfiguration)
{
    const SettingsLocation location = chooseSettingsLocation("/usr/lib/velmora", false, "/home/u/.config");
    EXPECT_EQ(location.file, fs::path("/home/u/.config/velmora/Velmora.ini"));
    EXPECT_TRUE(location.createsFolder);

    const SettingsLocation nowhere = chooseSettingsLocation("/usr/lib/velmora", false, {});
    EXPECT_EQ(nowhere.file, fs::path("/usr/lib/velmora/Velmora.ini"));
    EXPECT_FALSE(nowhere.createsFolder);
}

TEST(SettingsLocationTest, WritableFolderAnswerMatchesAnAttemptToWrite)
{
    test::TempFolder folder;
    EXPECT_TRUE(platform::isWritableFolder(folder.path()));
    EXPECT_FALSE(platform::isWritableFolder(folder.file("missing")));

    // Read-only for its owner; the super-user may still write, and the answer must agree.
    const fs::path locked = folder.file("locked");
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(platform::isWritableFolder(locked), canCreateFileIn(locked));
    fs::permissions(locked, fs::perms::owner_all);
}

#if !defined(_WIN32)
TEST(SettingsLocationTest, UserConfigFolderFollowsXdgConfigHomeThenHome)
{
    ScopedVariable home("HOME", "/home/someone");
    {
        ScopedVariable config("XDG_CONFIG_HOME", "/srv/config");
        EXPECT_EQ(platform::userConfigFolder(), fs::path("/srv/config"));
    }
    {
        ScopedVariable relative("XDG_CONFIG_HOME", "config");
        EXPECT_EQ(platform::userConfigFolder(), fs::path("/home/someone/.config"));
    }
    ScopedVariable unset("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(platform::userConfigFolder(), fs::path("/home/someone/.config"));
    ScopedVariable noHome("HOME", nullptr);
    EXPECT_TRUE(platform::userConfigFolder().empty());
}
#endif

TEST(SettingsLocationTest, FirstWriteCreatesTheMissingConfigFolderPrivately)
{
    test::TempFolder home;
    test::CurrentFolderGuard guard;
    const fs::path configFolder = home.file(".config");
    const SettingsLocation location = chooseSettingsLocation("/usr/lib/velmora", false, configFolder);

    SettingsGroup1 written;
    written.com = "SIM";
    written.device = 4;
    ASSERT_TRUE(SettingsFile(location).write(written, ProgrammingOptions{}));
#if !defined(_WIN32)
    EXPECT_EQ(fs::status(configFolder / "velmora").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(configFolder).permissions() & fs::perms::all, fs::perms::owner_all);
#endif

    SettingsGroup1 read;
    ASSERT_TRUE(SettingsFile(location).readGroup1(read));
    EXPECT_EQ(read.com, "SIM");
    EXPECT_EQ(read.device, 4);
}

TEST(SettingsLocationTest, ConfigFolderBlockedByAFileIsASaveError)
{
    test::TempFolder home;
    home.write(".config", "not a folder");
    const SettingsLocation location = chooseSettingsLocation("/usr/lib/velmora", false, home.file(".config"));
    EXPECT_FALSE(SettingsFile(location).write(SettingsGroup1{}, ProgrammingOptions{}));
}

} // namespace
} // namespace velmora
