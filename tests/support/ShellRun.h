#pragma once
// A command line run through the shell by an end-to-end test, its exit status and
// what it printed on each stream caught in files of the test's folder.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#if !defined(_WIN32)
#  include <sys/wait.h>
#endif

#include "tests/support/TraceText.h"

namespace velmora::test {

struct ShellRun {
    int status = -1;   // the exit status; -1 when the command did not exit by itself
    std::string out;
    std::string err;
};

// What a program printed, with the platform's line ends read back as "\n".
inline std::string readPrinted(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// command must not redirect its own output.
inline ShellRun runInShell(const std::string& command, const std::filesystem::path& folder)
{
    const auto out = folder / "out.txt";
    const auto err = folder / "err.txt";
    std::string redirected = command + " >\"" + out.string() + "\" 2>\"" + err.string() + "\"";
#if defined(_WIN32)
    // cmd /c drops the first and the last quote of a line with more than two.
    redirected = "\"" + redirected + "\"";
    const int status = std::system(redirected.c_str());
#else
    const int raw = std::system(redirected.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    return ShellRun{status, readPrinted(out), readPrinted(err)};
}

} // namespace velmora::test
