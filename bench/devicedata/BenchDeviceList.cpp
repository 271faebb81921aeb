// A database of 100,000 sections, loaded from disk and walked in file order as
// `velmora-cli devices` and `--device NAME` walk it. Target: well under a second for
// both together; median of warm runs, in processor time (the wall time is printed too:
// on a shared machine it mostly measures the neighbours).
// Then `velmora-cli check-devices` on 100,000 sections that all give the same DeviceID,
// the worst case for finding shared IDs. Target: a few seconds.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/DeviceFileCheck.h"
#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

constexpr int kSections = 100000;
constexpr int kRuns = 5;
constexpr double kTargetSeconds = 0.5;
constexpr double kCheckTargetSeconds = 3.0;
constexpr int kCheckWarnings = 1;   // check-devices' status for warnings only

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

Timing oneCheck(const std::filesystem::path& path)
{
    const auto start = Clock::now();
    const std::clock_t processorStart = std::clock();
    std::FILE* out = std::tmpfile();
    if (out == nullptr)
        return {};
    // One finding naming every section: nothing else may be reported.
    const int status = velmora::cli::checkDeviceFile(path, false, out);
    const long printed = std::ftell(out);
    std::fclose(out);
    if (status != kCheckWarnings || printed < kSections * 10)
        return {};
    return {static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC,
            std::chrono::duration<double>(Clock::now() - start).count()};
}

template <typename Run>
Timing medians(Run run, const std::filesystem::path& path)
{
    std::vector<double> processor;
    std::vector<double> wall;
    for (int i = 0; i < kRuns; ++i) {
        const Timing timing = run(path);
        processor.push_back(timing.processor);
        wall.push_back(timing.wall);
    }
    std::sort(processor.begin(), processor.end());
    std::sort(wall.begin(), wall.end());
    return {processor[kRuns / 2], wall[kRuns / 2]};
}

bool report(const char* what, const Timing& timing, double target)
{
    const bool met = timing.processor >= 0 && timing.processor < target;
    std::printf("%s in %.3f s of processor time, %.3f s wall (medians of %d; target %.1f s): %s\n", what,
                timing.processor, timing.wall, kRuns, target, met ? "met" : "MISSED");
    return met;
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
    const auto checked = std::filesystem::temp_directory_path() / "velmora-bench-check-devices.ini";
    {
        std::ofstream file(checked, std::ios::binary);
        for (int i = 0; i < kSections; ++i)
            file << "[D" << i << "]\r\nProgMemSize=32768\r\nEEPROMDataMemSize=256\r\nDeviceID=0x0420\r\n";
    }
    const Timing load = medians(oneRun, path);
    const Timing check = medians(oneCheck, checked);
    std::filesystem::remove(path);
    std::filesystem::remove(checked);
    const bool loadMet = report("device list: 100000 sections loaded and walked twice", load, kTargetSeconds);
    const bool checkMet =
        report("check-devices: 100000 sections sharing one DeviceID checked", check, kCheckTargetSeconds);
    return loadMet && checkMet ? 0 : 1;
}
