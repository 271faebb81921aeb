// velmora-cli started through a symbolic link, as /usr/bin/velmora-cli is installed:
// its libraries and Devices.ini are found beside the program the link points to, not
// beside the link.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include <gtest/gtest.h>

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;

TEST(CliThroughLink, FindsItsDatabaseBesideTheResolvedProgram)
{
    std::random_device random;
    const fs::path folder = fs::temp_directory_path() / ("velmora-cli-link-" + std::to_string(random()));
    fs::create_directories(folder / "bin");
    // Two hops, the second relative, like a link to an alternatives link.
    fs::create_symlink(VELMORA_CLI, folder / "velmora-cli-real");
    fs::create_symlink("../velmora-cli-real", folder / "bin" / "velmora-cli");

    const fs::path out = folder / "out.txt";
    const std::string command = "\"" + (folder / "bin" / "velmora-cli").string() + "\" devices >\"" + out.string()
        + "\" 2>&1";
    const int raw = std::system(command.c_str());
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    fs::remove_all(folder);

    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 0) << text.str();
    EXPECT_EQ(text.str().rfind("PIC18F242\n", 0), 0U) << text.str();
}

} // namespace
} // namespace velmora::cli
