#include "platform/ReadRegularFile.h"

#include <optional>

#include "platform/RegularFile.h"

namespace velmora::platform {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

ReadStatus openFailure(OpenStatus status)
{
    switch (status) {
    case OpenStatus::Missing: return ReadStatus::Missing;
    case OpenStatus::NotRegularFile: return ReadStatus::NotRegularFile;
    case OpenStatus::Opened:
    case OpenStatus::Failed: break;
    }
    return ReadStatus::Unreadable;
}

} // namespace

ReadStatus readRegularFile(const std::filesystem::path& path, std::string& contents, std::error_code& error,
                           std::size_t limit)
{
    contents.clear();
    error.clear();
    RegularFile file;
    const OpenStatus opened = file.open(path, error);
    if (opened != OpenStatus::Opened)
        return openFailure(opened);

    // No size is asked for first: files under /proc say 0 and hold more.
    std::string text;
    for (;;) {
        const std::size_t used = text.size();
        text.resize(used + kChunk);
        const std::optional<std::size_t> count = file.read({text.data() + used, kChunk}, error);
        if (!count)
            return ReadStatus::Unreadable;
        text.resize(used + *count);
        if (text.size() > limit)
            return ReadStatus::TooLarge;
        if (*count == 0)
            break;
    }
    contents = std::move(text);
    return ReadStatus::Read;
}

} // namespace velmora::platform
