// velmora-cli on the GPIO programmer, end to end: the real GPIO back end and its
// libgpiod calls, answered by a stand-in library (put in front of libgpiod) with
// a simulated PIC18F452 on the lines. The chip keeps its memory in an image file
// between runs and reports every violation it saw on stderr.

#include <filesystem>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/cli/SmallerPart.h"
#include "tests/support/ShellRun.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

using CliRun = velmora::test::ShellRun;

class CliOnGpio : public ::testing::Test {
protected:
    // launcher: a command that runs velmora-cli, such as timeout.
    CliRun cli(const std::string& port, const std::string& arguments, const std::string& environment = {},
               const std::string& launcher = {}) const
    {
        // A sanitizer runtime wants to be first; the stand-in must be, and only it.
        const std::string command = environment + " LD_PRELOAD=\"" + VELMORA_GPIOD_STANDIN_LIBRARY + "\""
            + " ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0\""
            + " VELMORA_GPIOD_STANDIN=\"SIM:" + chipModel_ + ",image=" + (dir_ / "chip.hex").string() + "\" " + launcher + " \"" + VELMORA_CLI
            + "\" --port '" + port + "' " + devices_ + arguments;
        return velmora::test::runInShell(command, dir_);
    }

    // From here on the device's shipped section with only progMemSize bytes of flash:
    // enough for the test program's rows, and each verify reads no more.
    void trimFlash(const std::string& device, std::uint32_t progMemSize)
    {
        const fs::path database = dir_ / "Devices.ini";
        ASSERT_TRUE(velmora::test::writeTrimmedDatabase(VELMORA_DEVICES_INI, device, progMemSize, database)) << device;
        devices_ = "--devices \"" + database.string() + "\" ";
    }

    // Programs the file, then verifies it (through verifyPort where given), each without
    // a violation on the chip's side; the verify's run for further checks.
    CliRun programAndVerify(const std::string& port, const std::string& device, const std::string& hex,
                            const std::string& verifyPort = {}) const
    {
        const CliRun program = cli(port, "--device " + device + " program \"" + hex + "\"");
        EXPECT_EQ(program.status, 0) << program.out << program.err;
        EXPECT_THAT(program.out, HasSubstr("Programming has been performed.\n"));
        EXPECT_THAT(program.err, Not(HasSubstr("violation")));
        EXPECT_TRUE(fs::exists(dir_ / "chip.hex"));

        const CliRun verify = cli(verifyPort.empty() ? port : verifyPort, "--device " + device + " verify \"" + hex + "\"");
        EXPECT_EQ(verify.status, 0) << verify.out << verify.err;
        EXPECT_THAT(verify.out, HasSubstr("content does not differ\nfrom this content of computer program.\n"));
        EXPECT_THAT(verify.err, Not(HasSubstr("violation")));
        return verify;
    }

    // identify, without a device named, names this one.
    void identifies(const std::string& port, const std::string& device) const
    {
        const CliRun identify = cli(port, "identify");
        EXPECT_EQ(identify.status, 0) << identify.out << identify.err;
        EXPECT_THAT(identify.out, HasSubstr(": " + device + ", revision "));
    }

    velmora::test::TempFolder folder_;
    fs::path dir_ = folder_.path();
    std::string chipModel_ = "PIC18F452";
    std::string devices_;
};

// Programming and verifying read every area back, so a wrong data-in line fails either;
// the verify goes through a separate data-in line on the chip found by its number.
// The test program's rows lie in the first 8 KB panel.
TEST_F(CliOnGpio, ProgramsAndVerifiesTheSimulatedChip)
{
    trimFlash("PIC18F452", 0x2000);
    const CliRun verify = programAndVerify("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22", "PIC18F452", VELMORA_TEST_HEX,
                                           "GPIO:0,vpp=17,pgc=27,pgd=22,pgdin=23");
    EXPECT_THAT(verify.err, Not(HasSubstr("Warning"))) << "a GPIO port is fast";
}

// Four wires and no programming voltage: PGM high, then MCLR at logic level.
TEST_F(CliOnGpio, ProgramsAndVerifiesAtLowVoltageOnAChipFoundByItsLabel)
{
    // A file that keeps LVP set: the chip stays enterable at low voltage.
    chipModel_ = "PIC18F4550";
    trimFlash("PIC18F4550", 0x800);
    const std::string hex = std::string(VELMORA_TEST_HEX_DIR) + "/pic18f4550-lvp.hex";
    const std::string port = "GPIO:pinctrl-rp1,mclr=17,pgm=24,pgc=27,pgd=22";
    programAndVerify(port, "PIC18F4550", hex);

    const CliRun info = cli(port, "info");
    EXPECT_THAT(info.out, HasSubstr("GPIO programmer on pinctrl-rp1 at /dev/gpiochip0, low-voltage entry (MCLR=17, PGM=24"));
}

