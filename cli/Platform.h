#pragma once
// Platform layer of the command-line front end.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::cli {

// The command-line arguments after the program name, in UTF-8 (on Windows read
// from the UTF-16 command line, since argv holds them in the ANSI code page).
std::vector<std::string> utf8Arguments(int argc, char** argv);

// A UTF-8 path as the file system spells it.
std::filesystem::path pathFromUtf8(const std::string& utf8);

// The folder holding the running executable (empty when the OS will not say).
std::filesystem::path executableFolder();

// Whether the stream is a terminal that can redraw a line in place.
bool isTerminal(std::FILE* stream);

} // namespace velmora::cli
