#pragma once
// One device of the database: the values of one Devices.ini section. Its defaults are
// what a section without the key means, and the engine starts from them too.

#include <cstdint>
#include <string>

#include "devicedata/ProgrammingFamily.h"
#include "devicedata/WriteStrategy.h"

namespace velmora {

// What a section's DeviceID and DeviceIDMask keys let the program tell about its chip.
enum class DeviceIdState {
    Absent,     // no DeviceID: the section names no chip and nothing is checked
    Usable,     // deviceId under deviceIdMask names the device
    Unusable,   // the keys are there but cannot name it; deviceIdProblem says why
};

// The bits that name the device in every programming guide: DEVID2 and DEVID1<7:5>.
// The rest are revision bits, of which some parts lend DEVID1<4> to the device; a
// section without a DeviceIDMask names its device by these bits alone.
inline constexpr std::uint16_t kDeviceIdDeviceBits = 0xFFE0;

// The fields the engine keeps for the selected device beside the image, which holds
// the sizes; they steer the configuration masks and the programming engine.
struct SelectedDevice {
    std::string name;
    std::int32_t configType = 1;
    bool longEEAddr = false;
    WriteStrategy writeStrategy = WriteStrategy::Panels;
    ProgrammingFamily family = ProgrammingFamily::Classic;
    std::int32_t writeBufferSize = 8;
    bool ccp2mxApp = false;
    bool waitAndPmApp = false;
    bool cp0App = true;
    bool cp1App = true;
    bool cp2App = true;
    bool cp3App = true;
};

// A section's record: what selecting it copies, its sizes and its device-ID keys.
struct DeviceRecord : SelectedDevice {
    std::int32_t programMemorySize = 0;
    std::int32_t eepromSize = 0;
    DeviceIdState deviceIdState = DeviceIdState::Absent;
    // The chip's answer to a device-ID read, revision bits clear; meaningful when usable.
    std::uint16_t deviceId = 0;
    std::uint16_t deviceIdMask = kDeviceIdDeviceBits;
    // When unusable: the key at fault (lower-cased, as the lookup knows it) and why.
    std::string deviceIdProblemKey;
    std::string deviceIdProblem;
    // When the Family key cannot steer the device: the key at fault (lower-cased) and
    // why. Such a device is refused whatever the ID check, as no family's steps fit it.
    std::string familyProblemKey;
    std::string familyProblem;
};

} // namespace velmora
