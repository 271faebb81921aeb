// Load and save of a full-size image (1 MiB of program memory: 65,536 data records, plus
// EEPROM, IDs and configuration) against srec_cat reading and rewriting the same file,
// and the floor of merely reading its lines. Medians of repeated warm runs, with the
// files in a memory file system (when there is one) and on the disk.
//
//   bench_hexfile                  run the comparison
//   bench_hexfile --convert IN OUT one load and save, for timing as a whole process

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "devicedata/DeviceImage.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/SaveHexFile.h"

extern char** environ;

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

constexpr std::int32_t kProgramSize = 0x100000;
constexpr std::int32_t kEepromSize = 0x1000;
constexpr int kRuns = 15;
constexpr double kTargetRatio = 5.0;
constexpr std::size_t kChunk = 256 * 1024;

class CountingMessages final : public UserMessages {
public:
    int count = 0;
    MessageButton showMessage(MessageKind, const std::string& text, MessageButtons) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        ++count;
        return ButtonOk;
    }
};

std::unique_ptr<DeviceImage> fullImage()
{
    auto image = std::make_unique<DeviceImage>();
    DeviceRecord record;
    record.name = "BENCH";
    record.programMemorySize = kProgramSize;
    record.eepromSize = kEepromSize;
    image->SelectDevice(record);
    image->ClearImage(true);
    return image;
}

double medianMilliseconds(const std::function<void()>& run)
{
    run(); // warm the cache and the allocator
    std::vector<double> times;
    for (int index = 0; index < kRuns; ++index) {
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool runProcess(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The least any line-based reader does: read the file in big chunks and find every LF.
std::size_t countLines(const std::string& path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::vector<char> chunk(kChunk);
    std::size_t lines = 0;
    for (ssize_t count; (count = ::read(file, chunk.data(), chunk.size())) > 0;) {
        const char* end = chunk.data() + count;
        for (const char* at = chunk.data(); (at = static_cast<const char*>(std::memchr(at, '\n', end - at))); ++at)
            ++lines;
    }
    ::close(file);
    return lines;
}

std::size_t getlineLines(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    std::size_t lines = 0;
    while (std::getline(file, line))
        ++lines;
    return lines;
}

int convert(const std::string& input, const std::string& output)
{
    auto image = fullImage();
    CountingMessages messages;
    LoadHexFile(*image, input, messages);
    SaveHexFile(*image, output, messages);
    return messages.count == 0 ? 0 : 1;
}

std::string selfPath()
{
    return std::filesystem::read_symlink("/proc/self/exe").string();
}

// Runs the comparison with its files in folder; true when the target is met.
bool compareIn(const std::filesystem::path& base, const char* label)
{
    const std::filesystem::path folder = base / ("velmora-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string input = (folder / "full.hex").string();
    const std::string ours = (folder / "ours.hex").string();
    const std::string theirs = (folder / "srec.hex").string();

    auto image = fullImage();
    for (std::int32_t index = 0; index < kProgramSize; ++index)
        image->image.programMemory[index] = static_cast<std::uint8_t>(index * 7 + (index >> 8));
    for (std::int32_t index = 0; index < kEepromSize; ++index)
        image->image.eeprom[index] = static_cast<std::uint8_t>(index);
    CountingMessages messages;
    SaveHexFile(*image, input, messages);
    std::printf("== files in %s (%s): %ju bytes, %zu lines\n", folder.c_str(), label,
                static_cast<std::uintmax_t>(std::filesystem::file_size(input)), countLines(input));

    auto loaded = fullImage();
    const double load = medianMilliseconds([&] { LoadHexFile(*loaded, input, messages); });
    const double save = medianMilliseconds([&] { SaveHexFile(*loaded, ours, messages); });
    const double loadSave = medianMilliseconds([&] {
        LoadHexFile(*loaded, input, messages);
        SaveHexFile(*loaded, ours, messages);
    });
    const std::string self = selfPath();
    const double ownProcess = medianMilliseconds([&] { runProcess({self, "--convert", input, ours}); });
    const double floor = medianMilliseconds([&] { countLines(input); });
    const double getlineFloor = medianMilliseconds([&] { getlineLines(input); });

    std::printf("ours, in process:    load %.2f ms, save %.2f ms (incl. fsync), load+save %.2f ms\n", load, save,
                loadSave);
    std::printf("ours, whole process: load+save %.2f ms\n", ownProcess);
    std::printf("line-reading floor:  %.2f ms (chunks + memchr), %.2f ms (std::getline)\n", floor, getlineFloor);

    bool met = messages.count == 0;
    const std::vector<std::string> srecCat = {"srec_cat", "-disable-sequence-warnings", input, "-intel", "-o", theirs,
                                              "-intel"};
    if (!runProcess(srecCat)) {
        std::printf("srec_cat not found or failed: comparison skipped\n");
    } else {
        const double srec = medianMilliseconds([&] { runProcess(srecCat); });
        const double ratio = srec / ownProcess;
        std::printf("srec_cat, whole process: read+write %.2f ms\n", srec);
        std::printf("ratio srec_cat / ours: %.1fx whole process, %.1fx in process; ours / floor: %.1fx\n", ratio,
                    srec / loadSave, loadSave / floor);
        std::printf("target (ours at least %.0fx faster, whole process): %s\n", kTargetRatio,
                    ratio >= kTargetRatio ? "met" : "MISSED");
        met = met && ratio >= kTargetRatio;
    }
    std::filesystem::remove_all(folder);
    return met;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--convert") == 0)
        return convert(argv[2], argv[3]);
    // On a disk the save's fsync waits for the device, which srec_cat never does; in a
    // memory file system both do the same work, which is what the target is about.
    const char* memoryFolder = "/dev/shm";
    const bool inMemory = std::filesystem::is_directory(memoryFolder) && compareIn(memoryFolder, "memory");
    const bool onDisk = compareIn(std::filesystem::temp_directory_path(), "disk, fsync included");
    return (inMemory || onDisk) ? 0 : 1;
}
