#include "tests/sim/PublishedSequences.h"

#include "signalling/HW_Cntrl.h"
#include "signalling/PinDriver.h"

namespace velmora::test::published {

namespace {

constexpr std::uint8_t kCore = 0x0;
constexpr std::uint8_t kShiftOut = 0x2;
constexpr std::uint8_t kReadPostInc = 0x9;
constexpr std::uint8_t kWrite = 0xC;
constexpr std::uint8_t kWritePostInc = 0xD;
constexpr std::uint8_t kWriteStart = 0xF;

constexpr std::uint16_t kNop = 0x0000;
constexpr std::uint16_t kMovlw = 0x0E00;
constexpr std::uint16_t kMovwfTblptru = 0x6EF8;
constexpr std::uint16_t kMovwfTblptrh = 0x6EF7;
constexpr std::uint16_t kMovwfTblptrl = 0x6EF6;
constexpr std::uint16_t kMovwfEeadr = 0x6EA9;
constexpr std::uint16_t kMovwfEeadrh = 0x6EAA;
constexpr std::uint16_t kMovwfEedata = 0x6EA8;
constexpr std::uint16_t kMovwfEecon2 = 0x6EA7;
constexpr std::uint16_t kMovwfTablat = 0x6EF5;
constexpr std::uint16_t kMovfEecon1 = 0x50A6;
constexpr std::uint16_t kMovfEedata = 0x50A8;
constexpr std::uint16_t kBsfEepgd = 0x8EA6;
constexpr std::uint16_t kBcfEepgd = 0x9EA6;
constexpr std::uint16_t kBsfCfgs = 0x8CA6;
constexpr std::uint16_t kBcfCfgs = 0x9CA6;
constexpr std::uint16_t kBsfWren = 0x84A6;
constexpr std::uint16_t kBcfWren = 0x94A6;
constexpr std::uint16_t kBsfWr = 0x82A6;
constexpr std::uint16_t kBsfFree = 0x88A6;
constexpr std::uint16_t kBsfRd = 0x80A6;
constexpr std::uint16_t kGoto100000First = 0xEF00;
constexpr std::uint16_t kGoto100000Second = 0xF800;

constexpr std::uint32_t kDischargeUnits = 20;   // P10, 100 us
constexpr std::uint8_t kWrBit = 0x02;

std::uint16_t movlw(std::uint32_t value)
{
    return static_cast<std::uint16_t>(kMovlw | (value & 0xFF));
}

std::uint16_t word(std::uint8_t low, std::uint8_t high)
{
    return static_cast<std::uint16_t>(high << 8 | low);
}

bool clockWrite(std::uint8_t data, std::uint8_t clock)
{
    PinState& pins = pinState();
    pins.data = data;
    pins.clock = clock;
    return currentPinDriver().programmerWrite(pins.vpp, pins.data, pins.clock);
}

bool sendBits(std::uint32_t bits, int count)
{
    for (int i = 0; i < count; ++i, bits >>= 1) {
        if (!ClockOutBit(static_cast<std::uint8_t>(bits & 1)))
            return false;
    }
    return true;
}

bool sendOperand(std::uint16_t operand)
{
    return sendBits(operand, 16) && IdleLines() && currentPinDriver().delay(1);
}

// Polls WR through TABLAT until it reads clear, then holds PGC low for P10 and clears WREN.
bool pollWrThenDischarge(std::uint32_t dischargeUnits, int& polls)
{
    // Nothing bounds the poll on a chip whose write never ends; tests cap it.
    constexpr int kMaxPolls = 2000;
    while (polls < kMaxPolls) {
        ++polls;
        if ((readEecon1() & kWrBit) == 0)
            return currentPinDriver().delay(dischargeUnits) && core(kBcfWren);
    }
    return false;
}

// EEPROM selected, EEADR (and EEADRH), EEDATA, WREN, and the 55h/AAh unlock if asked:
// everything of a data EEPROM write before WR.
bool loadEepromWrite(std::uint32_t cell, std::uint8_t value, bool longAddress, bool unlock)
{
    if (!selectSpace(false, false) || !core(movlw(cell)) || !core(kMovwfEeadr))
        return false;
    if (longAddress && !(core(movlw(cell >> 8)) && core(kMovwfEeadrh)))
        return false;
    if (!core(movlw(value)) || !core(kMovwfEedata) || !core(kBsfWren))
        return false;
    return !unlock || (core(movlw(0x55)) && core(kMovwfEecon2) && core(movlw(0xAA)) && core(kMovwfEecon2));
}

// TBLPTR; 1101 x n; 1111; NOP held P9 then low P10: a write once EECON1 is set up.
bool loadBufferAndProgram(std::uint32_t address, std::span<const std::uint8_t> bytes, KWriteTiming timing)
{
    if (!setTablePointer(address))
        return false;
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 2) {
        if (!SendCommand(kWritePostInc, word(bytes[i], bytes[i + 1])))
            return false;
    }
    const std::size_t last = bytes.size() - 2;
    return SendCommand(kWriteStart, word(bytes[last], bytes[last + 1]))
        && sendWithHeldFourthClock(kCore, kNop, timing.pulseUnits, timing.dischargeUnits);
}

} // namespace

