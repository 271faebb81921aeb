#include "cli/WiringCheck.h"

#include "cli/CliRunner.h"
#include "engine/EngineTexts.h"

namespace velmora::cli {

int runWiringCheck(PinDriver& driver, bool dataInIsPgd, std::FILE* out, std::FILE* err)
{
    const auto samples = driveWiringPattern(driver);
    if (!samples) {
        std::fprintf(err, "%s\n", texts::kLinesNotDriven);
        return ExitFailure;
    }
    std::fputs(wiringReport(*samples, dataInIsPgd).c_str(), out);
    return classifyWiring(*samples) == WiringVerdict::Follows ? ExitSuccess : ExitFailure;
}

} // namespace velmora::cli
