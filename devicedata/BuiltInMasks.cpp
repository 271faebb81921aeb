#include "devicedata/BuiltInMasks.h"

namespace velmora {

namespace {

constexpr ConfigMasks kType1Tables{
    {0x00, 0x27, 0x0F, 0x0F, 0x00, 0x00, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40},
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
};

constexpr ConfigMasks kType2Tables{
    {0x00, 0x2F, 0x0F, 0x1F, 0x00, 0x80, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40},
    {0x00, 0x00, 0x00, 0x00, 0x83, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
};

constexpr std::uint8_t kCcp2mxBit = 0x01;           // CONFIG3H bit 0
constexpr std::uint8_t kWaitAndProcessorMode = 0x83; // CONFIG3L: WAIT, PM1, PM0

// The CPn, WRTn and EBTRn bits of a code-protection block the device lacks are
// forced to 1 and taken out of the user's control.
void applyMissingProtectionBlocks(const SelectedDevice& device, ConfigMasks& masks)
{
    const bool present[] = {device.cp0App, device.cp1App, device.cp2App, device.cp3App};
    std::uint8_t missing = 0;
    for (int block = 0; block < 4; ++block) {
        if (!present[block])
            missing = static_cast<std::uint8_t>(missing | (1u << block));
    }
    for (ConfigByte index : {CONFIG5L, CONFIG6L, CONFIG7L}) {
        masks.setMask[index] = static_cast<std::uint8_t>(masks.setMask[index] | missing);
        masks.mask[index] = static_cast<std::uint8_t>(masks.mask[index] & ~missing);
    }
}

} // namespace

ConfigMasks Type1Masks(const SelectedDevice& device)
{
    ConfigMasks masks = kType1Tables;
    if (device.ccp2mxApp)
        masks.mask[CONFIG3H] = static_cast<std::uint8_t>(masks.mask[CONFIG3H] | kCcp2mxBit);
    applyMissingProtectionBlocks(device, masks);
    return masks;
}

ConfigMasks Type2Masks(const SelectedDevice& device)
{
    ConfigMasks masks = kType2Tables;
    if (device.waitAndPmApp) {
        masks.mask[CONFIG3L] = kWaitAndProcessorMode;
        masks.setMask[CONFIG3L] = 0x00;
    }
    applyMissingProtectionBlocks(device, masks);
    return masks;
}

} // namespace velmora
