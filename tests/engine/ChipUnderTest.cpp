#include "tests/engine/ChipUnderTest.h"

#include <gtest/gtest.h>

#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"
#include "hexfile/LoadHexFile.h"

namespace velmora::test {

namespace {
std::string devicesIniPath()
{
    return VELMORA_DEVICES_INI;
}
} // namespace

std::optional<DeviceRecord> devicesIniSection(std::string_view name)
{
    DeviceList list;
    EXPECT_TRUE(LoadDeviceList(list, devicesIniPath()));
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        list.MoveTo(i);
        if (list.CopyCurrent().name == name)
            return list.CopyCurrent();
    }
    return std::nullopt;
}

std::string hexTestFile(std::string_view name)
{
    return std::string(VELMORA_TEST_HEX_DIR) + "/" + std::string(name);
}

std::string thirdPartyHexFile(std::string_view name)
{
    return std::string(VELMORA_SHARED_HEX_DIR) + "/" + std::string(name);
}

ChipUnderTest::ChipUnderTest(std::string_view chip, std::string_view device, sim::FaultSet faults,
                             EntryWiring wiring)
    : sim(chip, faults, wiring)
{
    engine.entryWiring = wiring;
    const std::string wanted(device.empty() ? chip : device);
    const std::optional<DeviceRecord> record = devicesIniSection(wanted);
    if (!record) {
        ADD_FAILURE() << "no device " << wanted << " in " << devicesIniPath();
        return;
    }
    engine.data().setMaskSource(devicesIniPath(), &messages);
    engine.data().SelectDevice(*record);
    engine.data().ClearImage(true);
}

void ChipUnderTest::loadHex(const std::string& path)
{
    messages.shown.clear();
    LoadHexFile(engine.data(), path, messages);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
}

} // namespace velmora::test
