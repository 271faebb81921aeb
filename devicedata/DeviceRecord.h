#pragma once
// One device of the database: the values of one Devices.ini section.

#include <cstdint>
#include <optional>
#include <string>

#include "devicedata/WriteStrategy.h"

namespace velmora {

struct DeviceRecord {
    std::string name;
    std::int32_t programMemorySize = 0;
    std::int32_t eepromSize = 0;
    std::int32_t configType = 1;
    bool longEEAddr = false;
    WriteStrategy writeStrategy = WriteStrategy::Panels;
    std::int32_t writeBufferSize = 8;
    bool ccp2mxApp = false;
    bool waitAndPmApp = false;
    bool cp0App = true;
    bool cp1App = true;
    bool cp2App = true;
    bool cp3App = true;
    // The chip's answer to a device-ID read, revision bits clear; empty when the
    // section names none (or one that is not a 16-bit number).
    std::optional<std::uint16_t> deviceId;
    std::uint16_t deviceIdMask = 0xFFE0;
};

} // namespace velmora
