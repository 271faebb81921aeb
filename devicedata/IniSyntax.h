#pragma once
// The small pieces of INI grammar that the reader and the settings writer must agree
// on: blanks, case-blind names and what makes a line a section header.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

inline std::string_view IniTrimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

inline char IniLowerCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string IniLowerCased(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), IniLowerCase);
    return result;
}

inline bool IniNamesEqual(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return IniLowerCase(x) == IniLowerCase(y); });
}

// The section name of a header line ("[" first after blanks, then a "]"), verbatim.
inline std::optional<std::string_view> IniHeaderName(std::string_view line)
{
    const std::string_view content = IniTrimmed(line);
    if (!content.starts_with('['))
        return std::nullopt;
    const std::size_t close = content.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return content.substr(1, close - 1);
}

} // namespace velmora
