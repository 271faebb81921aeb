// velmora-cli run as a user runs it, on the simulated programmer with the real delay
// library: the chip is kept in an image file between runs.

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devicedata/DeviceImage.h"
#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/SaveHexFile.h"
#include "tests/cli/SmallerPart.h"
#include "tests/support/ShellRun.h"
#include "tests/support/TempFolder.h"

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;
using test::count;

#if defined(_WIN32)
constexpr const char* kCorvantFileName = "corvant.dll";
#else
constexpr const char* kCorvantFileName = "libcorvant.so.1";
#endif

using CliRun = test::ShellRun;
using test::readAll;

class Silent final : public UserMessages {
public:
    MessageButton showMessage(MessageKind, const std::string& text, MessageButtons) override
    {
        shown.push_back(text);
        return ButtonOk;
    }
    std::vector<std::string> shown;
};

class CliOnSimulatedChip : public ::testing::Test {
protected:
    std::string port() const { return "SIM:PIC18F452,image=" + chipFile_.string(); }
    // A PIC18F4550 on the same image, quoted for the command line.
    std::string chip4550() const { return "\"SIM:PIC18F4550,image=" + chipFile_.string() + "\""; }

    CliRun cli(const std::string& arguments) const
    {
        return test::runInShell(std::string("\"") + VELMORA_CLI + "\" " + arguments, dir_);
    }

    // A PIC18F452 image loaded from a HEX file through the project's own loader.
    std::unique_ptr<DeviceImage> load(const fs::path& file) const
    {
        auto image = std::make_unique<DeviceImage>();
        DeviceList list;
        EXPECT_TRUE(LoadDeviceList(list, VELMORA_DEVICES_INI));
        for (std::int32_t i = 0; i < list.Count(); ++i) {
            list.MoveTo(i);
            if (list.CopyCurrent().name == "PIC18F452")
                image->SelectDevice(list.CopyCurrent());
        }
        Silent messages;
        LoadHexFile(*image, file.string(), messages);
        EXPECT_TRUE(messages.shown.empty());
        return image;
    }

    test::TempFolder folder_;
    fs::path dir_ = folder_.path();
    fs::path chipFile_ = dir_ / "chip.hex";
};

TEST_F(CliOnSimulatedChip, ProgramThenVerifyAGpasmBuiltFile)
{
    const std::string hex = VELMORA_TEST_HEX;
    CliRun program = cli("--port \"" + port() + "\" --device pic18f452 program \"" + hex + "\"");
    ASSERT_EQ(program.status, 0) << program.out << program.err;
    EXPECT_NE(program.out.find("Programming has been performed.\n"), std::string::npos);
    EXPECT_NE(program.out.find("Verification: configuration"), std::string::npos);

    // The chip kept what it was given: compare the saved chip with the file.
    const auto expected = load(hex);
    const auto chip = load(chipFile_);
    const MemoryImage& e = expected->image;
    const MemoryImage& c = chip->image;
    for (std::uint32_t a = 0; a < e.programMemorySize; ++a)
        ASSERT_EQ(c.programMemory[a], e.programMemory[a]) << a;
    for (std::uint32_t a = 0; a < e.eepromSize; ++a)
        ASSERT_EQ(c.eeprom[a], e.eeprom[a]) << a;
    for (int i = 0; i < kIdCount; ++i)
        EXPECT_EQ(c.ids[i], e.ids[i]);

    // A second run verifies the whole chip (about ten seconds of real protocol time).
    // Without --device: the chip names the device before the file is loaded for it.
    CliRun verify = cli("--port \"" + port() + "\" verify \"" + hex + "\"");
    EXPECT_EQ(verify.status, 0) << verify.out << verify.err;
    EXPECT_EQ(verify.out.rfind("device ID 0x0422: PIC18F452, revision 2\n", 0), 0U) << verify.out;
    EXPECT_NE(verify.out.find("PIC's programmable memory content does not differ\nfrom this content of computer "
                              "program.\n"),
              std::string::npos);

    // A read through a database that knows the chip as a 64-byte part saves what it holds.
    const fs::path tiny = dir_ / "Tiny.ini";
    std::ofstream(tiny) << "[TINY452]\nProgMemSize=64\nEEPROMDataMemSize=16\n";
    const fs::path saved = dir_ / "saved.hex";
    CliRun read = cli("--port \"" + port() + "\" --devices \"" + tiny.string() + "\" --device TINY452 read \""
                      + saved.string() + "\"");
    ASSERT_EQ(read.status, 0) << read.out << read.err;
    EXPECT_NE(read.out.find("Read has been performed.\n"), std::string::npos);
    const std::string savedText = readAll(saved);
    EXPECT_EQ(savedText.rfind(":020000040000FA\r\n:1000000080EF00F0FFFFFFFF1100FFFFFFFFFFFF", 0), 0U) << savedText;
    EXPECT_NE(savedText.find(":100000005049433138207465737400FFFFFFFFFF"), std::string::npos) << "EEPROM";

    // One EEPROM cell changed on the chip: the question, Yes, and the status for differences.
    chip->image.eeprom[2] = 0x00;
    Silent messages;
    SaveHexFile(*chip, chipFile_.string(), messages);
    CliRun differs =
        cli("--port \"" + port() + "\" --device PIC18F452 --no-program --no-ids --no-config verify \"" + hex + "\"");
    EXPECT_EQ(differs.status, 1) << differs.out << differs.err;
    EXPECT_NE(differs.out.find("Difference was found.\nByte of PIC's EEPROM data memory at 000002 address.\n"
                               "Value from device: 00,\nValue from computer program: 43.\n"
                               "Continue check PIC's EEPROM data memory? Abort- exit verify.\n-> Yes\n"),
              std::string::npos);
    EXPECT_NE(differs.out.find("content differs\n"), std::string::npos);
}