bool core(std::uint16_t instruction)
{
    return SendCommand(kCore, instruction);
}

bool setTablePointer(std::uint32_t address)
{
    return core(movlw(address >> 16)) && core(kMovwfTblptru) && core(movlw(address >> 8)) && core(kMovwfTblptrh)
        && core(movlw(address)) && core(kMovwfTblptrl);
}

std::vector<std::uint8_t> readBytes(std::uint32_t address, std::size_t count)
{
    std::vector<std::uint8_t> bytes;
    if (!setTablePointer(address))
        return bytes;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t value = 0;
        if (!SendCommandReadByte(kReadPostInc, value))
            break;
        bytes.push_back(value);
    }
    return bytes;
}

std::uint8_t readByte(std::uint32_t address)
{
    const auto bytes = readBytes(address, 1);
    return bytes.empty() ? 0 : bytes[0];
}

bool selectSpace(bool eepgd, bool cfgs)
{
    return core(eepgd ? kBsfEepgd : kBcfEepgd) && core(cfgs ? kBsfCfgs : kBcfCfgs);
}

bool bulkEraseBufferFamily(std::uint16_t option, std::uint32_t waitUnits)
{
    const auto high = static_cast<std::uint8_t>(option >> 8);
    const auto low = static_cast<std::uint8_t>(option);
    return setTablePointer(0x3C0005) && SendCommand(kWrite, word(high, high)) && setTablePointer(0x3C0004)
        && SendCommand(kWrite, word(low, low)) && core(kNop)
        && (waitUnits == 0 ? SendCommandEraseWait(kCore, kNop) : sendWithGap(kCore, kNop, waitUnits));
}

bool bulkErasePanelFamily(std::uint8_t option)
{
    return setTablePointer(0x3C0004) && SendCommand(kWrite, option) && core(kNop)
        && SendCommandEraseWait(kCore, kNop);
}

bool writeBuffer(std::uint32_t address, std::span<const std::uint8_t> bytes)
{
    if (!selectSpace(true, false) || !setTablePointer(address))
        return false;
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 2) {
        if (!SendCommand(kWritePostInc, word(bytes[i], bytes[i + 1])))
            return false;
    }
    const std::size_t last = bytes.size() - 2;
    return SendCommand(kWriteStart, word(bytes[last], bytes[last + 1])) && SendCommandProgramWait(kCore, kNop);
}

bool setPanelMode(bool multiPanel)
{
    return selectSpace(true, true) && setTablePointer(0x3C0006) && SendCommand(kWrite, multiPanel ? 0x0040 : 0x0000);
}

bool writeMultiPanelRows(std::uint32_t offset, const std::vector<std::vector<std::uint8_t>>& rows)
{
    if (!selectSpace(true, false))
        return false;
    for (std::size_t panel = 0; panel < rows.size(); ++panel) {
        const auto& row = rows[panel];
        if (!setTablePointer(static_cast<std::uint32_t>(panel) * 0x2000 + offset))
            return false;
        for (std::size_t i = 0; i < 6; i += 2) {
            if (!SendCommand(kWritePostInc, word(row[i], row[i + 1])))
                return false;
        }
        const bool lastPanel = panel + 1 == rows.size();
        if (!SendCommand(lastPanel ? kWriteStart : kWrite, word(row[6], row[7])))
            return false;
    }
    return SendCommandProgramWait(kCore, kNop);
}

bool writeConfigByte(std::uint32_t address, std::uint8_t value, bool gotoFirst)
{
    if (!selectSpace(true, true))
        return false;
    if (gotoFirst && !(core(kGoto100000First) && core(kGoto100000Second)))
        return false;
    return setTablePointer(address) && SendCommand(kWriteStart, word(value, value))
        && SendCommandProgramWait(kCore, kNop);
}

bool writeEeprom(std::uint32_t cell, std::uint8_t value, bool longAddress, bool unlock, int& polls)
{
    polls = 0;
    return loadEepromWrite(cell, value, longAddress, unlock) && core(kBsfWr) && core(kNop)
        && pollWrThenDischarge(kDischargeUnits, polls);
}

