#include "tests/hexfile/HexTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora::test {

MessageButton MessageRecorder::showMessage(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    shown.push_back({kind, text, buttons});
    if ((buttons & ButtonYes) != 0)
        return questionAnswer;
    return ButtonOk;
}

std::unique_ptr<DeviceImage> MakeImage(std::int32_t programSize, std::int32_t eepromSize)
{
    auto image = std::make_unique<DeviceImage>();
    DeviceRecord record;
    record.name = "TEST";
    record.programMemorySize = programSize;
    record.eepromSize = eepromSize;
    image->SelectDevice(record);
    image->ClearImage(true);
    return image;
}

void FillPattern(DeviceImage& image, unsigned seed)
{
    unsigned state = seed * 2654435761u + 1;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<std::uint8_t>(state >> 16);
    };
    MemoryImage& memory = image.image;
    std::generate(std::begin(memory.programMemory), std::begin(memory.programMemory) + memory.programMemorySize, next);
    std::generate(std::begin(memory.eeprom), std::begin(memory.eeprom) + memory.eepromSize, next);
    std::generate(std::begin(memory.ids), std::end(memory.ids), next);
    std::generate(std::begin(memory.config), std::end(memory.config), next);
}

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-hexfile-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::vector<std::string> ScratchFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

void WriteWholeFile(const std::string& path, const std::string& contents)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
}

ProcessResult RunProgram(const std::vector<std::string>& arguments)
{
    ScratchFolder capture;
    const std::string outputPath = capture.path("stdout");
    const std::string errorPath = capture.path("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    ProcessResult result;
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    int status = 0;
    if (::waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.output = ReadWholeFile(outputPath);
    result.errors = ReadWholeFile(errorPath);
    return result;
}

} // namespace velmora::test
