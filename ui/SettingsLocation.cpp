#include "ui/SettingsLocation.h"

#include "ui/UiTexts.h"
#include "ui/platform/UserFolders.h"

namespace velmora {

SettingsLocation chooseSettingsLocation(const std::filesystem::path& programFolder, bool programFolderWritable,
                                        const std::filesystem::path& userConfigFolder)
{
    if (programFolderWritable || userConfigFolder.empty())
        return {programFolder / ui::kSettingsFileName, false};
    return {userConfigFolder / ui::kUserSettingsFolderName / ui::kSettingsFileName, true};
}

SettingsLocation settingsLocationFor(const std::filesystem::path& programFolder)
{
    return chooseSettingsLocation(programFolder, platform::isWritableFolder(programFolder),
                                  platform::userConfigFolder());
}

} // namespace velmora
