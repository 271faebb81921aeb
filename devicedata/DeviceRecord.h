#pragma once
// One device of the database: the values of one Devices.ini section.

#include <cstdint>
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
};

} // namespace velmora
