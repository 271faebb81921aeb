#pragma once
// Sets keys in the text of an INI file the way the profile functions write them: an
// existing key line is replaced in place, a new key goes to the end of its section, a
// new section to the end of the file. Everything else in the file (other sections,
// keys and comment lines a user added) is kept as it was, a leading byte-order mark too.

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class IniTextEditor {
public:
    explicit IniTextEditor(std::string_view text);

    void set(std::string_view section, std::string_view key, std::string_view value);
    // Lines joined with CR LF, the last one terminated too.
    std::string text() const;

private:
    // Index of the first header line of the section, or the line count when missing.
    std::size_t findSection(std::string_view section) const;
    // One past the last line that belongs to the section starting at header.
    std::size_t sectionEnd(std::size_t header) const;

    std::vector<std::string> lines_;
    bool byteOrderMark_ = false;
};

} // namespace velmora
