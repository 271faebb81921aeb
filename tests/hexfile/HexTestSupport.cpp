#include "tests/hexfile/HexTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#if !defined(_WIN32)
#  include <sys/wait.h>
#endif

namespace velmora::test {

namespace {

std::unique_ptr<DeviceImage> makeCleared(const DeviceRecord& record)
{
    auto image = std::make_unique<DeviceImage>();
    image->SelectDevice(record);
    image->ClearImage(true);
    return image;
}

} // namespace

std::unique_ptr<DeviceImage> MakeImage(std::int32_t programSize, std::int32_t eepromSize)
{
    DeviceRecord record;
    record.programMemorySize = programSize;
    record.eepromSize = eepromSize;
    return makeCleared(record);
}

std::unique_ptr<DeviceImage> MakeFlashConfigImage(std::int32_t flashSize)
{
    DeviceRecord record;
    record.programMemorySize = flashSize;
    record.configType = 3;
    record.family = ProgrammingFamily::J2X4X;
    return makeCleared(record);
}

void FillPattern(DeviceImage& image, unsigned seed)
{
    auto next = [&seed] { return static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 16); };
    MemoryImage& memory = image.image;
    std::generate_n(memory.programMemory, memory.programMemorySize, next);
    std::generate_n(memory.eeprom, memory.eepromSize, next);
    std::generate(std::begin(memory.ids), std::end(memory.ids), next);
    std::generate(std::begin(memory.config), std::end(memory.config), next);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ostringstream contents;
    contents << std::ifstream(path, std::ios::binary).rdbuf();
    return contents.str();
}

ToolRun RunTool(const std::vector<std::string>& arguments)
{
    std::string command;
    for (const std::string& argument : arguments) {
        command += " '";
        for (char c : argument)
            command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += "'";
    }
    command += " 2>&1 </dev/null";
#if defined(_WIN32)
    // The outside tools are Linux programs; the Windows build finds none (see CMakeLists).
    return {-1, "no outside tools on Windows"};
#else
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return {-1, "popen failed"};
    ToolRun run{-1, {}};
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) != 0;)
        run.printed.append(buffer, count);
    const int status = ::pclose(pipe);
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    return run;
#endif
}

} // namespace velmora::test
