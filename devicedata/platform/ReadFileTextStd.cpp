// The bounded reader where no POSIX calls exist: the standard library's streams, with
// their exceptions caught.

#include "devicedata/FileText.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace velmora {

namespace {

// The streams keep no reason of their own; the C library's errno is the best there is.
FileReadStatus streamFailure(std::error_code& error)
{
    error.assign(errno != 0 ? errno : EIO, std::generic_category());
    return FileReadStatus::Unreadable;
}

} // namespace

FileReadStatus ReadFileText(const std::filesystem::path& path, std::string& contents, std::error_code& error,
                            std::size_t limit)
{
    contents.clear();
    error.clear();
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileReadStatus::Missing;
    if (error)
        return FileReadStatus::Unreadable;
    if (!std::filesystem::is_regular_file(status))
        return FileReadStatus::NotRegularFile;
    try {
        errno = 0;
        std::ifstream stream(path, std::ios::binary);
        if (!stream)
            return streamFailure(error);
        std::string text;
        char chunk[64 * 1024];
        while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
            text.append(chunk, static_cast<std::size_t>(stream.gcount()));
            if (text.size() > limit)
                return FileReadStatus::TooLarge;
        }
        if (stream.bad())
            return streamFailure(error);
        contents = std::move(text);
        return FileReadStatus::Read;
    } catch (const std::exception&) {
        return streamFailure(error);
    }
}

} // namespace velmora