bool writeBufferWithWren(std::uint32_t address, std::span<const std::uint8_t> bytes, KWriteTiming timing)
{
    return selectSpace(true, false) && core(kBsfWren) && loadBufferAndProgram(address, bytes, timing);
}

bool writeBufferJ(std::uint32_t address, std::span<const std::uint8_t> bytes, KWriteTiming timing)
{
    return core(kBsfWren) && loadBufferAndProgram(address, bytes, timing);
}

bool rowEraseJ(std::uint32_t address, std::uint32_t holdUnits, std::uint32_t lowUnits)
{
    return core(kBsfWren) && setTablePointer(address) && core(kBsfFree) && core(kBsfWr)
        && sendWithHeldFourthClock(kCore, kNop, holdUnits, lowUnits);
}

bool writeConfigByteWithWren(std::uint32_t address, std::uint8_t value, KWriteTiming timing)
{
    return selectSpace(true, true) && core(kBsfWren) && setTablePointer(address)
        && SendCommand(kWriteStart, word(value, value))
        && sendWithHeldFourthClock(kCore, kNop, timing.pulseUnits, timing.dischargeUnits);
}

bool writeEepromTwoNops(std::uint32_t cell, std::uint8_t value, bool longAddress, bool unlock,
                        std::uint32_t dischargeUnits, int& polls)
{
    polls = 0;
    return loadEepromWrite(cell, value, longAddress, unlock) && core(kBsfWr) && core(kNop) && core(kNop)
        && pollWrThenDischarge(dischargeUnits, polls);
}

bool rowEraseSelfTimed(std::uint32_t address, std::uint32_t dischargeUnits, int& polls)
{
    polls = 0;
    return selectSpace(true, false) && core(kBsfWren) && setTablePointer(address) && core(kBsfFree)
        && core(kBsfWr) && core(kNop) && core(kNop) && pollWrThenDischarge(dischargeUnits, polls);
}

bool enterByKey(std::uint32_t key, bool msbFirst, std::uint32_t keyDelayUnits, std::uint32_t holdUnits)
{
    PinState& pins = pinState();
    PinDriver& driver = currentPinDriver();
    pins = PinState {};
    pins.vpp = 1;
    if (!driver.programmerWrite(1, 0, 0) || !driver.delay(1))
        return false;
    pins.vpp = 0;
    if (!driver.programmerWrite(0, 0, 0) || !driver.delay(keyDelayUnits))
        return false;
    for (int i = 0; i < 32; ++i) {
        const int shift = msbFirst ? 31 - i : i;
        if (!ClockOutBit(static_cast<std::uint8_t>((key >> shift) & 1)))
            return false;
    }
    if (!IdleLines() || !driver.delay(1))
        return false;
    pins.vpp = 1;
    return driver.programmerWrite(1, 0, 0) && driver.delay(holdUnits);
}

std::uint8_t readEeprom(std::uint32_t cell, bool longAddress)
{
    std::uint8_t value = 0;
    const bool sent = selectSpace(false, false) && core(movlw(cell)) && core(kMovwfEeadr)
        && (!longAddress || (core(movlw(cell >> 8)) && core(kMovwfEeadrh))) && core(kBsfRd) && core(kMovfEedata)
        && core(kMovwfTablat) && core(kNop) && SendCommandReadByte(kShiftOut, value);
    return sent ? value : 0;
}

std::uint8_t readEecon1()
{
    std::uint8_t value = 0;
    const bool sent =
        core(kMovfEecon1) && core(kMovwfTablat) && core(kNop) && SendCommandReadByte(kShiftOut, value);
    return sent ? value : 0xFF;
}

bool sendWithHeldFourthClock(std::uint8_t command, std::uint16_t operand, std::uint32_t highUnits,
                             std::uint32_t lowUnits)
{
    if (!sendBits(command, 3))
        return false;
    const auto fourth = static_cast<std::uint8_t>((command >> 3) & 1);
    return clockWrite(fourth, 1) && currentPinDriver().delay(highUnits) && clockWrite(fourth, 0)
        && currentPinDriver().delay(1) && IdleLines() && currentPinDriver().delay(lowUnits)
        && sendOperand(operand);
}

bool sendWithGap(std::uint8_t command, std::uint16_t operand, std::uint32_t units)
{
    return sendBits(command, 4) && IdleLines() && currentPinDriver().delay(units) && sendOperand(operand);
}

} // namespace velmora::test::published
