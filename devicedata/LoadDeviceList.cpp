#include "devicedata/LoadDeviceList.h"

#include <string>
#include <string_view>
#include <vector>

#include "devicedata/DeviceDataMessages.h"
#include "devicedata/DeviceIdKeys.h"
#include "devicedata/FileText.h"
#include "devicedata/IniFile.h"
#include "devicedata/MemoryImage.h"
#include "devicedata/TextLines.h"

namespace velmora {

std::string_view DeviceHeaderName(std::string_view line)
{
    const std::size_t open = line.find_first_of("[=]");
    if (open == std::string_view::npos || line[open] != '[')
        return {};
    const std::size_t close = line.find(']', open);
    if (close == std::string_view::npos)
        return {};
    return line.substr(open + 1, close - open - 1);
}

namespace {

struct Header {
    std::string name;
    std::size_t line = 0;   // 1-based
};

std::vector<Header> deviceHeaders(std::string_view text)
{
    std::vector<Header> headers;
    std::size_t lineNumber = 0;
    ForEachLine(text, [&](std::string_view line) {
        ++lineNumber;
        const std::string_view name = DeviceHeaderName(line);
        if (!name.empty())
            headers.push_back({std::string(name), lineNumber});
    });
    return headers;
}

} // namespace

DeviceRecord ReadDeviceRecord(const IniFile& ini, const std::string& name)
{
    DeviceRecord record;
    record.name = name;
    // A missing or unparsable key keeps the record's own default.
    record.programMemorySize = ini.getInteger(name, "ProgMemSize", record.programMemorySize);
    record.eepromSize = ini.getInteger(name, "EEPROMDataMemSize", record.eepromSize);
    record.configType = ini.getInteger(name, "Config", record.configType);
    record.longEEAddr = ini.getBool(name, "LongEEAddr", record.longEEAddr);
    record.ccp2mxApp = ini.getBool(name, "CCP2MXApp", record.ccp2mxApp);
    record.waitAndPmApp = ini.getBool(name, "WAITandPMApp", record.waitAndPmApp);
    record.cp0App = ini.getBool(name, "CP0App", record.cp0App);
    record.cp1App = ini.getBool(name, "CP1App", record.cp1App);
    record.cp2App = ini.getBool(name, "CP2App", record.cp2App);
    record.cp3App = ini.getBool(name, "CP3App", record.cp3App);
    record.writeStrategy = static_cast<WriteStrategy>(
        ini.getInteger(name, "WriteStrategy", static_cast<std::int32_t>(record.writeStrategy)));
    record.writeBufferSize = ini.getInteger(name, "WriteBufferSize", record.writeBufferSize);
    ReadDeviceIdKeys(ini, name, record);
    return record;
}

bool DeviceSizesFit(const DeviceRecord& record)
{
    const auto programSize = static_cast<std::uint32_t>(record.programMemorySize);
    const auto eepromSize = static_cast<std::uint32_t>(record.eepromSize);
    return programSize != 0 && programSize <= kProgramMemoryCapacity && eepromSize <= kEepromCapacity;
}

bool LoadDeviceList(DeviceList& list, const std::filesystem::path& path, std::string* problem)
{
    list.Clear();
    std::string text;
    const FileReadStatus status = ReadFileText(path, text);
    if (status != FileReadStatus::Read) {
        if (problem)
            *problem = path.string() + ": " + FileReadProblem(status);
        return false;
    }
    if (BuildDeviceList(list, text, problem))
        return true;
    if (problem)
        *problem = path.string() + ", " + *problem;
    return false;
}

bool BuildDeviceList(DeviceList& list, std::string_view text, std::string* problem)
{
    list.Clear();
    IniFile ini;
    ini.loadText(text);
    for (const Header& header : deviceHeaders(text)) {
        DeviceRecord record = ReadDeviceRecord(ini, header.name);
        if (!DeviceSizesFit(record)) {
            list.Clear();
            if (problem)
                *problem = DeviceSizesProblem(header.line, record);
            return false;
        }
        list.Append(std::move(record));
    }
    list.MoveTo(0);
    return true;
}

} // namespace velmora
