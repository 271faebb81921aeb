#include "devicedata/FileText.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace velmora {

FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents)
{
    contents.clear();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileReadStatus::Missing;
    // Opening a directory as a stream succeeds on some platforms; reading it never makes sense.
    if (error || std::filesystem::is_directory(status))
        return FileReadStatus::Unreadable;

    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return FileReadStatus::Unreadable;
    std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    if (stream.bad())
        return FileReadStatus::Unreadable;
    contents = std::move(text);
    return FileReadStatus::Read;
}

} // namespace velmora
