#pragma once
// The engine on a simulated chip with the virtual clock, behind the fake progress
// window, with the device selected from the project's Devices.ini.

#include <optional>
#include <string>
#include <string_view>

#include "devicedata/DeviceRecord.h"
#include "engine/TPICPr.h"
#include "sim/FaultSet.h"
#include "tests/engine/FakeProgressWindow.h"
#include "tests/simharness/SimHarness.h"
#include "tests/support/ScriptedMessages.h"

namespace velmora::test {

// The project's Devices.ini section of that name, if it has one.
std::optional<DeviceRecord> devicesIniSection(std::string_view name);
// A test program assembled from tests/data at build time.
std::string hexTestFile(std::string_view name);
// A HEX file from another toolchain, outside the repository; it may be absent.
std::string thirdPartyHexFile(std::string_view name);

class ChipUnderTest {
public:
    // chip: the simulated chip; device: the Devices.ini section (defaults to the chip's name);
    // wiring: how the programmer reaches MCLR, for the chip and the engine alike.
    explicit ChipUnderTest(std::string_view chip, std::string_view device = {}, sim::FaultSet faults = {},
                           EntryWiring wiring = EntryWiring::HighVoltage);

    void loadHex(const std::string& path);
    MemoryImage& image() { return engine.data().image; }
    void run(std::uint8_t code) { window.run(code); }

    SimHarness sim;
    TPICPr engine;
    FakeProgressWindow window{engine};
    ScriptedMessages messages;
};

} // namespace velmora::test
