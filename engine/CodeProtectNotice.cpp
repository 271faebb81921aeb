#include "engine/CodeProtectNotice.h"

#include "devicedata/ConfigLocation.h"
#include "devicedata/ConfigMasks.h"
#include "engine/EngineTexts.h"
#include "engine/OperationCode.h"

namespace velmora {

namespace {

constexpr std::uint8_t kCp0Bit = 0x04;   // CONFIG1H bit 2; 0 protects

} // namespace

std::string codeProtectNotice(std::uint8_t operation, const ProgrammingOptions& options, const DeviceImage& data)
{
    if (operation != OperationProgram || !options.configuration || !configInFlash(data.device))
        return {};
    const MemoryImage& image = data.image;
    const std::uint8_t mask = image.configMask[CONFIG1H];
    const std::uint8_t value = EffectiveConfigValue(image.config[CONFIG1H], mask, image.configSetMask[CONFIG1H]);
    if ((mask & kCp0Bit) == 0 || (value & kCp0Bit) != 0)
        return {};
    return texts::kCodeProtectedOn + data.device.name + texts::kFullStop;
}

} // namespace velmora
