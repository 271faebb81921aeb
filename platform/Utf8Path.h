#pragma once
// Paths are UTF-8 inside the program; the Windows file API takes UTF-16.

#include <filesystem>
#include <optional>
#include <string>

namespace velmora::platform {

#ifdef _WIN32
// nullopt when the text is not valid UTF-8.
std::optional<std::wstring> widePath(const std::string& utf8);
#endif

// The system's path for a UTF-8 text; nullopt when the text is not valid UTF-8 where
// that matters (Windows).
inline std::optional<std::filesystem::path> pathFromUtf8(const std::string& utf8)
{
#ifdef _WIN32
    const auto wide = widePath(utf8);
    if (!wide)
        return std::nullopt;
    return std::filesystem::path(*wide);
#else
    return std::filesystem::path(utf8);
#endif
}

// The UTF-8 text of a path, as the functions that take UTF-8 paths want it.
inline std::string utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace velmora::platform
