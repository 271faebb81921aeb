#pragma once
// "Velmora.ini" (SettingsLocation says where): read in two groups at start-up, written whole at
// exit. Every read key defaults to the value the setting holds before the read.
// Writing goes to a temporary file that then replaces the old one, so a crash or a
// full disk leaves the previous settings intact instead of a half-written file.

#include <filesystem>
#include <functional>
#include <string>

#include "engine/ProgrammingOptions.h"
#include "ui/SettingsLocation.h"
#include "ui/SettingsValues.h"

namespace velmora {

class SettingsFile {
public:
    // Makes a folder the process's current folder; false when that fails.
    using FolderChanger = std::function<bool(const std::filesystem::path&)>;

    explicit SettingsFile(std::filesystem::path path, FolderChanger enterFolder = {});
    explicit SettingsFile(const SettingsLocation& location);

    const std::filesystem::path& path() const { return path_; }

    // False on a failure ("INI load error"), with the reason in problem; the keys after
    // the failing one keep the values they had. LastDir is applied as it is read: its
    // folder becomes current.
    bool readGroup1(SettingsGroup1& values, std::string* problem = nullptr) const;
    bool readGroup2(ProgrammingOptions& options, std::string* problem = nullptr) const;
    // "INI load error", then the file's path and the problem on lines of their own.
    std::string loadErrorText(const std::string& problem) const;
    // False when the file could not be written; the old file is then unchanged. A
    // location that creates its folder makes the missing folders first.
    bool write(const SettingsGroup1& values, const ProgrammingOptions& options) const;

private:
    std::filesystem::path path_;
    FolderChanger enterFolder_;
    bool createsFolder_ = false;
};

} // namespace velmora
