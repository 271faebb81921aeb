#include "cli/DeviceFileCheck.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "cli/CliRunner.h"
#include "cli/DeviceFileLayout.h"
#include "devicedata/DeviceDataMessages.h"
#include "devicedata/DeviceIdKeys.h"
#include "devicedata/FamilyKey.h"
#include "devicedata/FileText.h"
#include "devicedata/IniFile.h"
#include "devicedata/IniSyntax.h"
#include "devicedata/IntegerText.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/MemoryImage.h"
#include "devicedata/ParseMaskBytes.h"
#include "engine/ProgramMemoryProgramming.h"
#include "engine/WriteStrategyRules.h"

namespace velmora::cli {

namespace {

using Method = ProgramMemoryProgramming::Method;
using Kind = DeviceFileFinding::Kind;

constexpr std::string_view kMaskKeys[] = {"Mask", "SetMask"};
constexpr std::string_view kNoValue = "\x01";

class Checker {
public:
    Checker(std::string_view text, bool multiPanelWrite)
        : layout_(layoutOf(text))
        , multiPanelWrite_(multiPanelWrite)
    {
        ini_.loadText(text);
    }

    std::vector<DeviceFileFinding> run(std::string_view text);

private:
    void checkSection(const DeviceHeader& header, const DeviceRecord& record);
    void checkSizes(const DeviceHeader& header, const DeviceRecord& record);
    void checkIntegers(const DeviceHeader& header);
    void checkStrategy(const DeviceHeader& header, const DeviceRecord& record);
    void checkConfiguration(const DeviceHeader& header, const DeviceRecord& record);
    void checkDeviceIdKeys(const DeviceHeader& header, const DeviceRecord& record);
    void checkFamily(const DeviceHeader& header, const DeviceRecord& record);
    void checkName(const DeviceHeader& header);
    void checkUnknownKeys(const DeviceHeader& header, const DeviceRecord& record);
    void checkKeysBeforeSections();
    void checkSharedIds(const std::vector<std::pair<DeviceHeader, DeviceRecord>>& devices);

    int lineOf(const DeviceHeader& header, std::string_view key) const;
    void warn(int line, const DeviceHeader& header, const std::string& text);
    void refuse(int line, const DeviceHeader& header, const std::string& text);
    void reject(int line, const std::string& text);

    DeviceFileLayout layout_;
    bool multiPanelWrite_;
    IniFile ini_;
    std::vector<DeviceFileFinding> findings_;
};

int Checker::lineOf(const DeviceHeader& header, std::string_view key) const
{
    const auto found = layout_.keyLines.find({IniLowerCased(header.name), IniLowerCased(key)});
    return found == layout_.keyLines.end() ? header.line : found->second;
}

void Checker::warn(int line, const DeviceHeader& header, const std::string& text)
{
    findings_.push_back({Kind::Warning, line, "[" + header.name + "] " + text});
}

void Checker::refuse(int line, const DeviceHeader& header, const std::string& text)
{
    findings_.push_back({Kind::Refusal, line, "[" + header.name + "] " + text});
}

void Checker::reject(int line, const std::string& text)
{
    findings_.push_back({Kind::Rejection, line, text});
}

bool rejectsFile(const DeviceFileFinding& finding)
{
    return finding.kind == Kind::Rejection;
}

bool failsCheck(const DeviceFileFinding& finding)
{
    return finding.kind != Kind::Warning;
}

std::string oneLine(std::string text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += ' ';
            ++i;
            continue;
        }
        result += text[i];
    }
    return result;
}

