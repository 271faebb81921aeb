#pragma once
// velmora-cli identify, and the same device-ID read as a check before an operation
// writes to the chip. Both run with the port open and the engine idle.

#include <cstdio>
#include <filesystem>
#include <string>

#include "devicedata/DeviceRecord.h"

namespace velmora {
class TPICPr;
}

namespace velmora::cli {

// Prints what the chip answers; the exit status is 0 for a device of the database,
// 1 for an ID of a known family that no section names, 2 when no chip answers.
int runIdentify(TPICPr& engine, const std::filesystem::path& devicesPath, const std::string& port,
                std::FILE* out, std::FILE* err);

// True when the chip answers as the selected device; otherwise the reason (and for a
// silent chip the checklist) goes to err.
bool chipAnswersAsSelected(TPICPr& engine, const DeviceRecord& selected, const std::filesystem::path& devicesPath,
                           const std::string& port, std::FILE* err);

} // namespace velmora::cli