// A file that does not load, a declined question, a program the write method cannot fill
// and a wiring that cannot enter the device all stop before the port opens: the simulated
// chip's image is never made.
TEST_F(CliOnSimulatedChip, RefusalsComeBeforeThePortOpens)
{
    const fs::path bad = dir_ / "bad.hex";
    std::ofstream(bad) << ":0400000080EF00F09E\n:00000001FF\n";   // checksum off by one
    const fs::path small = dir_ / "small.hex";
    std::ofstream(small) << ":020000000102FB\n:00000001FF\n";
    const std::string image = ",image=" + chipFile_.string() + "\" ";
    const std::string hex = std::string(" \"") + VELMORA_TEST_HEX + "\"";
    const struct {
        std::string arguments;
        std::vector<const char*> says;
    } cases[] = {
        {"\"SIM:PIC18F452" + image + "--device PIC18F452 program \"" + bad.string() + "\"",
         {"INHX32 HEX file error.\nIncorrect checksum at line 1."}},
        {"\"SIM:PIC18F452" + image + "--device PIC18F452 --checksum sum --checksum-warn 0x1234 program" + hex,
         {"Add checksum anyway?\n-> No"}},
        {"\"SIM:PIC18F1220" + image + "--device PIC18F1220 --multi-panel program \"" + small.string() + "\"",
         {"Device program memory does not consist\nof integer amount of panel(s).\nnothing was sent to the chip"}},
        {"\"SIM:PIC18F45K22,lvp" + image + "--device PIC18F4550 erase",
         {"PIC18F4550 enters low-voltage programming through its PGM pin (RB5)", "nothing was sent to the chip"}},
        {"\"SIM:PIC18F45K22,lvp" + image + "--device PIC18F14K22 erase",
         {"Add pgm=<line> to the port, wired to RC3", "nothing was sent to the chip"}},
        {"\"SIM:PIC18F4550,lvp" + image + "--device PIC18F45K22 erase",
         {"PIC18F45K22 has no PGM pin: it enters low-voltage programming by the 32-bit key",
          "nothing was sent to the chip"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun refused = cli("--port " + c.arguments);
        EXPECT_EQ(refused.status, 2);
        for (const char* part : c.says)
            EXPECT_NE(refused.err.find(part), std::string::npos) << part << "\n" << refused.err;
        EXPECT_FALSE(fs::exists(chipFile_)) << "the port was opened";
    }
}

TEST_F(CliOnSimulatedChip, AFileWithoutItsEndRecordIsRefusedUnlessAccepted)
{
    const fs::path noEnd = dir_ / "noend.hex";
    std::ofstream(noEnd) << ":020000040020DA\n:080000000102030405060708D4\n";
    const std::string idsOnly = "--device PIC18F452 --no-program --no-eeprom --no-config --no-ids ";
    for (const char* command : {"program", "verify"}) {
        CliRun refused = cli("--port \"" + port() + "\" " + idsOnly + command + " \"" + noEnd.string() + "\"");
        EXPECT_EQ(refused.status, 2) << command;
        EXPECT_NE(refused.err.find("HEX file eof string was not found.\nthe file has no end-of-file record"),
                  std::string::npos)
            << refused.err;
        EXPECT_FALSE(fs::exists(chipFile_)) << "the port was opened";
    }
    CliRun accepted = cli("--port \"" + port() + "\" " + idsOnly + "--accept-no-eof verify \"" + noEnd.string() + "\"");
    EXPECT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_NE(accepted.err.find("HEX file eof string was not found."), std::string::npos);
    EXPECT_NE(accepted.out.find("does not differ"), std::string::npos);
}

TEST_F(CliOnSimulatedChip, EraseThenBlankCheckTellsAnEraseThatDidNothing)
{
    // Byte 0 programmed; the second device's write method sends no erase at all.
    std::ofstream(chipFile_) << ":0100000000FF\n:00000001FF\n";
    const fs::path ini = dir_ / "Tiny.ini";
    std::ofstream(ini) << "[TINY]\nProgMemSize=64\nEEPROMDataMemSize=16\n"
                          "[NOERASE]\nProgMemSize=64\nEEPROMDataMemSize=16\nWriteStrategy=7\n";
    const std::string common = "--port \"" + port() + "\" --devices \"" + ini.string() + "\" --blank-check ";
    CliRun kept = cli(common + "--device NOERASE erase");
    EXPECT_EQ(kept.status, 1) << kept.out << kept.err;
    EXPECT_NE(kept.out.find("Erasing has been performed.\n"), std::string::npos) << kept.out;
    EXPECT_NE(kept.out.find("Device is not blank."), std::string::npos) << kept.out;

    CliRun erased = cli(common + "--device TINY erase");
    EXPECT_EQ(erased.status, 0) << erased.out << erased.err;
    EXPECT_NE(erased.out.find("Blank check has been performed.\nDevice is blank."), std::string::npos) << erased.out;
}

TEST_F(CliOnSimulatedChip, DatabaseDeviceAndProgrammerQueries)
{
    CliRun devices = cli("devices");
    EXPECT_EQ(devices.status, 0);
    EXPECT_EQ(devices.out.rfind("PIC18F242\nPIC18F252\n", 0), 0U);
    EXPECT_NE(devices.out.find("PIC18F8680\n"), std::string::npos);

    const fs::path ini = dir_ / "Other.ini";
    std::ofstream(ini) << "[MYCHIP]\nProgMemSize=1024\n";
    EXPECT_EQ(cli("--devices \"" + ini.string() + "\" devices").out, "MYCHIP\n");
    CliRun unknown = cli("--devices \"" + ini.string() + "\" --device PIC18F452 erase");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("no device named PIC18F452"), std::string::npos);

    CliRun info = cli("info");
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out.rfind("Information from \"" + std::string(kCorvantFileName) + "\" library:\ncorvant " VELMORA_VERSION ", ", 0), 0U);

    // Before anything else is looked at, even a command line that would not parse.
    CliRun version = cli("--version flash");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("velmora-cli " VELMORA_VERSION "\n", 0), 0u);
    EXPECT_NE(version.out.find("License GPL-3.0-or-later"), std::string::npos);

    CliRun usage = cli("");
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("blank-check"), std::string::npos);

    CliRun badPort = cli("--port SIM:PIC99 erase");
    EXPECT_EQ(badPort.status, 2);
    EXPECT_NE(badPort.err.find("cannot open the programmer port SIM:PIC99"), std::string::npos);
    EXPECT_NE(badPort.err.find("\"SIM:PIC99\": no simulated chip named PIC99)"), std::string::npos) << badPort.err;
}

