#include "ui/IniTextEditor.h"

#include <algorithm>

#include "devicedata/TextLines.h"

namespace velmora {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

bool isHeader(std::string_view line)
{
    const std::string_view content = trimmed(line);
    return content.starts_with('[') && content.find(']') != std::string_view::npos;
}

std::string_view headerName(std::string_view line)
{
    const std::string_view content = trimmed(line);
    return content.substr(1, content.find(']') - 1);
}

bool isKeyLine(std::string_view line, std::string_view key)
{
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && sameName(trimmed(line.substr(0, equals)), key);
}

} // namespace

IniTextEditor::IniTextEditor(std::string_view text)
{
    ForEachLine(text, [this](std::string_view line) { lines_.emplace_back(line); });
}

std::size_t IniTextEditor::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (isHeader(lines_[i]) && sameName(headerName(lines_[i]), section))
            return i;
    }
    return lines_.size();
}

std::size_t IniTextEditor::sectionEnd(std::size_t header) const
{
    std::size_t end = header + 1;
    while (end < lines_.size() && !isHeader(lines_[end]))
        ++end;
    return end;
}

void IniTextEditor::set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line(key);
    line += '=';
    line += value;

    const std::size_t header = findSection(section);
    if (header == lines_.size()) {
        if (!lines_.empty() && !trimmed(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        return;
    }
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (isKeyLine(lines_[i], key)) {
            lines_[i] = std::move(line);
            return;
        }
    }
    // After the section's last non-blank line, so a blank separator stays a separator.
    std::size_t insertAt = end;
    while (insertAt > header + 1 && trimmed(lines_[insertAt - 1]).empty())
        --insertAt;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string IniTextEditor::text() const
{
    std::string result;
    for (const std::string& line : lines_) {
        result += line;
        result += "\r\n";
    }
    return result;
}

} // namespace velmora