std::vector<DeviceFileFinding> Checker::run(std::string_view text)
{
    if (layout_.headers.empty()) {
        reject(0, "no device section: the program would know zero devices and offer no Device menu");
        return findings_;
    }
    checkKeysBeforeSections();
    std::map<std::string, int> firstLine;
    std::vector<std::pair<DeviceHeader, DeviceRecord>> devices;
    for (const DeviceHeader& header : layout_.headers) {
        const auto [first, inserted] = firstLine.try_emplace(IniLowerCased(header.name), header.line);
        if (!inserted) {
            warn(header.line, header,
                 "a second section of this name: the program gives both entries the values of the first (line "
                     + std::to_string(first->second) + ")");
            continue;
        }
        const DeviceRecord record = ReadDeviceRecord(ini_, header.name);
        checkSection(header, record);
        devices.emplace_back(header, record);
    }
    checkSharedIds(devices);

    // The program's own loader has the last word on rejection.
    DeviceList list;
    const bool loads = BuildDeviceList(list, text);
    const bool rejected = std::ranges::any_of(findings_, rejectsFile);
    if (!loads && !rejected)
        reject(0, "the program would reject this file");
    return findings_;
}

void Checker::checkSection(const DeviceHeader& header, const DeviceRecord& record)
{
    checkSizes(header, record);
    checkIntegers(header);
    checkStrategy(header, record);
    checkConfiguration(header, record);
    checkDeviceIdKeys(header, record);
    checkFamily(header, record);
    checkName(header);
    checkUnknownKeys(header, record);
}

void Checker::checkSizes(const DeviceHeader& header, const DeviceRecord& record)
{
    if (DeviceSizesFit(record))
        return;
    const std::string where = "[" + header.name + "] ";
    if (!header.iniSection) {
        reject(header.line, where + "a bracketed name on a line that is no section header still counts as a device, "
                                     "and it has no ProgMemSize of its own");
        return;
    }
    const std::string programText = ini_.getString(header.name, "ProgMemSize", kNoValue);
    const auto programSize = static_cast<std::uint32_t>(record.programMemorySize);
    if (programText == kNoValue)
        reject(header.line, where + "ProgMemSize is missing");
    else if (!ParseInteger(programText))
        reject(lineOf(header, "ProgMemSize"), where + "ProgMemSize=" + programText + " is not a number");
    else if (programSize == 0 || programSize > kProgramMemoryCapacity)
        reject(lineOf(header, "ProgMemSize"), where + "ProgMemSize must be 1 to 1048576");
    if (static_cast<std::uint32_t>(record.eepromSize) > kEepromCapacity)
        reject(lineOf(header, "EEPROMDataMemSize"), where + "EEPROMDataMemSize must be 0 to 65536");
}

void Checker::checkIntegers(const DeviceHeader& header)
{
    const DeviceRecord defaults;
    for (const DeviceIntegerKey& key : DeviceIntegerKeys()) {
        const std::string value = ini_.getString(header.name, key.name, kNoValue);
        // A ProgMemSize that does not parse is a rejection, reported with the sizes.
        if (value == kNoValue || ParseInteger(value) || key.name == "ProgMemSize")
            continue;
        warn(lineOf(header, key.name), header,
             std::string(key.name) + "=" + value + " does not parse: the default "
                 + std::to_string(key.field(defaults)) + " applies");
    }
}

void Checker::checkStrategy(const DeviceHeader& header, const DeviceRecord& record)
{
    // A family that cannot steer the device is refused already, naming the key at fault.
    if (!record.familyProblem.empty())
        return;
    const int line = lineOf(header, "WriteStrategy");
    if (!isKnownStrategy(record.writeStrategy, record.family)) {
        warn(line, header,
             "WriteStrategy=" + std::to_string(static_cast<std::int32_t>(record.writeStrategy))
                 + " is no write method: the chip would be neither erased nor programmed");
        return;
    }
    const auto size = static_cast<std::uint32_t>(record.programMemorySize);
    const Method method = rulesFor(record).methodFor(multiPanelWrite_);
    if (const char* misfit = ProgramMemoryProgramming::sizeMisfit(method, size, record.writeBufferSize)) {
        warn(lineOf(header, method == Method::Buffer ? "WriteBufferSize" : "ProgMemSize"), header,
             "programming would fail: " + oneLine(misfit));
    }
}

