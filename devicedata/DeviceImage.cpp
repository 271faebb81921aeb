#include "devicedata/DeviceImage.h"

#include <algorithm>
#include <cstring>

#include "devicedata/BuildMasks.h"
#include "devicedata/ConfigLocation.h"

namespace velmora {

namespace {

constexpr std::uint32_t kNoDeviceProgramMemorySize = 0x4000;
constexpr std::uint32_t kNoDeviceEepromSize = 0x100;

// The sizes bound every loop over the fixed buffers, so a record that did not come
// through the database's validation must still never reach past them.
std::uint32_t sizeWithin(std::int32_t size, std::uint32_t capacity)
{
    return std::min(static_cast<std::uint32_t>(size), capacity);
}

void setBit(std::uint8_t* bitmap, Address address, bool flag)
{
    const auto bit = static_cast<std::uint8_t>(1u << (address % 8));
    bitmap[address / 8] = static_cast<std::uint8_t>(bitmap[address / 8] & ~bit);
    if (flag)
        bitmap[address / 8] = static_cast<std::uint8_t>(bitmap[address / 8] | bit);
}

bool bit(const std::uint8_t* bitmap, Address address)
{
    return (bitmap[address / 8] >> (address % 8)) & 1u;
}

} // namespace

DeviceImage::DeviceImage() = default;

void DeviceImage::SelectDevice(const DeviceRecord& record)
{
    image.programMemorySize = sizeWithin(codeAreaSize(record), kProgramMemoryCapacity);
    image.eepromSize = sizeWithin(record.eepromSize, kEepromCapacity);
    device = static_cast<const SelectedDevice&>(record);
}

void DeviceImage::ApplyNoDeviceDefaults()
{
    device = SelectedDevice{};
    image.programMemorySize = kNoDeviceProgramMemorySize;
    image.eepromSize = kNoDeviceEepromSize;
}

void DeviceImage::ClearImage(bool present)
{
    const std::uint8_t presentFill = present ? 0xFF : 0x00;
    std::memset(image.programMemory, kBlank, sizeof image.programMemory);
    std::memset(programPresent, presentFill, sizeof programPresent);
    std::memset(image.eeprom, kBlank, sizeof image.eeprom);
    std::memset(eepromPresent, presentFill, sizeof eepromPresent);
    std::memset(image.ids, kBlank, sizeof image.ids);
    if (!BuildMasks(device, devicesIniPath_, messages_, image))
        std::memset(image.configMask, 0xFF, sizeof image.configMask);
    for (int i = 0; i < kConfigCount; ++i)
        image.config[i] = static_cast<std::uint8_t>(image.configMask[i] | image.configSetMask[i]);
    std::memset(image.deviceId, kBlank, sizeof image.deviceId);
}

// Addresses outside the bitmaps are ignored rather than written past their end.
void DeviceImage::SetProgramPresent(Address address, bool flag)
{
    if (address < kProgramMemoryCapacity)
        setBit(programPresent, address, flag);
}

void DeviceImage::SetEepromPresent(Address address, bool flag)
{
    if (address < kEepromCapacity)
        setBit(eepromPresent, address, flag);
}

bool DeviceImage::IsProgramPresent(Address address) const
{
    return address < kProgramMemoryCapacity && bit(programPresent, address);
}

bool DeviceImage::IsEepromPresent(Address address) const
{
    return address < kEepromCapacity && bit(eepromPresent, address);
}

void DeviceImage::setMaskSource(std::string devicesIniPath, UserMessages* messages)
{
    devicesIniPath_ = std::move(devicesIniPath);
    messages_ = messages;
}

} // namespace velmora
