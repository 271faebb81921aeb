#include "ui/SettingsFile.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <string>
#include <system_error>

#include "devicedata/DeviceDataMessages.h"
#include "devicedata/FileText.h"
#include "devicedata/IniFile.h"
#include "ui/IniTextEditor.h"
#include "ui/UiTexts.h"

namespace velmora {

namespace {

constexpr char kConfig[] = "Config";
constexpr char kMainWindow[] = "MainWindow";

std::string columnKey(int column)
{
    return "GridColWidth" + std::to_string(column);
}

std::string boolText(bool value)
{
    return value ? "1" : "0";
}

bool enterFolderOfProcess(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::current_path(folder, error);
    return !error;
}

// Missing folders are made readable by the user alone, as settings folders should be.
bool createPrivateFolders(const std::filesystem::path& folder)
{
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return true;
    const std::filesystem::path parent = folder.parent_path();
    if (parent == folder || !createPrivateFolders(parent))
        return false;
    if (!std::filesystem::create_directory(folder, error))
        return std::filesystem::is_directory(folder, error);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    return !error;
}

bool loadIni(const std::filesystem::path& path, IniFile& ini, std::string* problem)
{
    const FileReadStatus status = ini.load(path);
    if (!FileReadFailed(status))
        return true;
    if (problem)
        *problem = FileReadProblem(status);
    return false;
}

} // namespace

SettingsFile::SettingsFile(std::filesystem::path path, FolderChanger enterFolder)
    : path_(std::move(path)), enterFolder_(enterFolder ? std::move(enterFolder) : enterFolderOfProcess)
{
}

SettingsFile::SettingsFile(const SettingsLocation& location) : SettingsFile(location.file)
{
    createsFolder_ = location.createsFolder;
}

bool SettingsFile::readGroup1(SettingsGroup1& values, std::string* problem) const
{
    IniFile ini;
    if (!loadIni(path_, ini, problem))
        return false;

    values.device = ini.getInteger(kConfig, "Device", values.device);

    std::string lastDir = ini.getString(kConfig, "LastDir", values.lastDir);
    std::error_code error;
    if (!std::filesystem::is_directory(lastDir, error))
        lastDir = ".";
    if (!enterFolder_(lastDir)) {
        if (problem)
            *problem = ui::kLastDirNotEnteredPrefix + lastDir;
        return false;
    }
    values.lastDir = lastDir;

    values.com = ini.getString(kConfig, "COM", values.com);
    values.checksum.enabled = ini.getBool(kConfig, "CSEnabled", values.checksum.enabled);
    values.checksum.warnEnabled = ini.getBool(kConfig, "CSWarnEnabled", values.checksum.warnEnabled);
    values.checksum.warnValue = ini.getString(kConfig, "CSWarnValue", values.checksum.warnValue);
    values.checksum.type = ini.getInteger(kConfig, "CSType", values.checksum.type);

    values.bounds.left = ini.getInteger(kMainWindow, "Left", values.bounds.left);
    values.bounds.top = ini.getInteger(kMainWindow, "Top", values.bounds.top);
    values.bounds.width = ini.getInteger(kMainWindow, "Width", values.bounds.width);
    values.bounds.height = ini.getInteger(kMainWindow, "Height", values.bounds.height);
    values.maximized = ini.getBool(kMainWindow, "Maximized", values.maximized);
    for (int column = 0; column < kGridColumns; ++column) {
        std::int32_t& width = values.columnWidths[static_cast<std::size_t>(column)];
        width = std::max(kMinimumColumnWidth, ini.getInteger(kMainWindow, columnKey(column), width));
    }
    return true;
}

bool SettingsFile::readGroup2(ProgrammingOptions& options, std::string* problem) const
{
    IniFile ini;
    if (!loadIni(path_, ini, problem))
        return false;
    options.multiPanelWrite = ini.getBool(kConfig, "MultiPanelWrite", options.multiPanelWrite);
    options.fastVerify = ini.getBool(kConfig, "FastVerify", options.fastVerify);
    options.programMemory = ini.getBool(kConfig, "PRVProgramMemory", options.programMemory);
    options.eeprom = ini.getBool(kConfig, "PRVEEPROM", options.eeprom);
    options.ids = ini.getBool(kConfig, "PRVIDs", options.ids);
    options.configuration = ini.getBool(kConfig, "PRVConfiguration", options.configuration);
    return true;
}

std::string SettingsFile::loadErrorText(const std::string& problem) const
{
    return std::string(kIniLoadErrorMessage) + "\r\n" + path_.string() + "\r\n" + problem;
}

bool SettingsFile::write(const SettingsGroup1& values, const ProgrammingOptions& options) const
{
    if (createsFolder_ && !createPrivateFolders(path_.parent_path()))
        return false;
    std::string existing;
    if (FileReadFailed(ReadFileText(path_, existing)))
        return false;

    IniTextEditor ini(existing);
    ini.set(kConfig, "Device", std::to_string(values.device));
    ini.set(kConfig, "LastDir", values.lastDir);
    ini.set(kConfig, "COM", values.com);
    ini.set(kConfig, "CSEnabled", boolText(values.checksum.enabled));
    ini.set(kConfig, "CSWarnEnabled", boolText(values.checksum.warnEnabled));
    ini.set(kConfig, "CSWarnValue", values.checksum.warnValue);
    ini.set(kConfig, "CSType", std::to_string(values.checksum.type));
    ini.set(kConfig, "MultiPanelWrite", boolText(options.multiPanelWrite));
    ini.set(kConfig, "FastVerify", boolText(options.fastVerify));
    ini.set(kConfig, "PRVProgramMemory", boolText(options.programMemory));
    ini.set(kConfig, "PRVEEPROM", boolText(options.eeprom));
    ini.set(kConfig, "PRVIDs", boolText(options.ids));
    ini.set(kConfig, "PRVConfiguration", boolText(options.configuration));
    ini.set(kMainWindow, "Maximized", boolText(values.maximized));
    ini.set(kMainWindow, "Left", std::to_string(values.bounds.left));
    ini.set(kMainWindow, "Top", std::to_string(values.bounds.top));
    ini.set(kMainWindow, "Width", std::to_string(values.bounds.width));
    ini.set(kMainWindow, "Height", std::to_string(values.bounds.height));
    for (int column = 0; column < kGridColumns; ++column)
        ini.set(kMainWindow, columnKey(column),
                std::to_string(values.columnWidths[static_cast<std::size_t>(column)]));

    const std::string text = ini.text();
    QSaveFile file(QString::fromStdString(path_.string()));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace velmora
