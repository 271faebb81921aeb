#pragma once
// A read-only INI file with the lookup rules of the Windows profile functions
// (GetPrivateProfileStringA with a 2,048-byte buffer):
// - section and key names compare without regard to ASCII case;
// - the first section of a name supplies all its values, later ones are ignored;
//   within a section the first line of a key wins;
// - a section header is a line whose first non-blank character is "[" and that
//   has a "]"; the name is the text between the "[" and the first "]", verbatim;
// - a key line is "key = value": the key and the value are trimmed of spaces and
//   tabs, then one pair of matching surrounding quotes (" or ') is removed;
// - a value comes back truncated to 2,047 bytes, as the buffer would hold it.
// Lines end at CR LF, LF or CR; a leading UTF-8 byte-order mark is skipped. Nothing
// else is special: there is no comment syntax, so a ";" line with an "=" is just a key
// no one asks for.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "devicedata/FileText.h"

namespace velmora {

class IniFile {
public:
    static constexpr std::size_t kProfileBufferSize = 2048;
    // The longest value that reads back whole; the buffer holds its terminating NUL too.
    static constexpr std::size_t kLongestValue = kProfileBufferSize - 1;

    // Replaces the contents with the file's. A file that is not read (missing, not a
    // regular file, too large, unreadable) leaves the INI empty: every lookup gives its default.
    FileReadStatus load(const std::filesystem::path& path);
    // Replaces the contents with the parsed text.
    void loadText(std::string_view text);

    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // The integer syntax of ParseInteger; missing or unparsable gives the default.
    std::int32_t getInteger(std::string_view section, std::string_view key,
                            std::int32_t defaultValue) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    // The section's key names, lower-cased, sorted; none for a section that is not there.
    std::vector<std::string> keyNames(std::string_view section) const;
    // An integer: 0 is false, any other number true; missing or unparsable gives the default.
    bool getBool(std::string_view section, std::string_view key, bool defaultValue) const;

private:
    using Values = std::unordered_map<std::string, std::string>;
    const std::string* find(std::string_view section, std::string_view key) const;

    // Keyed by lower-cased names.
    std::unordered_map<std::string, Values> sections_;
};

} // namespace velmora
