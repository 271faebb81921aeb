#pragma once
// What the progress window hands to the worker.

#include <cstdint>

namespace velmora {

enum OperationCode : std::uint8_t {
    OperationNone = 0,
    OperationRead = 1,
    OperationErase = 2,
    OperationProgram = 3,
    OperationVerify = 4,
    // Not sent by the progress window: the headless front end's blank check.
    OperationBlankCheck = 5,
    // Nor this: the device-ID read alone, into the image's device-ID bytes.
    OperationDeviceId = 6,
};

} // namespace velmora
