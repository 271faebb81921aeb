#pragma once
// The command line, parsed.

#include <optional>
#include <string>
#include <vector>

#include "engine/ProgrammingOptions.h"
#include "hexfile/ChecksumSettings.h"

namespace velmora::cli {

enum class Command { Read, Program, Verify, Erase, BlankCheck, Devices, Info, Help, Version, Identify, Wiring,
                     CheckDevices };

struct CliOptions {
    Command command = Command::Help;
    std::string file;
    std::string port = "SIM";
    std::string device;        // empty: the database's first device
    std::string devicesPath;   // empty: Devices.ini beside the executable
    ProgrammingOptions programming;
    ChecksumSettings checksum{.enabled = false, .warnEnabled = false};
    bool stopAtFirstDifference = false;
    bool idCheck = true;       // read the device ID before an operation on a device that has one
    bool acceptNoEof = false;  // program or verify from a HEX file without its end-of-file record
    bool blankCheckAfterErase = false;
    bool allowLvpOff = false;  // write a configuration with LVP off through a low-voltage entry
    bool vppLimited = false;   // the programmer's Vpp is within the device's limit, whatever its kind
};

struct ParseResult {
    std::optional<CliOptions> options;
    std::string error;   // set when options is empty and the command line was wrong
};

ParseResult parseCommandLine(const std::vector<std::string>& arguments);

} // namespace velmora::cli
