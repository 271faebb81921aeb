#pragma once
// velmora-cli check-devices: reads a device database the way the program does and
// reports, with line numbers, what its start-up would reject and what it would
// silently take differently from what the file seems to say.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::cli {

struct DeviceFileFinding {
    enum class Kind {
        Warning,     // the program takes something otherwise than the file seems to say
        Refusal,     // velmora-cli refuses to identify or write this section's device
        Rejection,   // the program would refuse the whole file
    };
    Kind kind = Kind::Warning;
    int line = 0;           // 1-based; 0 when the finding is about the whole file
    std::string text;
};

// Size checks follow the write method the options choose: single-panel writes on
// strategy 1 unless multiPanelWrite is set.
std::vector<DeviceFileFinding> checkDeviceText(std::string_view text, bool multiPanelWrite);

// Prints the findings, control characters escaped, and a summary; exit status 0 clean,
// 1 warnings, 2 rejected, refused or unreadable (with the reason).
int checkDeviceFile(const std::filesystem::path& path, bool multiPanelWrite, std::FILE* out);

} // namespace velmora::cli
