#pragma once
// A fresh folder under the system's temporary folder, removed with its contents; a
// fresh path in one; and a guard that restores the current folder.

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

class TempFolder {
public:
    TempFolder()
    {
        // The random part keeps parallel runs of the suites apart, the counter the
        // folders of one process.
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path()
                / ("velmora-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

    // Writes the bytes exactly as given and returns the file's path as text.
    std::string write(const std::string& name, std::string_view contents) const
    {
        const std::string file = this->file(name).string();
        std::ofstream stream(file, std::ios::binary | std::ios::trunc);
        stream.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return file;
    }

    std::string read(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The names of the files in the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

// A path no file has yet, in a folder of its own that goes with everything the test
// left beside it (temporary files of a replacement, say).
class TempPath {
public:
    explicit TempPath(const std::string& suffix) : path_(folder_.file("file" + suffix)) {}

    const std::filesystem::path& path() const { return path_; }
    std::string string() const { return path_.string(); }

private:
    TempFolder folder_;
    std::filesystem::path path_;
};

// Restores the process's current folder when it goes out of scope.
class CurrentFolderGuard {
public:
    CurrentFolderGuard() : saved_(std::filesystem::current_path()) {}
    ~CurrentFolderGuard() { std::filesystem::current_path(saved_); }
    CurrentFolderGuard(const CurrentFolderGuard&) = delete;
    CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;

private:
    std::filesystem::path saved_;
};

} // namespace velmora::test