// Three wires: MCLR at logic level and no PGM line; the 32-bit key goes in with MCLR low.
TEST_F(CliOnGpio, ProgramsAndVerifiesAK22EnteredByTheKey)
{
    chipModel_ = "PIC18F45K22,lvp";   // the board's line 17 reaches MCLR at logic level
    const fs::path hex = dir_ / "key.hex";
    ASSERT_TRUE(velmora::test::writeWithRecordMoved(std::string(VELMORA_TEST_HEX_DIR) + "/pic18f45k22-key.hex",
                                                    velmora::test::kK22SecondRowInto8K, hex));
    trimFlash("PIC18F45K22", 0x2000);
    const std::string port = "GPIO:gpiochip0,mclr=17,pgc=27,pgd=22";
    programAndVerify(port, "PIC18F45K22", hex.string());
    identifies(port, "PIC18F45K22");
    EXPECT_THAT(cli(port, "info").out, HasSubstr("GPIO programmer on gpiochip0, low-voltage entry by key sequence (MCLR=17, PGC=27"));
}

// The 1XK22's PGM pin is RC3; the entry is the classic one, PGM high and then MCLR.
TEST_F(CliOnGpio, ProgramsAndVerifiesA1XK22EnteredThroughItsPgmPin)
{
    chipModel_ = "PIC18F14K22";
    const std::string hex = std::string(VELMORA_TEST_HEX_DIR) + "/pic18f14k22-lvp.hex";
    const std::string port = "GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=22";
    programAndVerify(port, "PIC18F14K22", hex);
}

// A J part: the key on MCLR alone (it has no high-voltage mode), its configuration words
// written with the top block of flash. The one whole chip of this suite: its words sit
// at the top of the shipped 64 KB.
TEST_F(CliOnGpio, ProgramsAndVerifiesAJPartEnteredByTheKey)
{
    chipModel_ = "PIC18F46J50,lvp";
    const std::string hex = std::string(VELMORA_TEST_HEX_DIR) + "/pic18f46j50-key.hex";
    const std::string port = "GPIO:gpiochip0,mclr=17,pgc=27,pgd=22";
    programAndVerify(port, "PIC18F46J50", hex);
    identifies(port, "PIC18F46J50");
}

TEST_F(CliOnGpio, ADeviceThatIsNoGpioChipIsRefusedUnopened)
{
    const CliRun info = cli("GPIO:null,vpp=17,pgc=27,pgd=22", "info");
    EXPECT_NE(info.status, 0);
    EXPECT_THAT(info.out, HasSubstr("cannot open GPIO chip null: not a GPIO chip"));
}

TEST_F(CliOnGpio, ASlowPortIsWarnedAboutBeforeTheOperation)
{
    const CliRun erase = cli("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22", "--device PIC18F452 erase",
                             "VELMORA_GPIOD_STANDIN_DELAY_US=1500");
    EXPECT_EQ(erase.status, 0) << erase.out << erase.err;
    EXPECT_THAT(erase.err, HasSubstr("Warning: this port is slow. GPIO programmer on gpiochip0"));
    EXPECT_THAT(erase.err, HasSubstr(": a full read of a 32 KB chip takes about "));
    EXPECT_THAT(erase.err, HasSubstr("(the protocol alone needs 9.7 s)"));
    EXPECT_LT(erase.err.find("Warning"), erase.err.size());
    EXPECT_THAT(erase.out, HasSubstr("Erasing has been performed."));
}

// With data in on PGD itself, the check cannot see PGC and PGD swapped, and says so.
TEST_F(CliOnGpio, WiringSaysWhatAnOpenDrainPgdCannotShow)
{
    const std::string caveat = "data in is read on the PGD line itself here";
    const CliRun swapped = cli("GPIO:gpiochip0,vpp=17,pgc=22,pgd=27", "wiring");
    EXPECT_EQ(swapped.status, 0) << swapped.err;
    EXPECT_THAT(swapped.out, HasSubstr("the PGD path works\n" + caveat));
    EXPECT_NE(cli("GPIO:gpiochip0,vpp=17,pgc=22,pgd=27", "identify").status, 0) << "the chip is not reached";

    const CliRun separate = cli("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,pgdin=23", "wiring");
    EXPECT_THAT(separate.out, Not(HasSubstr(caveat)));
}

// On a port this slow the whole device-ID read takes many seconds; a signal is served at
// the next command instead, and the chip is not named. The read takes about 9 s here, so
// a TERM after 4 s falls inside it even where a sanitizer build is slow to start.
TEST_F(CliOnGpio, ASignalDuringTheIdReadOnASlowPortIsServedAtOnce)
{
    const CliRun identify = cli("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22", "identify",
                                "VELMORA_GPIOD_STANDIN_DELAY_US=20000", "timeout --preserve-status -s TERM 4");
    EXPECT_EQ(identify.status, 143) << identify.out << identify.err;
    EXPECT_EQ(identify.out, "") << "the whole read was waited for";
    EXPECT_THAT(identify.err, HasSubstr("cancelled\n"));
}

TEST_F(CliOnGpio, InfoShowsTheWiringAndTheSpeedLine)
{
    const CliRun info = cli("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22", "info");
    EXPECT_EQ(info.status, 0) << info.out << info.err;
    EXPECT_THAT(info.out, HasSubstr("GPIO programmer on gpiochip0 (Vpp=17, PGC=27, PGD=22 open-drain"));
    EXPECT_THAT(info.out, HasSubstr("a full read of a 32 KB chip takes about "));

    const CliRun missing = cli("GPIO:gpiochip7,vpp=17,pgc=27,pgd=22", "info");
    EXPECT_NE(missing.status, 0);
    EXPECT_THAT(missing.out, HasSubstr("cannot open GPIO chip gpiochip7"));
}

} // namespace
