// The SIM port strings: default chip, chip names in any case, options in any order,
// and everything else refused so that ComInit fails.

#include <gtest/gtest.h>

#include "corvant/sim/SimPortOptions.h"

namespace velmora::sim {
namespace {

TEST(SimPort, BareSimIsTheDefaultChipWithoutFiles)
{
    for (const char* port : {"SIM", "sim", "SIM:"}) {
        const auto options = parseSimPort(port);
        ASSERT_TRUE(options) << port;
        EXPECT_EQ(options->chip->name, "PIC18F452") << port;
        EXPECT_TRUE(options->imagePath.empty());
        EXPECT_TRUE(options->tracePath.empty());
        EXPECT_FALSE(options->faults.chipAbsent || options->faults.vppNeverArrives || options->faults.dataInStuckLow);
        EXPECT_FALSE(options->lowVoltage) << port;
    }
}

TEST(SimPort, LowVoltageEntryOnceInAnyCaseAndOnlyWhereTheChipCan)
{
    const auto lvp = parseSimPort("SIM:PIC18F4550,image=c.hex,LVP");
    ASSERT_TRUE(lvp);
    EXPECT_TRUE(lvp->lowVoltage);
    EXPECT_EQ(lvp->imagePath, "c.hex");
    EXPECT_EQ(lowVoltageRefusal(*lvp), "");
    EXPECT_FALSE(parseSimPort("SIM:PIC18F4550,lvp,lvp"));
    EXPECT_FALSE(parseSimPort("SIM:PIC18F4550,lvp=1"));

    // A PGM-pin part without the LVP bit: refused by name.
    ChipModel noLvp = *findChipModel("PIC18F4550");
    noLvp.name = "PIC18F4550X";
    noLvp.configMask[kConfig4L] = static_cast<std::uint8_t>(noLvp.configMask[kConfig4L] & ~kLvpBit);
    SimPortOptions options;
    options.chip = &noLvp;
    options.lowVoltage = true;
    EXPECT_EQ(lowVoltageRefusal(options).rfind("PIC18F4550X has no LVP configuration bit", 0), 0U)
        << lowVoltageRefusal(options);
    options.lowVoltage = false;
    EXPECT_EQ(lowVoltageRefusal(options), "");
    // A key-entry part needs the bit as well.
    ChipModel keyWithoutLvp = *findChipModel("PIC18F45K22");
    keyWithoutLvp.configMask[kConfig4L] = static_cast<std::uint8_t>(keyWithoutLvp.configMask[kConfig4L] & ~kLvpBit);
    options.chip = &keyWithoutLvp;
    options.lowVoltage = true;
    EXPECT_NE(lowVoltageRefusal(options).find("has no LVP configuration bit"), std::string::npos);
    // Every chip of the table has a way in (the PGM pin or the entry key) and the bit,
    // or, as the J parts, no bit and the key as its only way.
    for (const ChipModel& model : chipModels()) {
        options.chip = &model;
        options.lowVoltage = true;
        EXPECT_EQ(lowVoltageRefusal(options), "") << model.name;
    }
}

TEST(SimPort, FaultsCombineEachOnce)
{
    const auto absent = parseSimPort("SIM:PIC18F452,FAULT=Absent");
    ASSERT_TRUE(absent);
    EXPECT_TRUE(absent->faults.chipAbsent);
    EXPECT_FALSE(absent->faults.vppNeverArrives);

    const auto both = parseSimPort("SIM:PIC18F4550,fault=no-vpp,image=c.hex,fault=data-in-low");
    ASSERT_TRUE(both);
    EXPECT_FALSE(both->faults.chipAbsent);
    EXPECT_TRUE(both->faults.vppNeverArrives);
    EXPECT_TRUE(both->faults.dataInStuckLow);
    EXPECT_EQ(both->imagePath, "c.hex");
}

TEST(SimPort, ChipNameAndOptionsInAnyOrderAndCase)
{
    const auto options = parseSimPort("Sim:pic18f4550,TRACE=/tmp/a b.txt,image=chip.hex");
    ASSERT_TRUE(options);
    EXPECT_EQ(options->chip->name, "PIC18F4550");
    EXPECT_EQ(options->imagePath, "chip.hex");
    EXPECT_EQ(options->tracePath, "/tmp/a b.txt");

    const auto defaultChip = parseSimPort("SIM:,image=x.hex");
    ASSERT_TRUE(defaultChip);
    EXPECT_EQ(defaultChip->chip->name, "PIC18F452");
}

TEST(SimPort, RefusesWhatItCannotHonourAndSaysWhich)
{
    EXPECT_FALSE(parseSimPort("COM1"));
    const struct {
        const char* port;
        const char* reason;   // found in the refusal
    } cases[] = {
        {"SIMULATOR", "a chip name follows SIM after a colon, not ULATOR"},
        {"SIM PIC18F452", "after a colon, not  PIC18F452"},
        {"SIM:PIC16F84", "no simulated chip named PIC16F84"},
        {"SIM:PIC18F452,image=", "no value given for image="},
        {"SIM:PIC18F452,speed=9", "unknown option speed=9"},
        {"SIM:PIC18F452,image=a.hex,image=b.hex", "option given twice: image="},
        {"SIM:PIC18F452,trace=a,TRACE=b", "option given twice: trace="},
        {"SIM:PIC18F452,", "an empty option"},
        {"SIM:PIC18F452,,image=a.hex", "an empty option"},
        {"SIM:PIC18F452,fault=", "unknown fault  (absent, no-vpp, data-in-low)"},
        {"SIM:PIC18F452,fault=loose", "unknown fault loose"},
        {"SIM:PIC18F452,fault=absent,fault=ABSENT", "option given twice: fault=ABSENT"},
    };
    for (const auto& c : cases) {
        std::string refusal;
        EXPECT_FALSE(parseSimPort(c.port, &refusal)) << c.port;
        EXPECT_NE(refusal.find(c.reason), std::string::npos) << c.port << ": " << refusal;
    }
}

} // namespace
} // namespace velmora::sim