TEST_F(CliOnSimulatedChip, IdentifyNamesTheChipOrExplainsASilentOne)
{
    CliRun named = cli("--port SIM:PIC18F4550 identify");
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out, "device ID 0x1202: PIC18F4550, revision 2\n");

    const fs::path other = dir_ / "Other.ini";
    std::ofstream(other) << "[PIC18F452]\nProgMemSize=32768\nDeviceID=0x0420\n";
    CliRun unnamed = cli("--devices \"" + other.string() + "\" --port SIM:PIC18F4550 identify");
    EXPECT_EQ(unnamed.status, 1);
    EXPECT_NE(unnamed.out.find("no device of the database names"), std::string::npos) << unnamed.out;
    CliRun noDatabase = cli("--devices \"" + (dir_ / "Missing.ini").string() + "\" --port SIM:PIC18F4550 identify");
    EXPECT_EQ(noDatabase.status, 1) << "the chip is still read";
    EXPECT_NE(noDatabase.err.find("Missing.ini: no such file"), std::string::npos) << noDatabase.err;

    for (const char* fault : {"absent", "no-vpp"}) {
        CliRun silent = cli(std::string("--port \"SIM:PIC18F452,fault=") + fault + "\" identify");
        EXPECT_EQ(silent.status, 2) << fault;
        EXPECT_EQ(silent.out, "device ID 0xFFFF: no chip answering\n") << fault;
        EXPECT_NE(silent.err.find("data in read high on every bit (0xFFFF)"), std::string::npos) << silent.err;
        EXPECT_NE(silent.err.find("Vpp reaches MCLR"), std::string::npos);
    }
}

