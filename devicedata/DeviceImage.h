#pragma once
// Owner of the memory image, its two present bitmaps and the selected device's
// parameters. The engine embeds exactly one for the whole run; it is about 1.2 MB,
// so create it on the heap.

#include <cstdint>
#include <string>

#include "DeviceRecord.h"
#include "MemoryImage.h"
#include "UserMessages.h"

namespace velmora {

class DeviceImage {
public:
    // Zero-filled buffers and a selected device of a section's defaults.
    DeviceImage();

    MemoryImage image{};
    std::uint8_t programPresent[kProgramMemoryCapacity / 8]{};
    std::uint8_t eepromPresent[kEepromCapacity / 8]{};
    SelectedDevice device;

    // Copies the record's parameters; leaves the image untouched.
    void SelectDevice(const DeviceRecord& record);
    // The values kept when Devices.ini yields no usable device.
    void ApplyNoDeviceDefaults();

    // Blanks the whole image for the selected device and rebuilds the masks.
    void ClearImage(bool present);

    void SetProgramPresent(Address address, bool flag);
    void SetEepromPresent(Address address, bool flag);
    bool IsProgramPresent(Address address) const;
    bool IsEepromPresent(Address address) const;

    // Where configuration type 3 reads its Mask/SetMask keys, and where it reports
    // a bad key. Without messages, type-3 problems are silent.
    void setMaskSource(std::string devicesIniPath, UserMessages* messages);
    const std::string& devicesIniPath() const { return devicesIniPath_; }
    UserMessages* messages() const { return messages_; }

private:
    std::string devicesIniPath_;
    UserMessages* messages_ = nullptr;
};

} // namespace velmora
