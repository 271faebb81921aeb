#include "cli/ChipGate.h"

#include "cli/ChipIdentity.h"
#include "cli/CliRunner.h"
#include "cli/CliTexts.h"

namespace velmora::cli {

namespace {

// The checklist as one message: the message's own line break ends it.
std::string checklistMessage(std::uint16_t rawId, std::string_view port)
{
    std::string text = silentChipChecklist(rawId, port);
    if (text.ends_with('\n'))
        text.pop_back();
    return text;
}

std::optional<DeviceRecord> recordNamed(DeviceList& devices, const std::string& name)
{
    devices.MoveTo(0);
    for (std::int32_t i = 0; i < devices.Count(); ++i) {
        DeviceRecord record = devices.CopyCurrentAndAdvance();
        if (record.name == name)
            return record;
    }
    return std::nullopt;
}

} // namespace

ChipGate::ChipGate(DeviceList& devices, std::string port, std::FILE* out)
    : devices_(devices)
    , port_(std::move(port))
    , out_(out)
{
}

std::string ChipGate::stop(int status, std::string reason)
{
    stopStatus_ = status;
    return reason;
}

DeviceIdCheck ChipGate::requiring(const DeviceRecord& selected)
{
    if (selected.deviceIdState != DeviceIdState::Usable)
        return {};
    return [this, name = selected.name](std::uint16_t rawId) {
        const ChipIdentity chip = IdentifyChip(devices_, rawId);
        const std::string refusal = refusalToWrite(chip, name);
        if (refusal.empty())
            return refusal;
        if (chip.kind != ChipIdentity::Kind::Silent)
            return stop(ExitFailure, refusal);
        return stop(ExitFailure, refusal + "\n" + checklistMessage(rawId, port_));
    };
}

DeviceIdCheck ChipGate::choosing(Select select)
{
    return [this, select = std::move(select)](std::uint16_t rawId) { return choose(rawId, select); };
}

std::string ChipGate::choose(std::uint16_t rawId, const Select& select)
{
    const ChipIdentity chip = IdentifyChip(devices_, rawId);
    std::fprintf(out_, "%s\n", describeChip(chip).c_str());
    std::fflush(out_);
    switch (chip.kind) {
    case ChipIdentity::Kind::Named:
        break;
    case ChipIdentity::Kind::UnnamedInFamily:
        return stop(ExitDifferences, kNoSectionNamesChip);
    case ChipIdentity::Kind::Silent:
        return stop(ExitFailure, checklistMessage(rawId, port_));
    }
    if (chip.names.size() > 1)
        return stop(ExitFailure, kSeveralSectionsNameChip);
    const std::optional<DeviceRecord> record = recordNamed(devices_, chip.names.front());
    if (!record || !select(*record))
        return stop(ExitFailure, kNothingBeyondIdRead);
    return {};
}

} // namespace velmora::cli
