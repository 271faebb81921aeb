// The production binding: lines through the pin-interface library, waits through the
// delay library, both imported by name; inside a programming session the three as one
// stream, where the library has ProgrammerStream and the open port takes streams.

#include "signalling/ImportedPinDriver.h"

#include "pendrel/pendrel.h"
#include "platform/LoadedLibrary.h"

namespace velmora {

namespace {

class ExportedCalls final : public PinDriver {
public:
    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override
    {
        return ProgrammerWrite(vpp, data, clock) != 0;
    }

    bool programmerRead(std::uint8_t* level) override
    {
        return ProgrammerRead(level) != 0;
    }

    bool delay(std::uint32_t units) override
    {
        return Delay(units);
    }
};

} // namespace

ProgrammerStreamFunction exportedProgrammerStream(const char* libraryFile)
{
    return reinterpret_cast<ProgrammerStreamFunction>(platform::loadedLibraryFunction(libraryFile, "ProgrammerStream"));
}

StepRunner stepRunnerOf(ProgrammerStreamFunction stream)
{
    if (stream == nullptr)
        return {};
    return [stream](std::span<const std::uint32_t> steps, std::span<std::uint8_t> levels) {
        // The driver never queues more than a few ten thousand steps.
        return stream(steps.data(), static_cast<std::uint32_t>(steps.size()), levels.data(),
                      static_cast<std::uint32_t>(levels.size()))
            != 0;
    };
}

PinDriver& importedPinDriver()
{
    static ExportedCalls calls;
    static StreamingPinDriver driver(
        calls, stepRunnerOf(exportedProgrammerStream(platform::pinInterfaceLibraryFile())));
    return driver;
}

} // namespace velmora
