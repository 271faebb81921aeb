#pragma once
// Splits text into lines the way a text-file reader does: a line ends at CR LF,
// at LF or at a lone CR; the ends are not part of the line. A UTF-8 byte-order mark
// at the very start, as editors on Windows write it, belongs to no line. Other bytes,
// NUL included, are ordinary characters.

#include <string_view>

namespace velmora {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

inline bool StartsWithByteOrderMark(std::string_view text)
{
    return text.starts_with(kUtf8ByteOrderMark);
}

template <typename LineHandler>
void ForEachLine(std::string_view text, LineHandler&& handle)
{
    std::size_t start = StartsWithByteOrderMark(text) ? kUtf8ByteOrderMark.size() : 0;
    while (start < text.size()) {
        // A plain scan: find_first_of calls memchr once per character.
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        if (end == text.size()) {
            handle(text.substr(start));
            return;
        }
        handle(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

} // namespace velmora
