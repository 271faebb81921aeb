// The serial layer of the simulated chip, driven pin by pin: which edge latches PGD,
// when the chip drives PGD and how the programmer's pull-up sees it, what leaving Vpp
// does to a half-clocked command, and the pin-timing rules.

#include <algorithm>

#include <gtest/gtest.h>

#include "sim/SimulatedChip.h"

namespace velmora::sim {
namespace {

class Pins {
public:
    explicit Pins(const char* chipName) : chip(*findChipModel(chipName)) {}

    void write(bool vpp, bool data, bool clock)
    {
        chip.setLines(now, vpp ? high_ : McLr::Low, data, clock);
        vpp_ = vpp;
    }
    void wait(SimTime duration) { now += duration; }
    void enter()
    {
        write(false, false, false);
        wait(10us);
        write(true, false, false);
        wait(10us);
    }
    // PGM high, pgmSetup later MCLR at VDD: from here on "Vpp" is MCLR at VDD.
    void enterLowVoltage(SimTime pgmSetup)
    {
        high_ = McLr::Vdd;
        write(false, false, false);
        wait(10us);
        chip.setPgm(now, true);
        wait(pgmSetup);
        write(true, false, false);
        wait(10us);
    }
    // MCLR at VDD briefly, low `keyDelay` (P18), the key's 32 bits, `toMclr` (P20),
    // MCLR at VDD: from here on "Vpp" is MCLR at VDD.
    void enterByKey(std::uint32_t key, SimTime keyDelay, SimTime toMclr, bool msbFirst = true)
    {
        high_ = McLr::Vdd;
        write(true, false, false);
        wait(10us);
        write(false, false, false);
        wait(keyDelay);
        for (int i = 0; i < 32; ++i) {
            const bool bit = ((key >> (msbFirst ? 31 - i : i)) & 1) != 0;
            write(false, bit, true);
            wait(1us);
            write(false, bit, false);
            wait(i == 31 ? SimTime {} : 1us);
        }
        write(false, false, false);
        wait(toMclr);
        write(true, false, false);
    }
    // One clock: data set with the rising edge, latched on the falling edge.
    void clockBit(bool bit)
    {
        write(vpp_, bit, true);
        wait(5us);
        write(vpp_, bit, false);
        wait(5us);
    }
    void send(std::uint8_t command, std::uint16_t operand)
    {
        for (int i = 0; i < 4; ++i)
            clockBit(((command >> i) & 1) != 0);
        for (int i = 0; i < 16; ++i)
            clockBit(((operand >> i) & 1) != 0);
    }
    // A read command: 4 command bits, 8 ignored bits, then 8 bits sampled while PGC is high.
    std::uint8_t read(std::uint8_t command, bool hostData = true)
    {
        for (int i = 0; i < 4; ++i)
            clockBit(((command >> i) & 1) != 0);
        for (int i = 0; i < 8; ++i)
            clockBit(false);
        std::uint8_t value = 0;
        for (int i = 0; i < 8; ++i) {
            write(vpp_, hostData, true);
            wait(5us);
            value = static_cast<std::uint8_t>(value | (chip.dataIn() ? 1U << i : 0U));
            write(vpp_, hostData, false);
            wait(5us);
        }
        return value;
    }
    void setTablePointer(std::uint32_t address)
    {
        send(0, static_cast<std::uint16_t>(0x0E00 | (address >> 16 & 0xFF)));
        send(0, 0x6EF8);
        send(0, static_cast<std::uint16_t>(0x0E00 | (address >> 8 & 0xFF)));
        send(0, 0x6EF7);
        send(0, static_cast<std::uint16_t>(0x0E00 | (address & 0xFF)));
        send(0, 0x6EF6);
    }
    std::size_t count(ViolationKind kind) const
    {
        return static_cast<std::size_t>(std::ranges::count_if(
            chip.violations(), [kind](const Violation& v) { return v.kind == kind; }));
    }

