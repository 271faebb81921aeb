#include "devicedata/ConfigLocation.h"

#include <algorithm>

#include "devicedata/ProgrammingFamily.h"

namespace velmora {

bool configInFlash(const SelectedDevice& device)
{
    return factsFor(device.family).configInFlash;
}

bool hasIdLocations(const SelectedDevice& device)
{
    return factsFor(device.family).idLocations;
}

int configByteCount(const SelectedDevice& device)
{
    return configInFlash(device) ? kFlashConfigCount : kConfigCount;
}

std::int32_t codeAreaSize(const DeviceRecord& record)
{
    if (!configInFlash(record) || record.programMemorySize < kFlashConfigCount)
        return record.programMemorySize;
    return record.programMemorySize - kFlashConfigCount;
}

std::uint32_t flashSize(const SelectedDevice& device, const MemoryImage& image)
{
    const std::uint32_t code = std::min(image.programMemorySize, kProgramMemoryCapacity);
    return code + (configInFlash(device) ? kFlashConfigCount : 0);
}

Address flashConfigAddress(const MemoryImage& image)
{
    return image.programMemorySize;
}

Address configByteAddress(const SelectedDevice& device, const MemoryImage& image, int index)
{
    const Address base = configInFlash(device) ? flashConfigAddress(image) : kConfigAddress;
    return base + static_cast<Address>(index);
}

} // namespace velmora
