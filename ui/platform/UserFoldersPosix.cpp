#include "ui/platform/UserFolders.h"

#include <unistd.h>

#include <cstdlib>

namespace velmora::platform {

namespace {

std::filesystem::path absoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr)
        return {};
    const std::filesystem::path path(value);
    // A relative path would depend on the current folder, which LastDir changes.
    return path.is_absolute() ? path : std::filesystem::path{};
}

} // namespace

bool isWritableFolder(const std::filesystem::path& folder)
{
    // access() answers for the real user and also sees read-only mounts.
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

std::filesystem::path userConfigFolder()
{
    // The XDG base directory rule: $XDG_CONFIG_HOME, else ~/.config.
    const std::filesystem::path configHome = absoluteVariable("XDG_CONFIG_HOME");
    if (!configHome.empty())
        return configHome;
    const std::filesystem::path home = absoluteVariable("HOME");
    return home.empty() ? home : home / ".config";
}

} // namespace velmora::platform
