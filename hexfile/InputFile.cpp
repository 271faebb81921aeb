#include "hexfile/InputFile.h"

#include "platform/Utf8Path.h"

namespace velmora {

bool InputFile::open(const std::string& path)
{
    close();
    const auto native = platform::pathFromUtf8(path);
    std::error_code ignored;
    return native && file_.open(*native, ignored) == platform::OpenStatus::Opened;
}

std::optional<std::size_t> InputFile::read(std::span<char> buffer)
{
    std::error_code ignored;
    return file_.read(buffer, ignored);
}

} // namespace velmora
