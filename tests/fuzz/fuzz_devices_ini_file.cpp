// Arbitrary bytes as a Devices.ini on disk, through the same bounded reader the
// programs use, with a limit that moves around the input's size: the load agrees with
// the loader on the text in memory, a refusal always says why, and a file over the
// limit is never read in part.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

#include "devicedata/FileText.h"
#include "devicedata/IniFile.h"
#include "devicedata/LoadDeviceList.h"

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// One file for the whole run, removed when libFuzzer exits.
struct ScratchFile {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("velmora-fuzz-devices-" + std::to_string(::getpid()) + ".ini");
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

const std::filesystem::path& scratchFile()
{
    static const ScratchFile file;
    return file.path;
}

bool writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path& path = scratchFile();
    if (!writeFile(path, text))
        return 0;

    // Limits just below, at and above the size, and the programs' own.
    const std::size_t limits[] = {size == 0 ? 0 : size - 1, size, size + 1, kTextFileSizeLimit};
    const std::size_t limit = limits[size % std::size(limits)];
    std::string read;
    const FileReadStatus status = ReadFileText(path, read, limit);
    check(status == (size > limit ? FileReadStatus::TooLarge : FileReadStatus::Read));
    check(status == FileReadStatus::Read ? read == text : read.empty());

    DeviceList fromFile;
    DeviceList fromText;
    std::string fileProblem;
    std::string textProblem;
    const bool loaded = LoadDeviceList(fromFile, path, &fileProblem);
    check(loaded == BuildDeviceList(fromText, text, &textProblem));
    check(fromFile.Count() == fromText.Count());
    check(loaded ? fileProblem.empty() : fileProblem == path.string() + ", " + textProblem);
    check(loaded || textProblem.starts_with("line "));

    IniFile ini;
    check(ini.load(path) == FileReadStatus::Read);
    return 0;
}