void Checker::checkConfiguration(const DeviceHeader& header, const DeviceRecord& record)
{
    if (record.configType < 1 || record.configType > 3) {
        warn(lineOf(header, "Config"), header,
             "Config=" + std::to_string(record.configType)
                 + " is no configuration type: every configuration bit would be taken as it stands");
        return;
    }
    if (record.configType != 3)
        return;
    for (const std::string_view key : kMaskKeys) {
        ConfigBlock bytes{};
        if (ParseMaskBytes(ini_.getString(header.name, key, ""), bytes))
            continue;
        warn(lineOf(header, key), header,
             std::string(key) + " is missing or does not parse (14 hex bytes separated by spaces): "
                 + (key == "Mask" ? "every configuration bit would be written as 0" : "no bit would be forced to 1"));
    }
}

void Checker::checkDeviceIdKeys(const DeviceHeader& header, const DeviceRecord& record)
{
    if (record.deviceIdState == DeviceIdState::Unusable) {
        refuse(lineOf(header, record.deviceIdProblemKey), header,
               record.deviceIdProblem + ": velmora-cli refuses to identify or write this device");
        return;
    }
    // Without a DeviceID the mask means nothing yet, but it will once an ID is added.
    const std::string mask = ini_.getString(header.name, kDeviceIdMaskKey, kNoValue);
    if (record.deviceIdState == DeviceIdState::Absent && mask != kNoValue && !ParseDeviceIdValue(mask))
        warn(lineOf(header, kDeviceIdMaskKey), header,
             std::string(kDeviceIdMaskKey) + "=" + mask + " is not a 16-bit number: the default "
                 + DeviceIdText(kDeviceIdDeviceBits) + " applies");
}

void Checker::checkFamily(const DeviceHeader& header, const DeviceRecord& record)
{
    if (record.familyProblem.empty())
        return;
    refuse(lineOf(header, record.familyProblemKey), header,
           record.familyProblem + ": velmora-cli refuses to write this device");
}

void Checker::checkName(const DeviceHeader& header)
{
    if (IniTrimmed(header.name).size() == header.name.size())
        return;
    warn(header.line, header,
         "the name has blanks at its ends, and the program keeps them: --device "
             + std::string(IniTrimmed(header.name)) + " does not find it; write [" + std::string(IniTrimmed(header.name))
             + "]");
}

void Checker::checkKeysBeforeSections()
{
    for (const auto& [line, key] : layout_.keysBeforeSections)
        findings_.push_back({Kind::Warning, line, "key " + key + " stands before the first section: it belongs to "
                                                      "no device and the program ignores it"});
}

void Checker::checkUnknownKeys(const DeviceHeader& header, const DeviceRecord& record)
{
    const auto keys = layout_.keysOf.find(IniLowerCased(header.name));
    if (keys == layout_.keysOf.end())
        return;
    for (const auto& [line, key] : keys->second) {
        const std::string& keyName = key;   // clang 14 cannot capture a structured binding
        const auto known = [&keyName](std::string_view name) { return IniNamesEqual(name, keyName); };
        const bool isKnown
            = std::ranges::any_of(DeviceIntegerKeys(), [&](const DeviceIntegerKey& k) { return known(k.name); })
            || std::ranges::any_of(kMaskKeys, known) || known(kDeviceIdKey) || known(kDeviceIdMaskKey)
            || known(kFamilyKey);
        // A misspelt device-ID key is reported as what makes the ID unusable.
        if (!isKnown && !known(record.deviceIdProblemKey))
            warn(line, header, "unknown key " + key + ": the program ignores it");
    }
}

std::string sectionList(const std::vector<std::pair<DeviceHeader, DeviceRecord>>& devices,
                        const std::vector<std::size_t>& indexes)
{
    std::string text;
    for (const std::size_t index : indexes) {
        const DeviceHeader& header = devices[index].first;
        text += (text.empty() ? "[" : ", [") + header.name + "] (line " + std::to_string(header.line) + ")";
    }
    return text;
}

