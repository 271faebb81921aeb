#include "sim/ChipMemory.h"

#include <algorithm>

namespace velmora::sim {

namespace {

constexpr std::uint8_t kErased = 0xFF;
// The revision in DEVID1<3:0>. Bit 4 is left to the model's device ID: on the
// 2420/2520/4420/4520 and their 2423-family twins it names the device.
constexpr std::uint8_t kRevision = 0x02;

// Configuration bytes that hold protection bits, and the bits themselves.
constexpr int kConfig5L = 8;    // CP0..CP7
constexpr int kConfig5H = 9;    // CPB, CPD
constexpr int kConfig6L = 10;   // WRT0..WRT7
constexpr int kConfig6H = 11;   // WRTC, WRTB, WRTD
constexpr int kConfig7L = 12;   // EBTR0..EBTR7
constexpr int kConfig7H = 13;   // EBTRB
constexpr int kFirstProtectionByte = kConfig5L;
constexpr std::uint8_t kBootBit = 0x40;   // CPB, WRTB, EBTRB
constexpr std::uint8_t kCpd = 0x80;
constexpr std::uint8_t kWrtd = 0x80;
constexpr std::uint8_t kWrtc = 0x20;
// The J parts' single code-protect bit: CP0, CONFIG1H bit 2.
constexpr int kConfig1H = 1;
constexpr std::uint8_t kJCp0 = 0x04;

} // namespace

ChipMemory::ChipMemory(const ChipModel& model, const FaultSet& faults)
    : model_(model)
    , faults_(faults)
    , programMemory_(model.programMemorySize, kErased)
    , timesProgrammed_(model.programMemorySize, 0)
    , eeprom_(model.eepromSize, kErased)
{
    eraseEverything();
}

void ChipMemory::setConfigByte(int index, std::uint8_t value)
{
    config_[static_cast<std::size_t>(index)] = value & model_.configMask[static_cast<std::size_t>(index)];
}

std::uint8_t ChipMemory::deviceIdByte(int index) const
{
    if (index == 0)
        return static_cast<std::uint8_t>((model_.deviceId & 0xFF) | kRevision);
    return static_cast<std::uint8_t>(model_.deviceId >> 8);
}

void ChipMemory::eraseEverything()
{
    std::ranges::fill(programMemory_, kErased);
    std::ranges::fill(timesProgrammed_, 0);
    std::ranges::fill(eeprom_, kErased);
    ids_.fill(kErased);
    config_ = model_.configMask;
}

void ChipMemory::loadConfigFromFlash()
{
    if (!isJFamily(model_.family))
        return;
    for (int i = 0; i < kFlashConfigByteCount; ++i)
        setConfigByte(i, programMemory_[model_.flashConfigAddress() + static_cast<std::uint32_t>(i)]);
}

int ChipMemory::timesProgrammed(std::uint32_t address) const
{
    return address < timesProgrammed_.size() ? timesProgrammed_[address] : 0;
}

AddressSpace ChipMemory::spaceOf(std::uint32_t address) const
{
    if (address < model_.programMemorySize)
        return AddressSpace::Code;
    if (address < kIdAddress)
        return AddressSpace::UnimplementedCode;
    if (address < kIdAddress + kIdByteCount)
        return isJFamily(model_.family) ? AddressSpace::Other : AddressSpace::Ids;
    if (address >= kConfigAddress
        && address < kConfigAddress + static_cast<std::uint32_t>(model_.configRegisterCount()))
        return AddressSpace::Config;
    if (address >= kEraseKeyLowAddress && address <= kPanelControlAddress)
        return AddressSpace::Registers;
    if (address == kDeviceIdAddress || address == kDeviceIdAddress + 1)
        return AddressSpace::DeviceId;
    return AddressSpace::Other;
}

std::uint8_t ChipMemory::readTable(std::uint32_t address) const
{
    switch (spaceOf(address)) {
    case AddressSpace::Code:
        if (isCodeProtected(address))
            return 0;
        return withStuckBit(address, programMemory_[address]);
    case AddressSpace::Ids:
        return withStuckBit(address, ids_[address - kIdAddress]);
    case AddressSpace::Config:
        return withStuckBit(address, config_[address - kConfigAddress]);
    case AddressSpace::DeviceId:
        return deviceIdByte(static_cast<int>(address - kDeviceIdAddress));
    default:
        return 0;
    }
}

std::uint8_t ChipMemory::readEeprom(std::uint32_t cell) const
{
    if (cell >= eeprom_.size() || protectionOn(kConfig5H, kCpd))
        return 0;
    return withStuckBit(kHexEepromAddress + cell, eeprom_[cell]);
}

bool ChipMemory::isCodeProtected(std::uint32_t address) const
{
    if (address >= model_.programMemorySize)
        return false;
    if (isJFamily(model_.family))
        return protectionOn(kConfig1H, kJCp0);
    if (address < model_.bootBlockSize)
        return protectionOn(kConfig5H, kBootBit);
    const auto block = address / model_.codeBlockSize();
    return protectionOn(kConfig5L, static_cast<std::uint8_t>(1U << block));
}

bool ChipMemory::anyCodeBlockProtected() const
{
    if (isJFamily(model_.family))
        return protectionOn(kConfig1H, kJCp0);
    return (model_.configMask[kConfig5L] & ~config_[kConfig5L]) != 0;
}

bool ChipMemory::isWriteProtected(std::uint32_t address) const
{
    // The J parts' CP0 guards reads only (DS39687E section 2.2); their configuration
    // registers are copies that no table write reaches.
    if (isJFamily(model_.family))
        return spaceOf(address) != AddressSpace::Code;
    switch (spaceOf(address)) {
    case AddressSpace::Code: {
        if (isCodeProtected(address))
            return true;
        if (address < model_.bootBlockSize)
            return protectionOn(kConfig6H, kBootBit);
        const auto block = address / model_.codeBlockSize();
        return protectionOn(kConfig6L, static_cast<std::uint8_t>(1U << block));
    }
    case AddressSpace::Config:
        return protectionOn(kConfig6H, kWrtc);
    case AddressSpace::Ids:
        return false;
    default:
        return true;
    }
}

bool ChipMemory::isEepromWriteProtected() const
{
    return protectionOn(kConfig6H, kWrtd) || protectionOn(kConfig5H, kCpd);
}

void ChipMemory::programFlashByte(std::uint32_t address, std::uint8_t value)
{
    switch (spaceOf(address)) {
    case AddressSpace::Code:
        programMemory_[address] &= value;
        if (value != kErased && timesProgrammed_[address] < 0xFF)
            ++timesProgrammed_[address];
        return;
    case AddressSpace::Ids:
        ids_[address - kIdAddress] &= value;
        return;
    default:
        return;
    }
}

void ChipMemory::programConfigByte(int index, std::uint8_t value)
{
    const auto i = static_cast<std::size_t>(index);
    // A bulk erase is the only way back from a programmed protection bit.
    if (index >= kFirstProtectionByte)
        value &= config_[i];
    setConfigByte(index, value);
}

void ChipMemory::writeEepromCell(std::uint32_t cell, std::uint8_t value)
{
    if (cell < eeprom_.size())
        eeprom_[cell] = value;
}

void ChipMemory::erase(const EraseSelection& selection)
{
    if (selection.bootBlock) {
        eraseCode(0, model_.bootBlockSize);
        releaseProtection(kConfig5H, kBootBit);
        releaseProtection(kConfig6H, kBootBit);
        releaseProtection(kConfig7H, kBootBit);
    }
    const auto blockSize = model_.codeBlockSize();
    for (int block = 0; block < model_.codeBlockCount(); ++block) {
        if ((selection.codeBlocks & (1U << block)) == 0)
            continue;
        const auto begin = std::max(static_cast<std::uint32_t>(block) * blockSize, model_.bootBlockSize);
        eraseCode(begin, (static_cast<std::uint32_t>(block) + 1) * blockSize);
        const auto bit = static_cast<std::uint8_t>(1U << block);
        releaseProtection(kConfig5L, bit);
        releaseProtection(kConfig6L, bit);
        releaseProtection(kConfig7L, bit);
    }
    if (selection.eeprom) {
        std::ranges::fill(eeprom_, kErased);
        releaseProtection(kConfig5H, kCpd);
        releaseProtection(kConfig6H, kWrtd);
    }
    if (selection.ids)
        ids_.fill(kErased);
    if (selection.protectionBits) {
        for (int index = kFirstProtectionByte; index < kConfigByteCount; ++index)
            releaseProtection(index, kErased);
    }
    if (selection.configuration)
        config_ = model_.configMask;
}

void ChipMemory::eraseRow(std::uint32_t address, std::uint32_t rowSize)
{
    const auto begin = address & ~(rowSize - 1);
    eraseCode(begin, begin + rowSize);
}

bool ChipMemory::storeImageByte(std::uint32_t hexAddress, std::uint8_t value)
{
    if (hexAddress >= kHexEepromAddress) {
        const auto cell = hexAddress - kHexEepromAddress;
        if (cell >= eeprom_.size())
            return false;
        eeprom_[cell] = value;
        return true;
    }
    switch (spaceOf(hexAddress)) {
    case AddressSpace::Code:
        programMemory_[hexAddress] = value;
        timesProgrammed_[hexAddress] = value == kErased ? 0 : 1;
        if (hexAddress >= model_.flashConfigAddress())
            loadConfigFromFlash();
        return true;
    case AddressSpace::Ids:
        ids_[hexAddress - kIdAddress] = value;
        return true;
    case AddressSpace::Config:
        // The J parts' registers come from flash; the image's copy of them is only read.
        if (isJFamily(model_.family))
            return true;
        setConfigByte(static_cast<int>(hexAddress - kConfigAddress), value);
        return true;
    default:
        return false;
    }
}

bool ChipMemory::protectionOn(int configIndex, std::uint8_t bit) const
{
    const auto i = static_cast<std::size_t>(configIndex);
    return (model_.configMask[i] & bit) != 0 && (config_[i] & bit) == 0;
}

void ChipMemory::releaseProtection(int configIndex, std::uint8_t bits)
{
    const auto i = static_cast<std::size_t>(configIndex);
    config_[i] = static_cast<std::uint8_t>(config_[i] | (bits & model_.configMask[i]));
}

void ChipMemory::eraseCode(std::uint32_t begin, std::uint32_t end)
{
    end = std::min(end, model_.programMemorySize);
    if (begin >= end)
        return;
    std::fill(programMemory_.begin() + begin, programMemory_.begin() + end, kErased);
    std::fill(timesProgrammed_.begin() + begin, timesProgrammed_.begin() + end, 0);
}

std::uint8_t ChipMemory::withStuckBit(std::uint32_t hexAddress, std::uint8_t value) const
{
    if (!faults_.stuckBit || faults_.stuckBit->address != hexAddress)
        return value;
    const auto mask = static_cast<std::uint8_t>(1U << faults_.stuckBit->bit);
    return faults_.stuckBit->level ? static_cast<std::uint8_t>(value | mask)
                                   : static_cast<std::uint8_t>(value & ~mask);
}

} // namespace velmora::sim
