#include "cli/ChipIdentity.h"

#include "cli/CliTexts.h"

namespace velmora::cli {

std::string silentChipChecklist(std::uint16_t rawId, std::string_view port)
{
    return velmora::silentChipChecklist(rawId, port, kWiringCommand);
}

std::string refusalToWrite(const ChipIdentity& chip, const std::string& selectedName)
{
    const std::string mismatch = chipMismatch(chip, selectedName);
    if (mismatch.empty())
        return mismatch;
    switch (chip.kind) {
    case ChipIdentity::Kind::Named:
        return mismatch + kUseDevice + chip.names.front() + kOrNoIdCheck;
    case ChipIdentity::Kind::UnnamedInFamily:
        return mismatch + kGoOnAnyway;
    case ChipIdentity::Kind::Silent:
        break;
    }
    return mismatch + kNothingSentBeyondIdRead;
}

} // namespace velmora::cli
