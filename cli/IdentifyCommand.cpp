#include "cli/IdentifyCommand.h"

#include <optional>

#include "cli/ChipIdentity.h"
#include "cli/CliRunner.h"
#include "devicedata/LoadDeviceList.h"
#include "engine/DeviceIdProbe.h"

namespace velmora::cli {

namespace {

// The chip's identity, or empty after reporting a failed read. A database that does
// not load leaves every ID unnamed, which the callers then report as such.
std::optional<ChipIdentity> probeChip(TPICPr& engine, const std::filesystem::path& devicesPath, std::FILE* err)
{
    const DeviceIdProbe probe = ProbeDeviceId(engine);
    if (!probe.rawId) {
        std::fprintf(err, "%s\n", probe.failure.c_str());
        return std::nullopt;
    }
    DeviceList devices;
    LoadDeviceList(devices, devicesPath);
    return identifyChip(devices, *probe.rawId);
}

} // namespace

int runIdentify(TPICPr& engine, const std::filesystem::path& devicesPath, const std::string& port,
                std::FILE* out, std::FILE* err)
{
    const auto chip = probeChip(engine, devicesPath, err);
    if (!chip)
        return ExitFailure;
    std::fprintf(out, "%s\n", describeChip(*chip).c_str());
    switch (chip->kind) {
    case ChipIdentity::Kind::Named:
        return ExitSuccess;
    case ChipIdentity::Kind::UnnamedInFamily:
        return ExitDifferences;
    case ChipIdentity::Kind::Silent:
        break;
    }
    std::fputs(silentChipChecklist(chip->rawId, port).c_str(), err);
    return ExitFailure;
}

bool chipAnswersAsSelected(TPICPr& engine, const DeviceRecord& selected, const std::filesystem::path& devicesPath,
                           const std::string& port, std::FILE* err)
{
    const auto chip = probeChip(engine, devicesPath, err);
    if (!chip)
        return false;
    const std::string refusal = refusalToWrite(*chip, selected.name);
    if (refusal.empty())
        return true;
    std::fprintf(err, "%s\n", refusal.c_str());
    if (chip->kind == ChipIdentity::Kind::Silent)
        std::fputs(silentChipChecklist(chip->rawId, port).c_str(), err);
    return false;
}

} // namespace velmora::cli