TEST_F(CliOnSimulatedChip, LowVoltageEntryProgramsVerifiesAndKeepsTheChipEnterable)
{
    const fs::path trace = dir_ / "trace.txt";
    // Both programs' rows lie in the first 4 KB: each verify reads no further.
    const fs::path database = dir_ / "Devices.ini";
    ASSERT_TRUE(test::writeTrimmedDatabase(VELMORA_DEVICES_INI, "PIC18F4550", 0x1000, database));
    const std::string lvp = "--devices \"" + database.string() + "\" --device PIC18F4550 --port \"SIM:PIC18F4550,lvp,image="
        + chipFile_.string() + ",trace=" + trace.string() + "\" ";
    const std::string lvpOn = std::string(VELMORA_TEST_HEX_DIR) + "/pic18f4550-lvp.hex";
    const std::string lvpOff = std::string(VELMORA_TEST_HEX_DIR) + "/pic18f4550-bootloader.hex";

    CliRun identify = cli(lvp + "identify");
    EXPECT_EQ(identify.status, 0) << identify.err;
    EXPECT_EQ(identify.out, "device ID 0x1202: PIC18F4550, revision 2\n");
    CliRun program = cli(lvp + "program \"" + lvpOn + "\"");
    ASSERT_EQ(program.status, 0) << program.out << program.err;
    CliRun verify = cli(lvp + "verify \"" + lvpOn + "\"");
    EXPECT_EQ(verify.status, 0) << verify.out << verify.err;
    const std::string traceText = readAll(trace);
    EXPECT_EQ(traceText.find(" ! "), std::string::npos) << traceText;
    EXPECT_NE(traceText.find(" LVP on\n"), std::string::npos);
    EXPECT_EQ(traceText.find(" VPP on\n"), std::string::npos);

    // A file that turns LVP off is refused before the port opens, and written only when asked.
    const std::string programmed = readAll(chipFile_);
    CliRun refused = cli(lvp + "program \"" + lvpOff + "\"");
    EXPECT_EQ(refused.status, 2);
    for (const char* why : {"turns LVP off", "high-voltage programmer", "--allow-lvp-off"})
        EXPECT_NE(refused.err.find(why), std::string::npos) << why << "\n" << refused.err;
    EXPECT_EQ(readAll(chipFile_), programmed);
    CliRun allowed = cli(lvp + "--allow-lvp-off program \"" + lvpOff + "\"");
    EXPECT_EQ(allowed.err.find("turns LVP off"), std::string::npos) << allowed.err;
    EXPECT_NE(allowed.out.find("Programming of PIC's program memory"), std::string::npos) << allowed.out;
    // Entered at low voltage the chip keeps LVP set: the configuration's write check fails there.
    EXPECT_EQ(allowed.status, 2) << allowed.out << allowed.err;
    EXPECT_NE((allowed.out + allowed.err).find("configuration at 300006 address"), std::string::npos)
        << allowed.out << allowed.err;
    EXPECT_NE(load(chipFile_)->image.config[6] & 0x04, 0) << "LVP cleared over a low-voltage entry";
    EXPECT_EQ(cli(lvp + "identify").status, 0);
}

TEST_F(CliOnSimulatedChip, AChipWithLvpClearedIsSilentAtLowVoltage)
{
    std::ofstream(chipFile_) << ":020000040030CA\n:010006008178\n:00000001FF\n";   // CONFIG4L = 81h: LVP off
    const std::string lvp = "--device PIC18F4550 --port \"SIM:PIC18F4550,lvp,image=" + chipFile_.string() + "\" ";
    CliRun identify = cli(lvp + "identify");
    EXPECT_EQ(identify.status, 2);
    EXPECT_EQ(identify.out, "device ID 0xFFFF: no chip answering\n");
    for (const char* item : {"LVP bit (CONFIG4L bit 2)", "needs high voltage", "PGM (RB5)", "3.0 V to 5.5 V"})
        EXPECT_NE(identify.err.find(item), std::string::npos) << item << "\n" << identify.err;
    CliRun erase = cli(lvp + "erase");
    EXPECT_EQ(erase.status, 2);
    EXPECT_NE(erase.err.find("LVP bit (CONFIG4L bit 2)"), std::string::npos) << erase.err;
    // High voltage enters whatever LVP is.
    EXPECT_EQ(cli("--port " + chip4550() + " identify").status, 0);
}

