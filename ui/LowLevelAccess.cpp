#include "ui/LowLevelAccess.h"

#include "pendrel/pendrel.h"
#include "platform/PerformanceCounter.h"

namespace velmora {

namespace {

class ImportedLowLevelAccess final : public LowLevelAccess {
public:
    PinDriver& pins() override { return importedPinDriver(); }
    std::int64_t performanceFrequency() override { return GetPerformanceFrequency(); }
    bool readPerformanceCounter(std::int64_t& count) override { return platform::readPerformanceCounter(count); }
};

} // namespace

LowLevelAccess& importedLowLevelAccess()
{
    static ImportedLowLevelAccess access;
    return access;
}

} // namespace velmora
