#pragma once
// Where "Velmora.ini" lives. Beside the program while the program's folder is writable
// (a build folder, or an unpacked copy carried from machine to machine); an installed
// program's folder belongs to the system, so there the file goes to the user's own
// configuration folder, which is created when the settings are first written.

#include <filesystem>

namespace velmora {

struct SettingsLocation {
    std::filesystem::path file;
    // The file's folder may not exist yet and is made on the first write.
    bool createsFolder = false;
};

// The choice itself, given what the platform says about the two folders. Without a
// user configuration folder the program's folder is kept, and writing then fails as it
// would have anyway.
SettingsLocation chooseSettingsLocation(const std::filesystem::path& programFolder, bool programFolderWritable,
                                        const std::filesystem::path& userConfigFolder);

// The same, asking the platform.
SettingsLocation settingsLocationFor(const std::filesystem::path& programFolder);

} // namespace velmora