TEST_F(CliOnSimulatedChip, AChipOfAnotherDeviceIsNeitherErasedNorWritten)
{
    const fs::path trace = dir_ / "trace.txt";
    ASSERT_EQ(cli("--port \"SIM:PIC18F4550,image=" + chipFile_.string() + ",trace=" + trace.string()
                  + "\" --device PIC18F4550 erase").status, 0);
    EXPECT_EQ(count(readAll(trace), " VPP on\n"), 1U) << "the check costs no session of its own";
    const std::string before = readAll(chipFile_);
    ASSERT_FALSE(before.empty());

    CliRun program = cli("--port " + chip4550() + " --device PIC18F452 program \"" + VELMORA_TEST_HEX + "\"");
    EXPECT_EQ(program.status, 2);
    EXPECT_NE(program.err.find("chip answers as PIC18F4550 (0x1202), but PIC18F452 is selected; "
                               "use --device PIC18F4550 or --no-id-check"),
              std::string::npos)
        << program.err;
    EXPECT_EQ(program.out.find("Erase"), std::string::npos) << program.out;
    EXPECT_EQ(readAll(chipFile_), before);

    CliRun silent = cli("--port \"SIM:PIC18F452,fault=absent\" --device PIC18F452 erase");
    EXPECT_EQ(silent.status, 2);
    EXPECT_NE(silent.err.find("no chip answering"), std::string::npos);

    CliRun unchecked = cli("--port " + chip4550() + " --device PIC18F452 --no-id-check erase");
    EXPECT_EQ(unchecked.status, 0) << unchecked.err;
}

// A section whose ID cannot be checked, or whose family has no steps (classic ones would
// send a newer part the wrong erase keys and too high a Vpp), stops before anything is
// sent; only the ID check can be waived.
TEST_F(CliOnSimulatedChip, ASectionThatCannotCheckOrSteerTheChipIsRefused)
{
    ASSERT_EQ(cli("--port " + chip4550() + " --device PIC18F4550 erase").status, 0);
    const std::string before = readAll(chipFile_);
    const fs::path database = dir_ / "Devices.ini";
    const struct {
        const char* keys;
        const char* reason;
    } unchecked[] = {
        {"DeviceID=0x0420 ; PIC18F452", "DeviceID=0x0420 ; PIC18F452 is not a 16-bit number"},
        {"DeviceID=0x0420\nDeviceIDMask=0", "DeviceIDMask=0 does not cover the device bits 0xFFE0"},
    };
    for (const auto& c : unchecked) {
        std::ofstream(database) << "[PIC18F452]\nProgMemSize=32768\n" << c.keys << "\n";
        const std::string devices = "--devices \"" + database.string() + "\" --port " + chip4550() + " --device PIC18F452 ";
        CliRun erase = cli(devices + "erase");
        EXPECT_EQ(erase.status, 2) << c.keys;
        EXPECT_NE(erase.err.find("the device-ID check cannot be made for PIC18F452 in "), std::string::npos) << erase.err;
        EXPECT_NE(erase.err.find(c.reason), std::string::npos) << erase.err;
        EXPECT_NE(erase.err.find("; nothing was sent to the chip"), std::string::npos) << erase.err;
        EXPECT_EQ(readAll(chipFile_), before) << c.keys;
        EXPECT_EQ(cli(devices + "identify").status, 1) << "no section names the chip: " << c.keys;
        EXPECT_EQ(cli(devices + "--no-id-check erase").status, 0) << c.keys;
    }

    std::ofstream(database) << "[PIC18F4550]\nProgMemSize=32768\nDeviceID=0x1200\nFamily=K21\n";
    const std::string devices = "--devices \"" + database.string() + "\" --port " + chip4550() + " ";
    for (const std::string command : {"--device PIC18F4550 --no-id-check erase", "erase"}) {
        CliRun erase = cli(devices + command);
        EXPECT_EQ(erase.status, 2) << command;
        EXPECT_NE(erase.err.find("no programming steps are known for PIC18F4550 in "), std::string::npos) << erase.err;
        EXPECT_NE(erase.err.find("Family=K21 names no programming family"), std::string::npos) << erase.err;
        EXPECT_EQ(readAll(chipFile_), before) << command;
    }
}

// A serial device that no system has: a command that got past the refusals fails to open it.
#if defined(_WIN32)
constexpr const char* kAbsentSerialPort = "\\\\.\\COM250";
#else
constexpr const char* kAbsentSerialPort = "/dev/velmora-test-no-such-port";
#endif

