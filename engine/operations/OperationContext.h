#pragma once
// What an operation works with: the frame it runs in, the protocol's steps,
// the memory image with the selected device, the options and the device-ID check.

#include <algorithm>
#include <cstdint>

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
};

} // namespace velmora
