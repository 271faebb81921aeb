// The bounded reader where no POSIX calls exist: the standard library's streams, with
// their exceptions caught.

#include "devicedata/FileText.h"

#include <fstream>
#include <system_error>

namespace velmora {

FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents, std::size_t limit)
{
    contents.clear();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileReadStatus::Missing;
    if (error)
        return FileReadStatus::Unreadable;
    if (!std::filesystem::is_regular_file(status))
        return FileReadStatus::NotRegularFile;
    try {
        std::ifstream stream(path, std::ios::binary);
        if (!stream)
            return FileReadStatus::Unreadable;
        std::string text;
        char chunk[64 * 1024];
        while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
            text.append(chunk, static_cast<std::size_t>(stream.gcount()));
            if (text.size() > limit)
                return FileReadStatus::TooLarge;
        }
        if (stream.bad())
            return FileReadStatus::Unreadable;
        contents = std::move(text);
        return FileReadStatus::Read;
    } catch (const std::exception&) {
        return FileReadStatus::Unreadable;
    }
}

} // namespace velmora
