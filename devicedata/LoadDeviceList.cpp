#include "devicedata/LoadDeviceList.h"

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "devicedata/DeviceDataMessages.h"
#include "devicedata/DeviceIdKeys.h"
#include "devicedata/FamilyKey.h"
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

// A key bound to one field: the field's default is the key's, and a yes/no field
// takes any number but 0 as true.
template <auto Field>
constexpr DeviceIntegerKey integerKey(std::string_view name)
{
    using Value = std::remove_cvref_t<decltype(std::declval<DeviceRecord&>().*Field)>;
    return {name, [](const DeviceRecord& record) { return static_cast<std::int32_t>(record.*Field); },
            [](DeviceRecord& record, std::int32_t value) { record.*Field = static_cast<Value>(value); }};
}

constexpr DeviceIntegerKey kIntegerKeys[] = {
    integerKey<&DeviceRecord::programMemorySize>("ProgMemSize"),
    integerKey<&DeviceRecord::eepromSize>("EEPROMDataMemSize"),
    integerKey<&DeviceRecord::configType>("Config"),
    integerKey<&DeviceRecord::longEEAddr>("LongEEAddr"),
    integerKey<&DeviceRecord::ccp2mxApp>("CCP2MXApp"),
    integerKey<&DeviceRecord::waitAndPmApp>("WAITandPMApp"),
    integerKey<&DeviceRecord::cp0App>("CP0App"),
    integerKey<&DeviceRecord::cp1App>("CP1App"),
    integerKey<&DeviceRecord::cp2App>("CP2App"),
    integerKey<&DeviceRecord::cp3App>("CP3App"),
    integerKey<&DeviceRecord::writeStrategy>("WriteStrategy"),
    integerKey<&DeviceRecord::writeBufferSize>("WriteBufferSize"),
};

} // namespace

std::span<const DeviceIntegerKey> DeviceIntegerKeys()
{
    return kIntegerKeys;
}

DeviceRecord ReadDeviceRecord(const IniFile& ini, const std::string& name)
{
    DeviceRecord record;
    record.name = name;
    for (const DeviceIntegerKey& key : DeviceIntegerKeys())
        key.setField(record, ini.getInteger(name, key.name, key.field(record)));
    ReadDeviceIdKeys(ini, name, record);
    ReadFamilyKey(ini, name, record);
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
