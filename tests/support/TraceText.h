#pragma once
// Reading what a test program left in a file, such as the simulated programmer's trace:
// the whole text, how often a piece occurs, and the last line.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace velmora::test {

inline std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

inline std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++found;
    return found;
}

// The last line that is not empty, without its line end.
inline std::string lastLine(const std::string& text)
{
    const std::string body = text.substr(0, text.find_last_not_of('\n') + 1);
    const std::size_t newline = body.rfind('\n');
    return newline == std::string::npos ? body : body.substr(newline + 1);
}

} // namespace velmora::test
