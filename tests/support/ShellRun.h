#pragma once
// A command line run through the shell by an end-to-end test, its exit status and
// what it printed on each stream caught in files of the test's folder.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

namespace velmora::test {

struct ShellRun {
    int status = -1;   // the exit status; -1 when the command did not exit by itself
    std::string out;
    std::string err;
};

inline std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// command must not redirect its own output.
inline ShellRun runInShell(const std::string& command, const std::filesystem::path& folder)
{
    const auto out = folder / "out.txt";
    const auto err = folder / "err.txt";
    const std::string redirected = command + " >\"" + out.string() + "\" 2>\"" + err.string() + "\"";
    const int raw = std::system(redirected.c_str());
    return ShellRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readAll(out), readAll(err)};
}

} // namespace velmora::test
