// The production binding: lines through the pin-interface library, waits through the
// delay library, both imported by name.

#include "signalling/PinDriver.h"

#include "corvant/corvant.h"
#include "pendrel/pendrel.h"

namespace velmora {

namespace {

class ImportedPinDriver final : public PinDriver {
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

PinDriver& importedPinDriver()
{
    static ImportedPinDriver driver;
    return driver;
}

} // namespace velmora
