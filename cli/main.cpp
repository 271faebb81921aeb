// velmora-cli: the programming engine without windows, for scripts and production lines.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "cli/CliTexts.h"
#include "cli/Platform.h"

int main(int argc, char** argv)
{
    using namespace velmora::cli;
    const std::vector<std::string> arguments = utf8Arguments(argc, argv);
    const ParseResult parsed = parseCommandLine(arguments);
    if (!parsed.options) {
        if (!parsed.error.empty())
            std::fprintf(stderr, "%s\n\n", parsed.error.c_str());
        std::fputs(kUsage, stderr);
        return ExitFailure;
    }
    return runCommand(*parsed.options, stdout, stderr);
}
