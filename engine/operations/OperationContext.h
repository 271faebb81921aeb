#pragma once
// What an operation works with: the frame it runs in, the protocol's steps,
// the memory image with the selected device, the options and the device-ID check.

#include <algorithm>
#include <cstdint>

#include "devicedata/ConfigLocation.h"
#include "devicedata/DeviceImage.h"
#include "engine/DeviceIdCheck.h"
#include "engine/ProgrammingOptions.h"
#include "engine/WriteStrategyRules.h"
#include "engine/classic/ClassicIcsp.h"
#include "engine/frame/OperationFrame.h"
#include "engine/frame/TableRead.h"

namespace velmora {

struct OperationContext {
    OperationFrame& frame;
    ClassicIcsp& icsp;
    DeviceImage& data;
    const ProgrammingOptions& options;
    const DeviceIdCheck& deviceIdCheck;

    MemoryImage& image() const { return data.image; }
    const SelectedDevice& device() const { return data.device; }
    const WriteStrategyRules& strategy() const { return rulesFor(data.device); }
    TableRead table() const { return {frame, icsp}; }
    PostingBlock& post() const { return frame.post(); }

    // The device's sizes, never beyond the image's buffers.
    std::uint32_t programSize() const { return std::min(data.image.programMemorySize, kProgramMemoryCapacity); }
    std::uint32_t eepromSize() const { return std::min(data.image.eepromSize, kEepromCapacity); }

    // Where the device keeps its configuration: at 300000h, or as the last bytes of flash.
    bool configInFlash() const { return velmora::configInFlash(data.device); }
    Address configAddress() const { return configByteAddress(data.device, data.image, 0); }
    std::uint32_t configCount() const { return static_cast<std::uint32_t>(configByteCount(data.device)); }
    // The whole flash: the code, and the configuration words where they live in it.
    std::uint32_t flashSize() const { return velmora::flashSize(data.device, data.image); }
};

} // namespace velmora
