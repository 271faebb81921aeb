#pragma once
// One command of velmora-cli from start to exit status.

#include <cstdio>

#include "cli/CliOptions.h"

namespace velmora::cli {

enum ExitStatus : int {
    ExitSuccess = 0,
    ExitDifferences = 1,   // a verify found differences, a blank check a programmed chip
    ExitFailure = 2,
};

int runCommand(const CliOptions& options, std::FILE* out, std::FILE* err);

} // namespace velmora::cli
