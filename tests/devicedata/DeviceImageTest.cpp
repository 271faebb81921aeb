#include "devicedata/DeviceImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace velmora {
namespace {

bool allEqual(const std::uint8_t* bytes, std::size_t count, std::uint8_t value)
{
    return std::all_of(bytes, bytes + count, [value](std::uint8_t b) { return b == value; });
}

TEST(DeviceImage, NoDeviceDefaultsAreASectionsDefaultsWithTheStartSizes)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->device.name = "PIC18F452";
    owner->device.writeBufferSize = 32;
    owner->ApplyNoDeviceDefaults();
    EXPECT_EQ(owner->image.programMemorySize, 0x4000u);
    EXPECT_EQ(owner->image.eepromSize, 0x100u);
    EXPECT_FALSE(owner->device.ccp2mxApp);
    EXPECT_EQ(owner->device.name, "");
    EXPECT_EQ(owner->device.writeBufferSize, 8);
    EXPECT_TRUE(owner->device.cp3App);
}

// Dirty buffers of a small device, then a clear for a larger one: every byte of
// every buffer is blank again and every present bit, beyond both sizes too, is the flag.
TEST(DeviceImage, ClearImageBlanksWholeBuffersAndSetsEveryPresentBit)
{
    const auto owner = std::make_unique<DeviceImage>();
    DeviceRecord record;
    record.programMemorySize = 16384;
    record.eepromSize = 256;
    for (bool present : {false, true}) {
        SCOPED_TRACE(present);
        owner->SelectDevice(record);
        MemoryImage& image = owner->image;
        std::fill(std::begin(image.programMemory), std::end(image.programMemory), 0x12);
        std::fill(std::begin(image.eeprom), std::end(image.eeprom), 0x34);
        std::fill(std::begin(image.ids), std::end(image.ids), 0x56);
        std::fill(std::begin(image.deviceId), std::end(image.deviceId), 0x78);
        owner->SetProgramPresent(0x12345, !present);
        owner->SetEepromPresent(0xFFFF, !present);
        record.programMemorySize = 131072;
        owner->SelectDevice(record);
        owner->ClearImage(present);

        EXPECT_TRUE(allEqual(image.programMemory, sizeof image.programMemory, 0xFF));
        EXPECT_TRUE(allEqual(image.eeprom, sizeof image.eeprom, 0xFF));
        EXPECT_TRUE(allEqual(image.ids, sizeof image.ids, 0xFF));
        EXPECT_TRUE(allEqual(image.deviceId, sizeof image.deviceId, 0xFF));
        Address mismatches = 0;
        for (Address a = 0; a < kProgramMemoryCapacity; ++a)
            mismatches += owner->IsProgramPresent(a) != present;
        for (Address a = 0; a < kEepromCapacity; ++a)
            mismatches += owner->IsEepromPresent(a) != present;
        EXPECT_EQ(mismatches, 0u);
    }
}

TEST(DeviceImage, PresentBitOfAddressIsBitAMod8OfByteADiv8)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->ClearImage(false);
    owner->SetProgramPresent(0x0B, true);
    owner->SetProgramPresent(0xFFFFF, true);
    owner->SetEepromPresent(0x10, true);
    EXPECT_EQ(owner->programPresent[1], 0x08);
    EXPECT_EQ(owner->programPresent[0x1FFFF], 0x80);
    EXPECT_EQ(owner->eepromPresent[2], 0x01);
    EXPECT_TRUE(owner->IsProgramPresent(0x0B));
    EXPECT_FALSE(owner->IsProgramPresent(0x0A) || owner->IsProgramPresent(0x0C));

    owner->ClearImage(true);
    owner->SetEepromPresent(0x11, false);
    owner->SetEepromPresent(0x12, true);
    EXPECT_EQ(owner->eepromPresent[2], 0xFD);
    EXPECT_FALSE(owner->IsEepromPresent(0x11));

    // Outside the bitmaps nothing is written and nothing is present.
    owner->SetProgramPresent(kProgramMemoryCapacity, false);
    owner->SetProgramPresent(0xFFFFFFFF, false);
    owner->SetEepromPresent(kEepromCapacity, false);
    EXPECT_TRUE(allEqual(owner->programPresent, sizeof owner->programPresent, 0xFF));
    EXPECT_FALSE(owner->IsProgramPresent(kProgramMemoryCapacity) || owner->IsEepromPresent(kEepromCapacity));
}

TEST(DeviceImage, SelectDeviceCopiesEveryFieldAndLeavesTheImage)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->image.programMemory[0] = 0x12;
    DeviceRecord record{
        {"Custom", 7, true, WriteStrategy::Buffers, ProgrammingFamily::K20, 64, false, true, false, true, false, true},
        0x100000, 0x10000, DeviceIdState::Usable, 0x1200, 0xFFF0, {}, {}, {}, {}};
    owner->SelectDevice(record);
    EXPECT_EQ(owner->image.programMemory[0], 0x12);
    EXPECT_EQ(owner->image.programMemorySize, 0x100000u);
    EXPECT_EQ(owner->image.eepromSize, 0x10000u);
    const SelectedDevice& d = owner->device;
    EXPECT_EQ(d.name, "Custom");
    EXPECT_EQ(d.configType, 7);
    EXPECT_EQ(d.writeStrategy, WriteStrategy::Buffers);
    EXPECT_EQ(d.family, ProgrammingFamily::K20);
    EXPECT_EQ(d.writeBufferSize, 64);
    const bool flags[] = {d.longEEAddr, d.ccp2mxApp, d.waitAndPmApp, d.cp0App, d.cp1App, d.cp2App, d.cp3App};
    const bool expected[] = {true, false, true, false, true, false, true};
    EXPECT_TRUE(std::equal(std::begin(flags), std::end(flags), std::begin(expected)));

    // A record that skipped the database's checks still cannot size past the buffers.
    record.programMemorySize = 0x100001;
    record.eepromSize = -1;
    owner->SelectDevice(record);
    EXPECT_EQ(owner->image.programMemorySize, kProgramMemoryCapacity);
    EXPECT_EQ(owner->image.eepromSize, kEepromCapacity);
}

} // namespace
} // namespace velmora
