// A database of 100,000 sections, loaded from disk and walked in file order as
// `velmora-cli devices` and `--device NAME` walk it. Target: well under a second for
// both together; median of warm runs, in processor time (the wall time is printed too:
// on a shared machine it mostly measures the neighbours).

#include <algorithm>
#include <chrono>
#include <ctime>
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

struct Timing {
    double processor = -1;
    double wall = -1;
};

Timing oneRun(const std::filesystem::path& path)
{
    const auto start = Clock::now();
    const std::clock_t processorStart = std::clock();
    DeviceList list;
    if (!LoadDeviceList(list, path))
        return {};
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
        return {};
    return {static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC,
            std::chrono::duration<double>(Clock::now() - start).count()};
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
    std::vector<double> processor;
    std::vector<double> wall;
    for (int run = 0; run < kRuns; ++run) {
        const Timing timing = oneRun(path);
        processor.push_back(timing.processor);
        wall.push_back(timing.wall);
    }
    std::filesystem::remove(path);
    std::sort(processor.begin(), processor.end());
    std::sort(wall.begin(), wall.end());
    const double median = processor[kRuns / 2];
    std::printf("device list: %d sections loaded and walked twice in %.3f s of processor time, %.3f s wall "
                "(medians of %d; target %.1f s): %s\n",
                kSections, median, wall[kRuns / 2], kRuns, kTargetSeconds,
                median >= 0 && median < kTargetSeconds ? "met" : "MISSED");
    return median >= 0 && median < kTargetSeconds ? 0 : 1;
}
