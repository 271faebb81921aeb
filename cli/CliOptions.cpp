#include "cli/CliOptions.h"

#include <map>

#include "cli/CliTexts.h"

namespace velmora::cli {

namespace {

struct CommandInfo {
    Command command;
    bool needsFile;
    bool takesFile = needsFile;
};

const std::map<std::string, CommandInfo>& commands()
{
    static const std::map<std::string, CommandInfo> table = {
        {"read", {Command::Read, true}},      {"program", {Command::Program, true}},
        {"verify", {Command::Verify, true}},  {"erase", {Command::Erase, false}},
        {"blank-check", {Command::BlankCheck, false}}, {"devices", {Command::Devices, false}},
        {"info", {Command::Info, false}},
        {"identify", {Command::Identify, false}}, {"wiring", {Command::Wiring, false}},
        {"check-devices", {Command::CheckDevices, false, true}},
    };
    return table;
}

ParseResult failure(std::string error)
{
    return {std::nullopt, std::move(error)};
}

} // namespace

ParseResult parseCommandLine(const std::vector<std::string>& arguments)
{
    CliOptions options;
    std::vector<std::string> positional;
    bool warnGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string* {
            return i + 1 < arguments.size() ? &arguments[++i] : nullptr;
        };
        if (argument == "--help") {
            options.command = Command::Help;
            return {options, {}};
        }
        if (argument == "--version") {
            options.command = Command::Version;
            return {options, {}};
        }
        if (argument == "--port" || argument == "--device" || argument == "--devices" || argument == "--checksum"
            || argument == "--checksum-warn") {
            const std::string* v = value();
            if (v == nullptr)
                return failure(kMissingValue + argument);
            if (argument == "--port")
                options.port = *v;
            else if (argument == "--device")
                options.device = *v;
            else if (argument == "--devices")
                options.devicesPath = *v;
            else if (argument == "--checksum-warn") {
                options.checksum.warnEnabled = true;
                options.checksum.warnValue = *v;
                warnGiven = true;
            } else if (*v == "sum" || *v == "zero") {
                options.checksum.enabled = true;
                options.checksum.type = *v == "sum" ? SimpleSumOfWords : AdditionToZero;
            } else {
                return failure(kBadChecksumType + *v);
            }
            continue;
        }
        if (argument == "--no-program")
            options.programming.programMemory = false;
        else if (argument == "--no-eeprom")
            options.programming.eeprom = false;
        else if (argument == "--no-ids")
            options.programming.ids = false;
        else if (argument == "--no-config")
            options.programming.configuration = false;
        else if (argument == "--multi-panel")
            options.programming.multiPanelWrite = true;
        else if (argument == "--no-fast-verify")
            options.programming.fastVerify = false;
        else if (argument == "--stop-at-first")
            options.stopAtFirstDifference = true;
        else if (argument == "--no-id-check")
            options.idCheck = false;
        else if (argument == "--accept-no-eof")
            options.acceptNoEof = true;
        else if (argument == "--blank-check")
            options.blankCheckAfterErase = true;
        else if (argument == "--allow-lvp-off")
            options.allowLvpOff = true;
        else if (argument == "--vpp-limited")
            options.vppLimited = true;
        else if (argument.starts_with("--"))
            return failure(kUnknownOption + argument);
        else
            positional.push_back(argument);
    }
    if (warnGiven && !options.checksum.enabled)
        return failure(kWarnWithoutChecksum);
    if (positional.empty()) {
        options.command = Command::Help;
        return failure({});
    }
    const auto found = commands().find(positional[0]);
    if (found == commands().end())
        return failure(kUnknownCommand + positional[0]);
    options.command = found->second.command;
    const std::size_t expected = found->second.needsFile ? 2 : 1;
    const std::size_t allowed = found->second.takesFile ? 2 : 1;
    if (positional.size() < expected)
        return failure(kMissingFile + positional[0]);
    if (positional.size() > allowed)
        return failure(kExtraArgument + positional[allowed]);
    if (positional.size() == 2)
        options.file = positional[1];
    if (options.blankCheckAfterErase && options.command != Command::Erase)
        return failure(kBlankCheckWithoutErase);
    return {options, {}};
}

} // namespace velmora::cli