// The K parts take at most 9 V on MCLR: on the JDM's 13 V every command on them stops
// before the port opens, with the part's limits, unless the Vpp is said to be limited.
TEST_F(CliOnSimulatedChip, AJdmPortStopsTheKPartsForTheirVppLimit)
{
    const std::string jdm = std::string("--port \"") + kAbsentSerialPort + "\" ";
    const struct {
        const char* device;
        std::vector<const char*> says;
    } cases[] = {
        {"PIC18F45K22", {"PIC18F45K22 allows VDD + 4.5 V to 9.0 V on MCLR/Vpp", "(D110, DS41398B)", "about 13 V",
                         "mclr= and no pgm=: the key-sequence entry"}},
        {"PIC18LF14K22", {"PIC18LF14K22 allows 8.0 V to 9.0 V on MCLR/Vpp", "(D110, DS41357B)",
                          "mclr= and pgm= on its PGM pin, RC3"}},
        {"PIC18F26K20", {"PIC18F26K20 allows VDD + 1.5 V to 9.0 V on MCLR/Vpp", "(D110, DS41297D)",
                         "Its VDD must also stay at or below 3.6 V (D111, DS41297D)", "PGM pin, RB5"}},
    };
    for (const auto& c : cases) {
        for (const char* command : {"erase", "identify"}) {
            const CliRun refused = cli(jdm + "--device " + c.device + " " + command);
            EXPECT_EQ(refused.status, 2) << c.device << " " << command;
            for (const char* part : c.says)
                EXPECT_NE(refused.err.find(part), std::string::npos) << part << "\n" << refused.err;
            EXPECT_NE(refused.err.find("whose Vpp is limited to 9.0 V.\n--vpp-limited goes on"), std::string::npos)
                << refused.err;
            EXPECT_NE(refused.err.find("nothing was sent to the chip"), std::string::npos) << refused.err;
            EXPECT_EQ(refused.err.find("cannot open the programmer port"), std::string::npos) << refused.err;
        }
        // Said limited, it goes on to the port, which is not there.
        const CliRun limited = cli(jdm + "--vpp-limited --device " + c.device + " erase");
        EXPECT_EQ(limited.status, 2);
        EXPECT_NE(limited.err.find("cannot open the programmer port"), std::string::npos) << limited.err;
        EXPECT_EQ(limited.err.find("MCLR/Vpp"), std::string::npos) << limited.err;
    }
    // A classic part is within the JDM's Vpp.
    const CliRun classic = cli(jdm + "--device PIC18F4550 erase");
    EXPECT_NE(classic.err.find("cannot open the programmer port"), std::string::npos) << classic.err;
    EXPECT_EQ(classic.err.find("MCLR/Vpp"), std::string::npos) << classic.err;
}

// A J part has no high-voltage mode at all: the JDM is refused, --vpp-limited or not.
TEST_F(CliOnSimulatedChip, AJdmPortRefusesAJPartBeforeItOpens)
{
    const std::string jdm = std::string("--port \"") + kAbsentSerialPort + "\" ";
    for (const char* options : {"", "--vpp-limited "}) {
        const CliRun refused = cli(jdm + options + "--device PIC18F46J50 erase");
        EXPECT_EQ(refused.status, 2) << options;
        for (const char* part : {"PIC18F46J50 has no high-voltage programming mode", "can destroy the chip",
                                 "at or below 3.6 V (D111, DS39687E)", "mclr=<line> and no pgm=", "lvp option",
                                 "nothing was sent to the chip"})
            EXPECT_NE(refused.err.find(part), std::string::npos) << part << "\n" << refused.err;
        EXPECT_EQ(refused.err.find("cannot open the programmer port"), std::string::npos) << refused.err;
    }
}

// LVP off leaves a chip only high voltage can enter, on the key wiring as on the PGM one.
TEST_F(CliOnSimulatedChip, TheKeyWiringRefusesToTurnLvpOffToo)
{
    const fs::path lvpOff = dir_ / "lvp-off.hex";
    std::ofstream(lvpOff) << ":020000040030CA\n:010006008178\n:00000001FF\n";   // CONFIG4L = 81h
    const std::string device = "--device PIC18F45K22 --port ";
    const CliRun refused = cli(device + "GPIO:gpiochip0,mclr=17,pgc=27,pgd=22 program \"" + lvpOff.string() + "\"");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("turns LVP off"), std::string::npos) << refused.err;
    const CliRun allowed = cli(device + "\"SIM:PIC18F45K22,lvp,image=" + chipFile_.string() + "\" --allow-lvp-off program \""
                               + lvpOff.string() + "\"");
    EXPECT_EQ(allowed.err.find("turns LVP off"), std::string::npos) << allowed.err;
}

