#include "devicedata/IniFile.h"

#include <algorithm>

#include "devicedata/IntegerText.h"
#include "devicedata/TextLines.h"

namespace velmora {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view withoutQuotes(std::string_view value)
{
    if (value.size() < 2)
        return value;
    const char first = value.front();
    if ((first == '"' || first == '\'') && value.back() == first)
        return value.substr(1, value.size() - 2);
    return value;
}

std::string lowerCased(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return result;
}

std::string truncatedToBuffer(std::string_view value)
{
    return std::string(value.substr(0, IniFile::kProfileBufferSize - 1));
}

} // namespace

FileReadStatus IniFile::load(const std::filesystem::path& path)
{
    std::string text;
    const FileReadStatus status = ReadFileText(path, text);
    loadText(text);
    return status;
}

void IniFile::loadText(std::string_view text)
{
    sections_.clear();
    // Keys go to the first section of a name only; null while in a later duplicate.
    Values* current = nullptr;
    ForEachLine(text, [&](std::string_view line) {
        const std::string_view content = trimmed(line);
        if (content.starts_with('[')) {
            const std::size_t close = content.find(']');
            if (close == std::string_view::npos)
                return;
            const auto [entry, inserted] = sections_.try_emplace(lowerCased(content.substr(1, close - 1)));
            current = inserted ? &entry->second : nullptr;
            return;
        }
        const std::size_t equals = content.find('=');
        if (current == nullptr || equals == std::string_view::npos)
            return;
        const std::string_view key = trimmed(content.substr(0, equals));
        if (key.empty())
            return;
        const std::string_view value = withoutQuotes(trimmed(content.substr(equals + 1)));
        current->try_emplace(lowerCased(key), value);
    });
}

const std::string* IniFile::find(std::string_view section, std::string_view key) const
{
    const auto values = sections_.find(lowerCased(section));
    if (values == sections_.end())
        return nullptr;
    const auto value = values->second.find(lowerCased(key));
    if (value == values->second.end())
        return nullptr;
    return &value->second;
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const
{
    const std::string* value = find(section, key);
    return truncatedToBuffer(value ? std::string_view(*value) : defaultValue);
}

std::int32_t IniFile::getInteger(std::string_view section, std::string_view key,
                                 std::int32_t defaultValue) const
{
    const std::string* value = find(section, key);
    if (value == nullptr)
        return defaultValue;
    return ParseInteger(truncatedToBuffer(*value)).value_or(defaultValue);
}

bool IniFile::getBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    const std::string* value = find(section, key);
    if (value == nullptr)
        return defaultValue;
    const auto number = ParseInteger(truncatedToBuffer(*value));
    if (!number)
        return defaultValue;
    return *number != 0;
}

} // namespace velmora
