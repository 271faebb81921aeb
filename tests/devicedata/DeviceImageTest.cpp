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

DeviceRecord smallDevice()
{
    DeviceRecord record;
    record.name = "PIC18F242";
    record.programMemorySize = 16384;
    record.eepromSize = 256;
    record.configType = 1;
    record.ccp2mxApp = true;
    return record;
}

TEST(DeviceImage, StartsZeroFilledWithTheConstructionValues)
{
    const auto owner = std::make_unique<DeviceImage>();
    const MemoryImage& image = owner->image;
    EXPECT_EQ(image.programMemorySize, 0u);
    EXPECT_EQ(image.eepromSize, 0u);
    EXPECT_TRUE(allEqual(image.programMemory, sizeof image.programMemory, 0));
    EXPECT_TRUE(allEqual(image.eeprom, sizeof image.eeprom, 0));
    EXPECT_TRUE(allEqual(image.config, sizeof image.config, 0));
    EXPECT_TRUE(allEqual(owner->programPresent, sizeof owner->programPresent, 0));
    EXPECT_TRUE(allEqual(owner->eepromPresent, sizeof owner->eepromPresent, 0));
    const SelectedDevice& device = owner->device;
    EXPECT_EQ(device.name, "");
    EXPECT_EQ(device.configType, 1);
    EXPECT_FALSE(device.longEEAddr);
    EXPECT_EQ(device.writeStrategy, 1);
    EXPECT_EQ(device.writeBufferSize, 8);
    EXPECT_TRUE(device.ccp2mxApp);
    EXPECT_FALSE(device.waitAndPmApp);
    EXPECT_TRUE(device.cp0App && device.cp1App && device.cp2App && device.cp3App);
}

TEST(DeviceImage, NoDeviceDefaultsChangeOnlySizesAndCcp2mx)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->SelectDevice(smallDevice());
    owner->ApplyNoDeviceDefaults();
    EXPECT_EQ(owner->image.programMemorySize, 0x4000u);
    EXPECT_EQ(owner->image.eepromSize, 0x100u);
    EXPECT_FALSE(owner->device.ccp2mxApp);
    EXPECT_EQ(owner->device.configType, 1);
    EXPECT_EQ(owner->device.name, "");
    EXPECT_EQ(owner->device.writeBufferSize, 8);
}

TEST(DeviceImage, ClearImageBlanksEveryBufferWholeAndSetsPresentBits)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->SelectDevice(smallDevice());
    for (bool present : {false, true}) {
        SCOPED_TRACE(present);
        std::fill(std::begin(owner->image.programMemory), std::end(owner->image.programMemory), 0x12);
        std::fill(std::begin(owner->image.eeprom), std::end(owner->image.eeprom), 0x34);
        std::fill(std::begin(owner->image.ids), std::end(owner->image.ids), 0x56);
        std::fill(std::begin(owner->image.deviceId), std::end(owner->image.deviceId), 0x78);
        owner->SetProgramPresent(0x12345, !present);
        owner->SetEepromPresent(0x1234, !present);
        owner->ClearImage(present);

        const MemoryImage& image = owner->image;
        EXPECT_TRUE(allEqual(image.programMemory, sizeof image.programMemory, 0xFF));
        EXPECT_TRUE(allEqual(image.eeprom, sizeof image.eeprom, 0xFF));
        EXPECT_TRUE(allEqual(image.ids, sizeof image.ids, 0xFF));
        EXPECT_TRUE(allEqual(image.deviceId, sizeof image.deviceId, 0xFF));
        // Every address, also beyond the device's 16 KB and 256 bytes.
        bool programAsFlag = true;
        for (Address a = 0; a < kProgramMemoryCapacity; ++a)
            programAsFlag = programAsFlag && owner->IsProgramPresent(a) == present;
        bool eepromAsFlag = true;
        for (Address a = 0; a < kEepromCapacity; ++a)
            eepromAsFlag = eepromAsFlag && owner->IsEepromPresent(a) == present;
        EXPECT_TRUE(programAsFlag);
        EXPECT_TRUE(eepromAsFlag);
    }
}