// CP0 cleared on a J part: verified in the programming session, then the notice; a
// later verify finds the chip unreadable. Options for areas it lacks are only noted,
// and CONFIG4L bit 2, a write-protect bit there, is no LVP bit to refuse.
TEST_F(CliOnSimulatedChip, AJPartsCodeProtectionIsVerifiedAtOnceAndNoticed)
{
    const fs::path protect = dir_ / "cp0.hex";
    // CONFIG1H = F3h, CONFIG4L = FBh
    std::ofstream(protect) << ":020000040030CA\n:01000100F30B\n:01000600FBFE\n:00000001FF\n";
    const std::string run = "--device PIC18F46J50 --port \"SIM:PIC18F46J50,lvp,image=" + chipFile_.string() + "\" ";
    const CliRun program = cli(run + "--no-eeprom --no-ids program \"" + protect.string() + "\"");
    EXPECT_EQ(program.status, 0) << program.out << program.err;
    EXPECT_NE(program.err.find("note: --no-eeprom does not apply to PIC18F46J50"), std::string::npos) << program.err;
    EXPECT_NE(program.err.find("note: --no-ids does not apply to PIC18F46J50"), std::string::npos) << program.err;
    EXPECT_NE(program.err.find("sets code protection (CP0)"), std::string::npos) << program.err;
    EXPECT_NE(program.err.find("Device: PIC18F46J50."), std::string::npos) << program.err;
    EXPECT_NE(program.err.find("can no longer be read or verified"), std::string::npos) << program.err;
    const CliRun verify = cli(run + "--no-program verify \"" + protect.string() + "\"");
    EXPECT_EQ(verify.status, 1) << verify.out << verify.err;

    const CliRun unprotected = cli(run + "program \"" + VELMORA_TEST_HEX_DIR + "/pic18f46j50-key.hex\"");
    EXPECT_EQ(unprotected.status, 0) << unprotected.err;
    EXPECT_EQ(unprotected.err.find("CP0"), std::string::npos) << unprotected.err;
}

TEST_F(CliOnSimulatedChip, WithoutADeviceTheChipNamesIt)
{
    const fs::path trace = dir_ / "trace.txt";
    const fs::path saved = dir_ / "out.hex";
    // The section the chip names sets how much is read: here 2 KB of flash.
    const fs::path database = dir_ / "Devices.ini";
    ASSERT_TRUE(test::writeTrimmedDatabase(VELMORA_DEVICES_INI, "PIC18F4550", 0x800, database));
    CliRun read = cli("--devices \"" + database.string() + "\" --port \"SIM:PIC18F4550,image=" + chipFile_.string()
                      + ",trace=" + trace.string() + "\" read \"" + saved.string() + "\"");
    ASSERT_EQ(read.status, 0) << read.out << read.err;
    EXPECT_EQ(read.out.rfind("device ID 0x1202: PIC18F4550, revision 2\n", 0), 0U) << read.out;
    EXPECT_NE(readAll(saved).find(":1007F000"), std::string::npos) << "the whole flash of the section";
    EXPECT_EQ(readAll(saved).find(":10080000"), std::string::npos) << "nothing beyond it";
    EXPECT_EQ(count(readAll(trace), " VPP on\n"), 1U);
    const std::string before = readAll(chipFile_);

    // A file is checked against the part the chip names before anything is written.
    const fs::path small = dir_ / "Small.ini";
    std::ofstream(small) << "[SMALL4550]\nProgMemSize=64\nDeviceID=0x1200\n";
    CliRun tooBig = cli("--devices \"" + small.string() + "\" --port " + chip4550() + " program \"" + VELMORA_TEST_HEX + "\"");
    EXPECT_EQ(tooBig.status, 2);
    EXPECT_EQ(tooBig.out, "device ID 0x1202: SMALL4550, revision 2\n");
    EXPECT_NE(tooBig.err.find("Nonwritable address"), std::string::npos) << tooBig.err;
    EXPECT_EQ(readAll(chipFile_), before);

    // A chip that no section or several name, or no chip, stops as identify does.
    const fs::path other = dir_ / "Other.ini";
    std::ofstream(other) << "[PIC18F452]\nProgMemSize=32768\nDeviceID=0x0420\n";
    CliRun unnamed = cli("--devices \"" + other.string() + "\" --port " + chip4550() + " erase");
    EXPECT_EQ(unnamed.status, 1);
    EXPECT_NE(unnamed.out.find("0x1202: a "), std::string::npos) << unnamed.out;
    EXPECT_EQ(unnamed.err, "no device of the database names this chip; choose one with --device\n");
    const fs::path twice = dir_ / "Twice.ini";
    std::ofstream(twice) << "[A]\nProgMemSize=64\nDeviceID=0x1200\n[B]\nProgMemSize=64\nDeviceID=0x1200\n";
    CliRun several = cli("--devices \"" + twice.string() + "\" --port " + chip4550() + " blank-check");
    EXPECT_EQ(several.status, 2);
    EXPECT_EQ(several.out, "device ID 0x1202: A or B, revision 2\n");
    EXPECT_EQ(readAll(chipFile_), before);
    CliRun silent = cli("--port \"SIM:PIC18F452,fault=absent\" read \"" + saved.string() + "\"");
    EXPECT_EQ(silent.status, 2);
    EXPECT_EQ(silent.out, "device ID 0xFFFF: no chip answering\n");
    EXPECT_NE(silent.err.find("Vpp reaches MCLR"), std::string::npos) << silent.err;
}

