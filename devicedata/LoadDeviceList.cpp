#include "devicedata/LoadDeviceList.h"

#include <string>
#include <string_view>
#include <vector>

#include "devicedata/FileText.h"
#include "devicedata/IniFile.h"
#include "devicedata/MemoryImage.h"
#include "devicedata/TextLines.h"

namespace velmora {

namespace {

// The device name of a header line: a "[" before any "=" or "]", and a "]" later.
// Anything around the brackets is ignored, so a header behind ";" still counts.
std::string_view headerName(std::string_view line)
{
    const std::size_t open = line.find_first_of("[=]");
    if (open == std::string_view::npos || line[open] != '[')
        return {};
    const std::size_t close = line.find(']', open);
    if (close == std::string_view::npos)
        return {};
    return line.substr(open + 1, close - open - 1);
}

std::vector<std::string> deviceNames(std::string_view text)
{
    std::vector<std::string> names;
    ForEachLine(text, [&names](std::string_view line) {
        const std::string_view name = headerName(line);
        if (!name.empty())
            names.emplace_back(name);
    });
    return names;
}

DeviceRecord readRecord(const IniFile& ini, const std::string& name)
{
    DeviceRecord record;
    record.name = name;
    record.programMemorySize = ini.getInteger(name, "ProgMemSize", 0);
    record.eepromSize = ini.getInteger(name, "EEPROMDataMemSize", 0);
    record.configType = ini.getInteger(name, "Config", 1);
    record.longEEAddr = ini.getBool(name, "LongEEAddr", false);
    record.ccp2mxApp = ini.getBool(name, "CCP2MXApp", false);
    record.waitAndPmApp = ini.getBool(name, "WAITandPMApp", false);
    record.cp0App = ini.getBool(name, "CP0App", true);
    record.cp1App = ini.getBool(name, "CP1App", true);
    record.cp2App = ini.getBool(name, "CP2App", true);
    record.cp3App = ini.getBool(name, "CP3App", true);
    record.writeStrategy = static_cast<WriteStrategy>(ini.getInteger(name, "WriteStrategy", 1));
    record.writeBufferSize = ini.getInteger(name, "WriteBufferSize", 8);
    return record;
}

bool sizesFit(const DeviceRecord& record)
{
    const auto programSize = static_cast<std::uint32_t>(record.programMemorySize);
    const auto eepromSize = static_cast<std::uint32_t>(record.eepromSize);
    return programSize != 0 && programSize <= kProgramMemoryCapacity && eepromSize <= kEepromCapacity;
}

} // namespace

bool LoadDeviceList(DeviceList& list, const std::filesystem::path& path)
{
    list.Clear();
    std::string text;
    if (ReadFileText(path, text) != FileReadStatus::Read)
        return false;
    return BuildDeviceList(list, text);
}

bool BuildDeviceList(DeviceList& list, std::string_view text)
{
    list.Clear();
    IniFile ini;
    ini.loadText(text);
    for (const std::string& name : deviceNames(text)) {
        DeviceRecord record = readRecord(ini, name);
        if (!sizesFit(record)) {
            list.Clear();
            return false;
        }
        list.Append(std::move(record));
    }
    list.MoveTo(0);
    return true;
}

} // namespace velmora
