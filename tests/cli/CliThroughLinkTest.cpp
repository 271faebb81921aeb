// velmora-cli started through a symbolic link, as /usr/bin/velmora-cli is installed:
// its libraries and Devices.ini are found beside the program the link points to, not
// beside the link.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/ShellRun.h"
#include "tests/support/TempFolder.h"

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;

TEST(CliThroughLink, FindsItsDatabaseBesideTheResolvedProgram)
{
    const test::TempFolder folder;
    fs::create_directories(folder.file("bin"));
    // Two hops, the second relative, like a link to an alternatives link.
    fs::create_symlink(VELMORA_CLI, folder.file("velmora-cli-real"));
    fs::create_symlink("../velmora-cli-real", folder.file("bin") / "velmora-cli");

    const test::ShellRun run = test::runInShell("\"" + (folder.file("bin") / "velmora-cli").string() + "\" devices",
                                                folder.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("PIC18F242\n", 0), 0U) << run.out << run.err;
}

} // namespace
} // namespace velmora::cli
