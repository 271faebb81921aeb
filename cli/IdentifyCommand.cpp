#include "cli/IdentifyCommand.h"

#include "cli/CliRunner.h"

namespace velmora::cli {

int reportIdentity(const ChipIdentity& chip, std::string_view port, std::FILE* out, std::FILE* err)
{
    std::fprintf(out, "%s\n", describeChip(chip).c_str());
    switch (chip.kind) {
    case ChipIdentity::Kind::Named:
        return ExitSuccess;
    case ChipIdentity::Kind::UnnamedInFamily:
        return ExitDifferences;
    case ChipIdentity::Kind::Silent:
        break;
    }
    std::fputs(silentChipChecklist(chip.rawId, port).c_str(), err);
    return ExitFailure;
}

} // namespace velmora::cli