    SimulatedChip chip;
    SimTime now {};

private:
    bool vpp_ = false;
    McLr high_ = McLr::Vihh;
};

TEST(PinLevel, DataIsLatchedOnTheFallingEdgeNotTheRisingOne)
{
    Pins pins("PIC18F4550");
    pins.enter();
    // MOVLW 3Ch with every bit presented low at the rising edge and corrected before the fall.
    const std::uint16_t operand = 0x0E3C;
    for (int i = 0; i < 20; ++i) {
        const bool bit = i >= 4 && ((operand >> (i - 4)) & 1) != 0;
        pins.write(true, false, true);
        pins.wait(2us);
        pins.write(true, bit, true);
        pins.wait(3us);
        pins.write(true, bit, false);
        pins.wait(5us);
    }
    pins.send(0, 0x6EF8);  // MOVWF TBLPTRU
    EXPECT_EQ(pins.chip.tablePointer(), 0x3C0000U);
    EXPECT_TRUE(pins.chip.violations().empty());
}

TEST(PinLevel, ReadShiftsOutLsbFirstAndTheLineIsTheAndWithTheProgrammer)
{
    Pins pins("PIC18F4550");
    pins.chip.memory().programMemory()[0x10] = 0x96;
    pins.enter();
    pins.setTablePointer(0x10);
    EXPECT_EQ(pins.read(0x8), 0x96);
    EXPECT_EQ(pins.read(0x8, false), 0x00) << "a programmer holding PGD low reads low";
    EXPECT_TRUE(pins.chip.violations().empty());
}

TEST(PinLevel, ChipDrivesOnlyFromTheNinthOperandClockAndReleasesAfterTheSixteenth)
{
    Pins pins("PIC18F4550");
    pins.enter();
    // A zero byte, so the chip's output is visible against the pulled-up line.
    pins.chip.memory().programMemory()[0x20] = 0x00;
    pins.setTablePointer(0x20);
    for (int i = 0; i < 4; ++i)
        pins.clockBit(i == 3);  // 1000: table read
    for (int i = 0; i < 8; ++i) {
        pins.write(true, true, true);
        EXPECT_TRUE(pins.chip.dataIn()) << "input clock " << i;
        pins.write(true, true, false);
    }
    pins.write(true, true, true);
    EXPECT_FALSE(pins.chip.dataIn()) << "the chip drives 0 from clock 9";
    for (int i = 0; i < 7; ++i) {
        pins.write(true, true, false);
        pins.write(true, true, true);
    }
    pins.write(true, true, false);
    EXPECT_TRUE(pins.chip.dataIn()) << "released after clock 16";
}

TEST(PinLevel, LeavingVppResetsAHalfClockedCommand)
{
    Pins pins("PIC18F4550");
    pins.enter();
    for (int i = 0; i < 7; ++i)
        pins.clockBit(true);
    pins.write(false, false, false);
    pins.wait(1ms);
    pins.enter();
    pins.send(0, 0x0E05);
    pins.send(0, 0x6EF6);
    EXPECT_EQ(pins.chip.tablePointer(), 0x05U) << "framing restarted at the new entry";
    EXPECT_TRUE(pins.chip.inProgramMode());
}

// The DS39622 parts, the 1XK22 and the K20 enter at low voltage with their PGM pin.
TEST(PinLevel, LowVoltageEntryNeedsPgmFirstAndTheLvpBit)
{
    for (const char* name : {"PIC18F4550", "PIC18F14K22", "PIC18F45K20"}) {
        SCOPED_TRACE(name);
        Pins pins(name);
        pins.enterLowVoltage(2us);
        ASSERT_TRUE(pins.chip.inProgramMode());
        pins.send(0, 0x0E05);
        pins.send(0, 0x6EF6);
        EXPECT_EQ(pins.chip.tablePointer(), 0x05U);
        pins.write(false, false, false);   // MCLR first, then PGM: P18 >= 0 holds
        pins.chip.setPgm(pins.now, false);
        EXPECT_FALSE(pins.chip.inProgramMode());
        EXPECT_TRUE(pins.chip.violations().empty());
    }

    Pins withoutPgm("PIC18F4550");     // MCLR at VDD alone releases reset: run mode
    withoutPgm.enterLowVoltage(0us);
    withoutPgm.chip.setPgm(withoutPgm.now, false);
    withoutPgm.write(false, false, false);
    withoutPgm.wait(10us);
    withoutPgm.write(true, false, false);
    EXPECT_FALSE(withoutPgm.chip.inProgramMode());

    Pins cleared("PIC18F4550");
    cleared.chip.memory().setConfigByte(kConfig4L, 0x81);
    cleared.enterLowVoltage(5us);
    EXPECT_FALSE(cleared.chip.inProgramMode()) << "LVP = 0: PGM is an ordinary port pin";
    Pins highVoltage("PIC18F4550");
    highVoltage.chip.memory().setConfigByte(kConfig4L, 0x81);
    highVoltage.enter();
    EXPECT_TRUE(highVoltage.chip.inProgramMode()) << "high voltage enters whatever LVP is";
}

TEST(PinLevel, LowVoltageEntryTimingP15AndP18)
{
    Pins hasty("PIC18F4550");
    hasty.enterLowVoltage(1us);
    EXPECT_EQ(hasty.count(ViolationKind::PgmSetupTooShort), 1U);
    EXPECT_TRUE(hasty.chip.inProgramMode());

    Pins early("PIC18F4550");
    early.enterLowVoltage(2us);
    early.chip.setPgm(early.now, false);  // PGM before MCLR
    EXPECT_EQ(early.count(ViolationKind::PgmFellInProgramMode), 1U);
    EXPECT_FALSE(early.chip.inProgramMode());
    EXPECT_EQ(early.chip.violations().size(), 1U);
}

TEST(PinLevel, ClockPhasesAndDataSetupShorterThanPublishedAreReportedOncePerEntry)
{
    Pins pins("PIC18F4550");
    pins.enter();
    for (int i = 0; i < 3; ++i) {
        pins.write(true, false, true);
        pins.wait(20ns);
        pins.write(true, true, false);  // data changes with the falling edge
        pins.wait(20ns);
    }
    EXPECT_EQ(pins.count(ViolationKind::ClockPhaseTooShort), 1U);
    EXPECT_EQ(pins.count(ViolationKind::DataSetupHoldTooShort), 1U);
}

TEST(PinLevel, ReadTurnaroundShorterThanP6IsReported)
{
    Pins pins("PIC18F4550");
    pins.enter();
    for (int i = 0; i < 12; ++i)
        pins.clockBit(i == 3);
    pins.write(true, true, true);  // 5 us after the 8th fall: fine
    EXPECT_EQ(pins.count(ViolationKind::ReadTurnaroundTooShort), 0U);

    Pins hasty("PIC18F4550");
    hasty.enter();
    for (int i = 0; i < 11; ++i)
        hasty.clockBit(i == 3);
    hasty.write(true, false, true);
    hasty.wait(5us);
    hasty.write(true, false, false);
    hasty.wait(10ns);
    hasty.write(true, true, true);
    EXPECT_EQ(hasty.count(ViolationKind::ReadTurnaroundTooShort), 1U);
}

TEST(PinLevel, KeyEntryTakes4D434850MsbFirstWithP18AndP20Kept)
{
    constexpr std::uint32_t kKey = 0x4D434850;
    Pins pins("PIC18F45K22");
    pins.enterByKey(kKey, 1ms, 40ns);
    ASSERT_TRUE(pins.chip.inProgramMode());
    pins.wait(400us);  // P15
    pins.send(0, 0x0E05);
    pins.send(0, 0x6EF6);
    EXPECT_EQ(pins.chip.tablePointer(), 0x05U);
    EXPECT_TRUE(pins.chip.violations().empty());

    struct Refused {
        const char* what;
        std::uint32_t key;
        bool msbFirst;
        SimTime keyDelay;
        SimTime toMclr;
        ViolationKind kind;
    };
    for (const Refused& c : {Refused {"LSb first", kKey, false, 1ms, 1us, ViolationKind::WrongEntryKey},
                             Refused {"wrong key", 0x4D434851, true, 1ms, 1us, ViolationKind::WrongEntryKey},
                             Refused {"short P18", kKey, true, 999us, 1us, ViolationKind::KeyTooSoonAfterMclr},
                             Refused {"short P20", kKey, true, 1ms, 30ns, ViolationKind::MclrTooSoonAfterKey}}) {
        SCOPED_TRACE(c.what);
        Pins refused("PIC18F45K22");
        refused.enterByKey(c.key, c.keyDelay, c.toMclr, c.msbFirst);
        EXPECT_FALSE(refused.chip.inProgramMode());
        ASSERT_EQ(refused.chip.violations().size(), 1U);
        EXPECT_EQ(refused.chip.violations().front().kind, c.kind);
    }
    Pins reversed("PIC18F45K22");
    reversed.enterByKey(kKey, 1ms, 1us, false);
    EXPECT_NE(reversed.chip.violations().front().detail.find("0A12C2B2h (4D434850h sent least significant bit first)"),
              std::string::npos) << reversed.chip.violations().front().detail;
}

TEST(PinLevel, KeyEntryNeedsTheLvpBitAndTheKeyAndThenP15BeforeTheFirstCommand)
{
    Pins cleared("PIC18F45K22");
    cleared.chip.memory().setConfigByte(kConfig4L, 0x81);
    cleared.enterByKey(0x4D434850, 1ms, 1us);
    EXPECT_FALSE(cleared.chip.inProgramMode()) << "LVP = 0: the key is ignored";

    Pins keyless("PIC18F45K22");        // MCLR at VDD with PGM high and no key: run mode
    keyless.enterLowVoltage(2us);
    EXPECT_FALSE(keyless.chip.inProgramMode());
    EXPECT_TRUE(keyless.chip.violations().empty());

    Pins hasty("PIC18F45K22");
    hasty.enterByKey(0x4D434850, 1ms, 1us);
    hasty.wait(300us);
    hasty.send(0, 0x0E05);
    hasty.send(0, 0x6EF6);
    EXPECT_FALSE(hasty.chip.inProgramMode());
    EXPECT_EQ(hasty.chip.tablePointer(), 0x00U) << "the command was not taken";
    ASSERT_EQ(hasty.chip.violations().size(), 1U);
    EXPECT_EQ(hasty.chip.violations().front().kind, ViolationKind::KeyEntryHoldTooShort);
    EXPECT_EQ(hasty.chip.violations().front().parameter, "P15");
}

// The J parts: the key is the only way in, with no LVP bit to consult (the 45J10's
// CONFIG4L has no bit 2), each family's P19 and P12; VIHH on MCLR is a fault.
TEST(PinLevel, JPartsEnterByTheKeyAloneWithTheirP19AndP12AndNeverAtVihh)
{
    constexpr std::uint32_t kKey = 0x4D434850;
    struct Case {
        const char* name;
        SimTime p19;
        SimTime p12;
    };
    for (const Case c : {Case {"PIC18F45J10", 4ms, 400us}, Case {"PIC18F87J11", 10us, 300us},
                         Case {"PIC18F97J60", 1ms, 400us}}) {
        SCOPED_TRACE(c.name);
        Pins pins(c.name);
        pins.enterByKey(kKey, c.p19, 50ns);
        ASSERT_TRUE(pins.chip.inProgramMode());
        pins.wait(c.p12);
        pins.send(0, 0x0E05);
        pins.send(0, 0x6EF6);
        EXPECT_EQ(pins.chip.tablePointer(), 0x05U);
        EXPECT_TRUE(pins.chip.violations().empty());

        Pins early(c.name);
        early.enterByKey(kKey, c.p19 - 1us, 50ns);
        EXPECT_FALSE(early.chip.inProgramMode());
        ASSERT_EQ(early.chip.violations().size(), 1U);
        EXPECT_EQ(early.chip.violations().front().parameter, "P19");

        Pins hasty(c.name);
        hasty.enterByKey(kKey, c.p19, 50ns);
        hasty.wait(c.p12 - 20us);
        hasty.send(0, 0x0E05);
        EXPECT_FALSE(hasty.chip.inProgramMode());
        ASSERT_EQ(hasty.chip.violations().size(), 1U);
        EXPECT_EQ(hasty.chip.violations().front().parameter, "P12");

        Pins vihh(c.name);
        vihh.enter();
        vihh.send(0, 0x0E05);
        EXPECT_FALSE(vihh.chip.inProgramMode());
        ASSERT_FALSE(vihh.chip.violations().empty());
        EXPECT_EQ(vihh.chip.violations().front().kind, ViolationKind::HighVoltageOnMclr);
        EXPECT_EQ(vihh.chip.violations().front().parameter, "VIHH");
    }
}

} // namespace
} // namespace velmora::sim