// A usable ID matches only raw IDs with its own device bits, so each record claims
// at most the revisions of one device-bit pattern: one pass over those finds every
// raw ID that several sections claim, in time and memory linear in the sections.
void Checker::checkSharedIds(const std::vector<std::pair<DeviceHeader, DeviceRecord>>& devices)
{
    constexpr std::uint32_t kRawIds = 0x10000;
    constexpr auto kRevisionBits = static_cast<std::uint16_t>(~kDeviceIdDeviceBits);
    std::vector<std::vector<std::size_t>> claimants(kRawIds);
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const DeviceRecord& record = devices[i].second;
        if (record.deviceIdState != DeviceIdState::Usable)
            continue;
        const std::uint16_t deviceBits = record.deviceId & kDeviceIdDeviceBits;
        for (std::uint16_t revision = 0; revision <= kRevisionBits; ++revision) {
            const auto rawId = static_cast<std::uint16_t>(deviceBits | revision);
            if (MatchesDeviceId(record, rawId))
                claimants[rawId].push_back(i);
        }
    }
    // Revisions a group of sections claims together are one finding, at its last section.
    std::set<std::vector<std::size_t>> reported;
    for (std::vector<std::size_t>& group : claimants) {
        if (group.size() < 2 || reported.contains(group))
            continue;
        const std::size_t last = group.back();
        group.pop_back();
        const DeviceHeader& header = devices[last].first;
        warn(lineOf(header, kDeviceIdKey), header,
             "DeviceID also names " + sectionList(devices, group) + ": a chip with this ID would match "
                 + (group.size() == 1 ? std::string("both") : "all " + std::to_string(group.size() + 1)));
        group.push_back(last);
        reported.insert(std::move(group));
    }
}

// A value may hold any byte; a NUL would end the printed line there, and other
// control characters would reach the terminal.
std::string printable(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            result += c;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(byte));
        result += escape;
    }
    return result;
}

std::string readProblem(FileReadStatus status, const std::error_code& error)
{
    return status == FileReadStatus::Unreadable && error ? error.message() : FileReadProblem(status);
}

} // namespace

std::vector<DeviceFileFinding> checkDeviceText(std::string_view text, bool multiPanelWrite)
{
    return Checker(text, multiPanelWrite).run(text);
}

int checkDeviceFile(const std::filesystem::path& path, bool multiPanelWrite, std::FILE* out)
{
    const std::string where = printable(path.string());
    std::string text;
    std::error_code error;
    const FileReadStatus status = ReadFileText(path, text, error);
    if (status != FileReadStatus::Read) {
        std::fprintf(out, "%s: cannot be read (%s); the program would offer no Device menu\n", where.c_str(),
                     readProblem(status, error).c_str());
        return ExitFailure;
    }
    const auto findings = checkDeviceText(text, multiPanelWrite);
    for (const DeviceFileFinding& finding : findings) {
        const char* kind = finding.kind == Kind::Warning ? "warning" : "rejected";
        const std::string said = printable(finding.text);
        if (finding.line == 0)
            std::fprintf(out, "%s: %s: %s\n", where.c_str(), kind, said.c_str());
        else
            std::fprintf(out, "%s:%d: %s: %s\n", where.c_str(), finding.line, kind, said.c_str());
    }
    if (std::ranges::any_of(findings, rejectsFile)) {
        std::fprintf(out, "%s: the program would reject this file\n", where.c_str());
        return ExitFailure;
    }
    if (const auto refused = std::ranges::count_if(findings, failsCheck); refused > 0) {
        std::fprintf(out, "%s: velmora-cli would refuse %zu device(s)\n", where.c_str(),
                     static_cast<std::size_t>(refused));
        return ExitFailure;
    }
    if (!findings.empty()) {
        std::fprintf(out, "%s: %zu warning(s)\n", where.c_str(), findings.size());
        return ExitDifferences;
    }
    std::fprintf(out, "%s: clean\n", where.c_str());
    return ExitSuccess;
}

} // namespace velmora::cli
