#pragma once
// A fresh path in the system's temporary folder for one test, removed afterwards.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

namespace velmora::test {

class TempPath {
public:
    explicit TempPath(const std::string& suffix)
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path()
            / ("velmora-sim-" + std::to_string(::getpid()) + "-" + info->name() + suffix);
        std::filesystem::remove(path_);
    }
    ~TempPath()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        std::filesystem::remove(path_.string() + ".tmp", ignored);
    }
    TempPath(const TempPath&) = delete;
    TempPath& operator=(const TempPath&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string string() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

} // namespace velmora::test