TEST_F(CliOnSimulatedChip, WiringAndTheShippedDatabaseCheck)
{
    CliRun works = cli("--port SIM wiring");
    EXPECT_EQ(works.status, 0);
    EXPECT_NE(works.out.find("data in follows data out: the PGD path works\n"), std::string::npos) << works.out;
    CliRun low = cli("--port \"SIM:PIC18F452,fault=data-in-low\" wiring");
    EXPECT_EQ(low.status, 2);
    EXPECT_NE(low.out.find("data in  0 0 0 0 0 0 0 0\ndata in stays low: check the data-in line\n"), std::string::npos)
        << low.out;

    CliRun shipped = cli("check-devices \"" VELMORA_DEVICES_INI "\"");
    EXPECT_EQ(shipped.status, 0) << shipped.out;
    EXPECT_NE(shipped.out.find(": clean\n"), std::string::npos);
    const fs::path broken = dir_ / "Broken.ini";
    std::ofstream(broken) << "[A]\nProgMemSize=1K\n";
    CliRun rejected = cli("check-devices \"" + broken.string() + "\"");
    EXPECT_EQ(rejected.status, 2);
    EXPECT_NE(rejected.out.find("Broken.ini:2: rejected: [A] ProgMemSize=1K is not a number"), std::string::npos)
        << rejected.out;
}

TEST_F(CliOnSimulatedChip, AFailedPortCloseIsNoSuccess)
{
    // The trace cannot be written out, so ComClose fails after a complete erase.
    CliRun run = cli("--port SIM:PIC18F452,trace=/dev/full erase");
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_NE(run.err.find("COMM close error.\n"), std::string::npos) << run.err;
}

TEST_F(CliOnSimulatedChip, AReadNeverStartsWhenItsFileCannotBeWritten)
{
    const fs::path locked = dir_ / "backup.hex";
    std::ofstream(locked, std::ios::binary) << "kept\n";
    // On Windows: the read-only attribute.
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const fs::path& target : {locked, dir_ / "typo" / "backup.hex"}) {
        CliRun run = cli("--port \"" + port() + "\" read \"" + target.string() + "\"");
        EXPECT_EQ(run.status, 2) << target;
        EXPECT_EQ(run.err, "Program cannot open file for write.\n") << target;
    }
    EXPECT_EQ(readAll(locked), "kept\n");
    EXPECT_FALSE(fs::exists(chipFile_)) << "the port was opened";
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add); // Windows keeps read-only files
}

TEST_F(CliOnSimulatedChip, ARejectedDatabaseSaysWhy)
{
    const std::string loadFailed = "Error load devices information from Devices.ini file.\n";
    CliRun folder = cli("--devices \"" + dir_.string() + "\" devices");
    EXPECT_EQ(folder.status, 2);
    EXPECT_EQ(folder.err.rfind(loadFailed, 0), 0U) << folder.err;
    EXPECT_NE(folder.err.find("\n" + dir_.string() + ": not a regular file\n"), std::string::npos) << folder.err;

    const fs::path bad = dir_ / "Bad.ini";
    std::ofstream(bad) << "[GOOD]\nProgMemSize=1024\n[BAD]\nProgMemSize=2M\n";
    CliRun section = cli("--devices \"" + bad.string() + "\" --device GOOD erase");
    EXPECT_EQ(section.status, 2);
    EXPECT_NE(section.err.find(bad.string() + ", line 3: device \"BAD\" has ProgMemSize 0"), std::string::npos)
        << section.err;

    const fs::path none = dir_ / "None.ini";
    std::ofstream(none) << "; no sections\n";
    CliRun empty = cli("--devices \"" + none.string() + "\" devices");
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.err.rfind("Program has information about zero devices.\n", 0), 0U) << empty.err;
}

} // namespace
} // namespace velmora::cli
