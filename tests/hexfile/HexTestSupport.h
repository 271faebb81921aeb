#pragma once
// Helpers of the hexfile tests: images of a given size, reading files and running the
// outside tools (srec_cat, gpasm); the message recorder and scratch folders are shared.

#include <memory>
#include <string>
#include <vector>

#include "devicedata/DeviceImage.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"

namespace velmora::test {

// A type-1 device of the given sizes, cleared with every byte present.
std::unique_ptr<DeviceImage> MakeImage(std::int32_t programSize, std::int32_t eepromSize);
// A J part of flashSize bytes (Devices.ini's ProgMemSize, configuration words included),
// cleared with every byte present.
std::unique_ptr<DeviceImage> MakeFlashConfigImage(std::int32_t flashSize);
// Fills the device's program memory and EEPROM, the IDs and configuration with a pattern.
void FillPattern(DeviceImage& image, unsigned seed);

std::string ReadWholeFile(const std::string& path);

// Runs a program (arguments quoted for the shell); its exit code and everything it
// printed. Tools under test write their data to files, so what they print is complaint.
struct ToolRun {
    int exitCode;
    std::string printed;
};
ToolRun RunTool(const std::vector<std::string>& arguments);

} // namespace velmora::test
