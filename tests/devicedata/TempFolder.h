#pragma once
// A fresh folder under the system's temporary folder, removed with its contents.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <random>

namespace velmora::test {

class TempFolder {
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path()
                / ("velmora-devicedata-" + std::to_string(std::random_device{}()) + "-"
                   + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes the bytes exactly as given and returns the file's path as text.
    std::string write(const std::string& name, std::string_view contents) const
    {
        const auto file = path_ / name;
        std::ofstream stream(file, std::ios::binary | std::ios::trunc);
        stream.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return file.string();
    }

private:
    std::filesystem::path path_;
};

} // namespace velmora::test