TEST(DeviceImage, PresentBitOfAddressIsBitAMod8OfByteADiv8)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->ClearImage(false);
    owner->SetProgramPresent(0x0B, true);
    EXPECT_EQ(owner->programPresent[1], 0x08);
    owner->SetProgramPresent(0xFFFFF, true);
    EXPECT_EQ(owner->programPresent[0x1FFFF], 0x80);
    owner->SetEepromPresent(0x10, true);
    EXPECT_EQ(owner->eepromPresent[2], 0x01);
    EXPECT_TRUE(owner->IsProgramPresent(0x0B));
    EXPECT_FALSE(owner->IsProgramPresent(0x0A));
    EXPECT_FALSE(owner->IsProgramPresent(0x0C));

    owner->SetProgramPresent(0x0B, false);
    EXPECT_EQ(owner->programPresent[1], 0x00);
    owner->ClearImage(true);
    owner->SetEepromPresent(0x11, false);
    EXPECT_EQ(owner->eepromPresent[2], 0xFD);
    EXPECT_FALSE(owner->IsEepromPresent(0x11));
}

TEST(DeviceImage, AddressesBeyondTheBitmapsAreIgnored)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->ClearImage(true);
    owner->SetProgramPresent(kProgramMemoryCapacity, false);
    owner->SetEepromPresent(kEepromCapacity, false);
    owner->SetProgramPresent(0xFFFFFFFF, false);
    EXPECT_TRUE(allEqual(owner->programPresent, sizeof owner->programPresent, 0xFF));
    EXPECT_TRUE(allEqual(owner->eepromPresent, sizeof owner->eepromPresent, 0xFF));
    EXPECT_FALSE(owner->IsProgramPresent(kProgramMemoryCapacity));
    EXPECT_FALSE(owner->IsEepromPresent(kEepromCapacity));
}

TEST(DeviceImage, SelectDeviceCopiesTheRecordAndLeavesTheImage)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->ClearImage(true);
    owner->image.programMemory[0] = 0x12;
    DeviceRecord record;
    record.name = "Custom";
    record.programMemorySize = 0x100000;
    record.eepromSize = 0x10000;
    record.configType = 7;
    record.longEEAddr = true;
    record.writeStrategy = 2;
    record.writeBufferSize = 64;
    record.ccp2mxApp = false;
    record.waitAndPmApp = true;
    record.cp0App = false;
    record.cp1App = true;
    record.cp2App = false;
    record.cp3App = true;
    owner->SelectDevice(record);

    EXPECT_EQ(owner->image.programMemory[0], 0x12);
    EXPECT_EQ(owner->image.programMemorySize, 0x100000u);
    EXPECT_EQ(owner->image.eepromSize, 0x10000u);
    const SelectedDevice& device = owner->device;
    EXPECT_EQ(device.name, "Custom");
    EXPECT_EQ(device.configType, 7);
    EXPECT_TRUE(device.longEEAddr);
    EXPECT_EQ(device.writeStrategy, 2);
    EXPECT_EQ(device.writeBufferSize, 64);
    EXPECT_FALSE(device.ccp2mxApp);
    EXPECT_TRUE(device.waitAndPmApp);
    EXPECT_FALSE(device.cp0App);
    EXPECT_TRUE(device.cp1App);
    EXPECT_FALSE(device.cp2App);
    EXPECT_TRUE(device.cp3App);
}

TEST(DeviceImage, SelectDeviceKeepsSizesWithinTheBuffers)
{
    const auto owner = std::make_unique<DeviceImage>();
    DeviceRecord record = smallDevice();
    record.programMemorySize = 0x100001;
    record.eepromSize = -1;
    owner->SelectDevice(record);
    EXPECT_EQ(owner->image.programMemorySize, kProgramMemoryCapacity);
    EXPECT_EQ(owner->image.eepromSize, kEepromCapacity);
}

TEST(DeviceImage, LargerDeviceAfterClearShowsNoTraceOfTheOldData)
{
    const auto owner = std::make_unique<DeviceImage>();
    owner->SelectDevice(smallDevice());
    owner->ClearImage(false);
    owner->image.programMemory[0x3FFF] = 0x00;
    owner->image.programMemory[0x4000] = 0x00; // beyond the small device
    owner->image.eeprom[0xFF] = 0x00;
    owner->image.ids[7] = 0x00;
    owner->image.deviceId[1] = 0x12;
    owner->SetProgramPresent(0x3FFF, true);

    DeviceRecord larger = smallDevice();
    larger.name = "PIC18F8720";
    larger.programMemorySize = 131072;
    larger.eepromSize = 1024;
    owner->SelectDevice(larger);
    owner->ClearImage(false);
    EXPECT_TRUE(allEqual(owner->image.programMemory, kProgramMemoryCapacity, 0xFF));
    EXPECT_TRUE(allEqual(owner->image.eeprom, kEepromCapacity, 0xFF));
    EXPECT_EQ(owner->image.ids[7], 0xFF);
    EXPECT_EQ(owner->image.deviceId[1], 0xFF);
    EXPECT_FALSE(owner->IsProgramPresent(0x3FFF));
}

} // namespace
} // namespace velmora
