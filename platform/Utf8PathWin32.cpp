#include "platform/Utf8Path.h"

#include <climits>
#include <windows.h>

namespace velmora::platform {

std::optional<std::wstring> widePath(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    if (utf8.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    const int inputLength = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inputLength, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inputLength, wide.data(), length) != length)
        return std::nullopt;
    return wide;
}

} // namespace velmora::platform
