#pragma once
// Where things stand in a device database: every line the loader takes for a device
// header, and the line of each key in the first section of each name, so that a
// report can point at the line a value came from.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::cli {

struct DeviceHeader {
    int line;           // 1-based
    std::string name;
    bool iniSection;    // also a section header for the key lookup (not behind a ";", say)
};

struct DeviceFileLayout {
    std::vector<DeviceHeader> headers;
    // Lower-cased section and key names to the line of the key's first occurrence.
    std::map<std::pair<std::string, std::string>, int> keyLines;
    // Lower-cased section name to its keys as written, with their lines.
    std::map<std::string, std::vector<std::pair<int, std::string>>> keysOf;
    // Keys above the first section header, which belong to no device, with their lines.
    std::vector<std::pair<int, std::string>> keysBeforeSections;
};

DeviceFileLayout layoutOf(std::string_view text);

} // namespace velmora::cli
