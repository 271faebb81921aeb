#include "tests/engine/ChipUnderTest.h"

#include <gtest/gtest.h>

#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"
#include "hexfile/LoadHexFile.h"

namespace velmora::test {

MessageButton MessageRecorder::showMessage(MessageKind, const std::string& text, MessageButtons)
{
    texts.push_back(text);
    return ButtonOk;
}

namespace {
std::string devicesIniPath()
{
    return VELMORA_DEVICES_INI;
}
} // namespace

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
    DeviceList list;
    EXPECT_TRUE(LoadDeviceList(list, devicesIniPath()));
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        list.MoveTo(i);
        const DeviceRecord record = list.CopyCurrent();
        if (record.name != wanted)
            continue;
        engine.data().setMaskSource(devicesIniPath(), &messages);
        engine.data().SelectDevice(record);
        engine.data().ClearImage(true);
        return;
    }
    ADD_FAILURE() << "no device " << wanted << " in " << devicesIniPath();
}

void ChipUnderTest::loadHex(const std::string& path)
{
    messages.texts.clear();
    LoadHexFile(engine.data(), path, messages);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

} // namespace velmora::test
