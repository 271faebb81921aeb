#pragma once
// One device of the database: the values of one Devices.ini section.

#include <cstdint>
#include <string>

#include "devicedata/WriteStrategy.h"

namespace velmora {

// What a section's DeviceID and DeviceIDMask keys let the program tell about its chip.
enum class DeviceIdState {
    Absent,     // no DeviceID: the section names no chip and nothing is checked
    Usable,     // deviceId under deviceIdMask names the device
    Unusable,   // the keys are there but cannot name it; deviceIdProblem says why
};

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
    DeviceIdState deviceIdState = DeviceIdState::Absent;
    // The chip's answer to a device-ID read, revision bits clear; meaningful when usable.
    std::uint16_t deviceId = 0;
    std::uint16_t deviceIdMask = 0xFFE0;
    // When unusable: the key at fault (lower-cased, as the lookup knows it) and why.
    std::string deviceIdProblemKey;
    std::string deviceIdProblem;
};

} // namespace velmora
