// A database of 100,000 sections, loaded from disk and walked in file order as
// `velmora-cli devices` and `--device NAME` walk it. Target: well under a second for
// both together; median of warm runs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

constexpr int kSections = 100000;
constexpr int kRuns = 5;
constexpr double kTargetSeconds = 0.5;

double oneRun(const std::filesystem::path& path)
{
    const auto start = Clock::now();
    DeviceList list;
    if (!LoadDeviceList(list, path))
        return -1;
    std::size_t names = 0;
    list.MoveTo(0);
    for (std::int32_t i = 0; i < list.Count(); ++i)
        names += list.CopyCurrentAndAdvance().name.size();
    // The lookup of a device near the end, then the move back to it.
    std::int32_t index = 0;
    list.MoveTo(0);
    while (index < list.Count() && list.CopyCurrentAndAdvance().name != "D99990")
        ++index;
    list.MoveTo(index);
    if (names == 0 || list.CopyCurrent().name != "D99990")
        return -1;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main()
{
    const auto path = std::filesystem::temp_directory_path() / "velmora-bench-devices.ini";
    {
        std::ofstream file(path, std::ios::binary);
        for (int i = 0; i < kSections; ++i)
            file << "[D" << i << "]\r\nProgMemSize=32768\r\nEEPROMDataMemSize=256\r\n";
    }
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run)
        seconds.push_back(oneRun(path));
    std::filesystem::remove(path);
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[kRuns / 2];
    std::printf("device list: %d sections loaded and walked twice in %.3f s (median of %d; target %.1f s)\n",
                kSections, median, kRuns, kTargetSeconds);
    return median >= 0 && median < kTargetSeconds ? 0 : 1;
}
