#include "cli/DeviceFileLayout.h"

#include <optional>
#include <set>

#include "devicedata/IniSyntax.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/TextLines.h"

namespace velmora::cli {

DeviceFileLayout layoutOf(std::string_view text)
{
    DeviceFileLayout layout;
    std::set<std::string> sectionsSeen;
    std::optional<std::string> section;   // lower-cased; empty while in a later duplicate
    bool beforeSections = true;
    int number = 0;
    ForEachLine(text, [&](std::string_view line) {
        ++number;
        const std::string_view deviceName = DeviceHeaderName(line);
        const std::optional<std::string_view> iniName = IniHeaderName(line);
        if (!deviceName.empty())
            layout.headers.push_back({number, std::string(deviceName), iniName.has_value()});
        if (iniName) {
            const std::string lowered = IniLowerCased(*iniName);
            const bool first = sectionsSeen.insert(lowered).second;
            section = first ? std::optional<std::string>(lowered) : std::nullopt;
            beforeSections = false;
            return;
        }
        const std::string_view content = IniTrimmed(line);
        const std::size_t equals = content.find('=');
        // A comment line with an "=" is a key to the lookup too, but one nobody asks for.
        if (equals == std::string_view::npos || content.starts_with(';'))
            return;
        const std::string_view key = IniTrimmed(content.substr(0, equals));
        if (key.empty())
            return;
        if (beforeSections)
            layout.keysBeforeSections.emplace_back(number, std::string(key));
        if (!section)
            return;
        if (layout.keyLines.try_emplace({*section, IniLowerCased(key)}, number).second)
            layout.keysOf[*section].emplace_back(number, std::string(key));
    });
    return layout;
}

} // namespace velmora::cli
