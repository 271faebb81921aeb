#pragma once
// Where a device keeps its configuration words and which areas it has: the one place
// the image, the HEX files, the engine and the windows ask.
//
// On the J parts the configuration words are the last 8 bytes of program memory. The
// image keeps them where it keeps every device's configuration (its configuration
// area, shown and edited there with its masks); its program-memory area then holds the
// code below them, so the checksum's last word and the HEX loader's bound stay right.
// The engine and the HEX files put the 8 bytes back at the top of flash.

#include <cstdint>

#include "devicedata/DeviceRecord.h"
#include "devicedata/MemoryImage.h"

namespace velmora {

inline constexpr int kFlashConfigCount = 8;

bool configInFlash(const SelectedDevice& device);
bool hasIdLocations(const SelectedDevice& device);
// The configuration bytes the device has: 8 in flash, else all 14.
int configByteCount(const SelectedDevice& device);
// The bytes of program memory the image shows as code: the whole flash, less the
// configuration words where they live in it.
std::int32_t codeAreaSize(const DeviceRecord& record);
// The whole flash the image's program memory stands for: the code area, and the
// configuration words where they live in it; never beyond the image's buffer.
std::uint32_t flashSize(const SelectedDevice& device, const MemoryImage& image);
// The flash address of CONFIG1L on a device with configuration in flash: the first byte
// above the code area.
Address flashConfigAddress(const MemoryImage& image);
// The address of configuration byte `index` on the chip and in HEX files.
Address configByteAddress(const SelectedDevice& device, const MemoryImage& image, int index);

} // namespace velmora
