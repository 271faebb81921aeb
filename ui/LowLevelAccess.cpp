#include "ui/LowLevelAccess.h"

#include "corvant/corvant.h"
#include "pendrel/pendrel.h"
#include "platform/PerformanceCounter.h"

namespace velmora {

namespace {

class ImportedLowLevelAccess final : public LowLevelAccess {
public:
    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override
    {
        return ProgrammerWrite(vpp, data, clock) != 0;
    }
    bool programmerRead(std::uint8_t& level) override { return ProgrammerRead(&level) != 0; }
    std::int64_t performanceFrequency() override { return GetPerformanceFrequency(); }
    bool readPerformanceCounter(std::int64_t& count) override { return platform::readPerformanceCounter(count); }
    bool delay(std::uint32_t units) override { return Delay(units); }
};

} // namespace

LowLevelAccess& importedLowLevelAccess()
{
    static ImportedLowLevelAccess access;
    return access;
}

} // namespace velmora
