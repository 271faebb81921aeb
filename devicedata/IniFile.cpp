#include "devicedata/IniFile.h"

#include <algorithm>

#include "devicedata/IniSyntax.h"
#include "devicedata/IntegerText.h"
#include "devicedata/TextLines.h"

namespace velmora {

namespace {

std::string_view withoutQuotes(std::string_view value)
{
    if (value.size() < 2)
        return value;
    const char first = value.front();
    if ((first == '"' || first == '\'') && value.back() == first)
        return value.substr(1, value.size() - 2);
    return value;
}

std::string truncatedToBuffer(std::string_view value)
{
    return std::string(value.substr(0, IniFile::kLongestValue));
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
        const std::string_view content = IniTrimmed(line);
        if (content.starts_with('[')) {
            const std::optional<std::string_view> name = IniHeaderName(content);
            if (!name)
                return;
            const auto [entry, inserted] = sections_.try_emplace(IniLowerCased(*name));
            current = inserted ? &entry->second : nullptr;
            return;
        }
        const std::size_t equals = content.find('=');
        if (current == nullptr || equals == std::string_view::npos)
            return;
        const std::string_view key = IniTrimmed(content.substr(0, equals));
        if (key.empty())
            return;
        const std::string_view value = withoutQuotes(IniTrimmed(content.substr(equals + 1)));
        current->try_emplace(IniLowerCased(key), value);
    });
}

const std::string* IniFile::find(std::string_view section, std::string_view key) const
{
    const auto values = sections_.find(IniLowerCased(section));
    if (values == sections_.end())
        return nullptr;
    const auto value = values->second.find(IniLowerCased(key));
    if (value == values->second.end())
        return nullptr;
    return &value->second;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const
{
    return find(section, key) != nullptr;
}

std::vector<std::string> IniFile::keyNames(std::string_view section) const
{
    std::vector<std::string> names;
    const auto values = sections_.find(IniLowerCased(section));
    if (values == sections_.end())
        return names;
    for (const auto& entry : values->second)
        names.push_back(entry.first);
    std::ranges::sort(names);
    return names;
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
