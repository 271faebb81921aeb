#include "devicedata/FileText.h"

namespace velmora {

FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents, std::size_t limit)
{
    std::error_code ignored;
    return ReadFileText(path, contents, ignored, limit);
}

FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents, std::error_code& error,
                            std::size_t limit)
{
    return platform::readRegularFile(path, contents, error, limit);
}

std::string FileReadProblem(FileReadStatus status, std::size_t limit)
{
    switch (status) {
    case FileReadStatus::Read: return {};
    case FileReadStatus::Missing: return "no such file";
    case FileReadStatus::NotRegularFile: return "not a regular file";
    case FileReadStatus::TooLarge:
        return "larger than " + std::to_string(limit) + " bytes, the most this program reads from it";
    case FileReadStatus::Unreadable: break;
    }
    return "cannot be read";
}

} // namespace velmora
