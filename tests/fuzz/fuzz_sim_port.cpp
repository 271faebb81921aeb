// Arbitrary bytes as a SIM port string: the parser accepts or refuses them without
// crashing, and what it accepts describes itself again: a chip, file names without a
// comma, and a port string rebuilt from them parses to the same options.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "corvant/sim/SimPortOptions.h"

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora::sim;
    const std::string_view port(reinterpret_cast<const char*>(data), size);
    const auto options = parseSimPort(port);
    if (!options)
        return 0;
    check(options->chip != nullptr);
    check(options->imagePath.find(',') == std::string::npos);
    check(options->tracePath.find(',') == std::string::npos);

    std::string rebuilt = "SIM:" + std::string(options->chip->name);
    if (!options->imagePath.empty())
        rebuilt += ",image=" + options->imagePath;
    if (!options->tracePath.empty())
        rebuilt += ",trace=" + options->tracePath;
    const auto again = parseSimPort(rebuilt);
    check(again.has_value());
    check(again->chip == options->chip);
    check(again->imagePath == options->imagePath);
    check(again->tracePath == options->tracePath);
    return 0;
}
