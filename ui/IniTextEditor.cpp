#include "ui/IniTextEditor.h"


#include "devicedata/IniSyntax.h"
#include "devicedata/TextLines.h"

namespace velmora {

namespace {

bool isKeyLine(std::string_view line, std::string_view key)
{
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && IniNamesEqual(IniTrimmed(line.substr(0, equals)), key);
}

} // namespace

IniTextEditor::IniTextEditor(std::string_view text) : byteOrderMark_(StartsWithByteOrderMark(text))
{
    ForEachLine(text, [this](std::string_view line) { lines_.emplace_back(line); });
}

std::size_t IniTextEditor::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::optional<std::string_view> name = IniHeaderName(lines_[i]);
        if (name && IniNamesEqual(*name, section))
            return i;
    }
    return lines_.size();
}

std::size_t IniTextEditor::sectionEnd(std::size_t header) const
{
    std::size_t end = header + 1;
    while (end < lines_.size() && !IniHeaderName(lines_[end]))
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
        if (!lines_.empty() && !IniTrimmed(lines_.back()).empty())
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
    while (insertAt > header + 1 && IniTrimmed(lines_[insertAt - 1]).empty())
        --insertAt;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string IniTextEditor::text() const
{
    std::string result(byteOrderMark_ ? kUtf8ByteOrderMark : std::string_view());
    for (const std::string& line : lines_) {
        result += line;
        result += "\r\n";
    }
    return result;
}

} // namespace velmora
