#pragma once
// Platform layer of the command-line front end.

#include <cstdio>
#include <filesystem>

namespace velmora::cli {

// The folder holding the running executable (empty when the OS will not say).
std::filesystem::path executableFolder();

// Whether the stream is a terminal that can redraw a line in place.
bool isTerminal(std::FILE* stream);

} // namespace velmora::cli
