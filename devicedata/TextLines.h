#pragma once
// Splits text into lines the way a text-file reader does: a line ends at CR LF,
// at LF or at a lone CR; the ends are not part of the line. Other bytes, NUL
// included, are ordinary characters.

#include <string_view>

namespace velmora {

template <typename LineHandler>
void ForEachLine(std::string_view text, LineHandler&& handle)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
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
