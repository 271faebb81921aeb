// The words both front ends have for an identified chip: what it is, what to check when
// none answers, and how it differs from the selected device.

#include "engine/ChipIdentity.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using Kind = ChipIdentity::Kind;

const ChipIdentity kTwoNames {Kind::Named, 0x0427, {"PIC18F452", "MYBOARD452"}, 7, {}};
const ChipIdentity kUnnamed {Kind::UnnamedInFamily, 0x1203, {}, 3, "PIC18F2XXX/4XXX (DS39622)"};
const ChipIdentity kSilent {Kind::Silent, 0xFFFF, {}, 0x1F, {}};

TEST(ChipIdentityWords, DescribeEveryKind)
{
    EXPECT_EQ(describeChip(kTwoNames), "device ID 0x0427: PIC18F452 or MYBOARD452, revision 7");
    EXPECT_EQ(describeChip(kUnnamed),
              "device ID 0x1203: a PIC18F2XXX/4XXX (DS39622) ID that no device of the database names, revision 3");
    EXPECT_EQ(describeChip(kSilent), "device ID 0xFFFF: no chip answering");
}

TEST(ChipIdentityWords, MismatchNamesTheChipAndTheSelectedDevice)
{
    EXPECT_EQ(chipMismatch(kTwoNames, "MYBOARD452"), "") << "any section that names the chip will do";
    EXPECT_EQ(chipMismatch(kTwoNames, "PIC18F2420"), "chip answers as PIC18F452 (0x0427), but PIC18F2420 is selected");
    EXPECT_EQ(chipMismatch(kUnnamed, "PIC18F452"),
              "chip answers with device ID 0x1203, a PIC18F2XXX/4XXX (DS39622) ID that no device of the database "
              "names, but PIC18F452 is selected");
    EXPECT_EQ(chipMismatch(kSilent, "PIC18F452"), "no chip answers, PIC18F452 is selected");
}

// A serial device by its path, in each system's own form.
#ifdef _WIN32
constexpr const char* kSerialDevicePath = "\\\\.\\COM10";
#else
constexpr const char* kSerialDevicePath = "/dev/ttyUSB0";
#endif

// How the front end names its line check.
constexpr const char* kCheck = "the wiring check";

TEST(SilentChipChecklist, SaysWhatWasReadAndSuitsTheProgrammer)
{
    const std::string jdm = silentChipChecklist(0xFFFF, kSerialDevicePath, kCheck);
    EXPECT_EQ(jdm.rfind("no chip answering: data in read high on every bit (0xFFFF).\n", 0), 0U);
    for (const char* item : {"Vpp reaches MCLR", "VDD and ground", "PGC and PGD are not swapped", "PGM is pulled low",
                             "seated"})
        EXPECT_NE(jdm.find(item), std::string::npos) << item;
    EXPECT_NE(jdm.find("TxD; the wiring check leaves it off"), std::string::npos);
    EXPECT_NE(jdm.find("(the wiring check checks the data path)"), std::string::npos);
    EXPECT_EQ(jdm.find("fault="), std::string::npos);
    // Every spelling corvant opens as a serial port gets the JDM's advice.
    for (const char* port : {"COM3", "Com1"})
        EXPECT_NE(silentChipChecklist(0xFFFF, port, kCheck).find("TxD"), std::string::npos) << port;

    const std::string sim = silentChipChecklist(0x0000, "SIM:PIC18F452,fault=absent", kCheck);
    EXPECT_NE(sim.find("read low on every bit (0x0000)"), std::string::npos);
    EXPECT_NE(sim.find("fault="), std::string::npos);
    EXPECT_EQ(sim.find("TxD"), std::string::npos);
    EXPECT_EQ(sim.find("LVP bit (CONFIG4L"), std::string::npos);

    // Entered at low voltage: the LVP bit, the PGM line and the bulk-erase supply, no Vpp.
    for (const char* port : {"SIM:PIC18F4550,lvp", "GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=22"}) {
        const std::string lvp = silentChipChecklist(0xFFFF, port, kCheck);
        for (const char* item : {"LVP bit (CONFIG4L bit 2) is set", "needs high voltage", "PGM (RB5) is wired",
                                 "3.0 V to 5.5 V for a bulk erase", "VDD and ground"})
            EXPECT_NE(lvp.find(item), std::string::npos) << port << ": " << item << "\n" << lvp;
        EXPECT_EQ(lvp.find("Vpp reaches MCLR"), std::string::npos) << port;
        EXPECT_EQ(lvp.find("PGM is pulled low"), std::string::npos) << port;
    }

    // Entered by the key: the LVP bit, a key-entry part and the mclr= line; no PGM line anywhere.
    for (const char* port : {"SIM:PIC18F45K22,lvp", "GPIO:gpiochip0,mclr=17,pgc=27,pgd=22"}) {
        const std::string key = silentChipChecklist(0xFFFF, port, kCheck);
        for (const char* item : {"LVP bit (CONFIG4L bit 2) is set", "a part entered by the key sequence",
                                 "parts with a PGM pin need pgm= too", "MCLR is wired to the mclr= line",
                                 "2.7 V or more for a bulk erase on PIC18F2XK22/4XK22"})
            EXPECT_NE(key.find(item), std::string::npos) << port << ": " << item << "\n" << key;
        for (const char* item : {"PGM (RB5)", "PGM is pulled low", "Vpp reaches MCLR", "3.0 V to 5.5 V"})
            EXPECT_EQ(key.find(item), std::string::npos) << port << ": " << item;
    }
}

} // namespace
} // namespace velmora
