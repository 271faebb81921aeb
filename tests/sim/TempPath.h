#pragma once
// A fresh path in the system's temporary folder for one test, removed afterwards.

#include <chrono>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace velmora::test {

class TempPath {
public:
    explicit TempPath(const std::string& suffix)
    {
        // The test's name and the clock keep parallel runs of the suite apart.
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path()
            / ("velmora-sim-" + std::string(info->name()) + "-" + std::to_string(stamp) + suffix);
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
