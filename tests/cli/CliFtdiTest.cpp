// velmora-cli on the FTDI programmer, end to end: the real FTDI back end and its
// libftdi1 calls, answered by the stand-in library (LD_PRELOADed) that models an
// FT232R in real time with a simulated chip on its pins. The same operations on the
// SIM port must reach the chip as the same commands in the same order.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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
using velmora::test::readAll;

// The decoded commands and mode changes of a trace, without their times and notes,
// and a poll's repeats as its last: what reached the chip, whatever the pace. An
// EEPROM write's poll (three instructions, then the shifted-out byte) asks until the
// write is done, as often as that takes, and only its last answer says done.
std::string commandsOf(const fs::path& trace)
{
    constexpr std::size_t kPoll = 4;
    constexpr std::string_view kShiftOut = "0010 -> ";
    std::istringstream in(readAll(trace));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        const auto space = line.find(' ');
        if (line.empty() || line[0] == '#' || space == std::string::npos || line.compare(space + 1, 1, "#") == 0)
            continue;
        lines.push_back(line.substr(space + 1));
        const std::size_t n = lines.size();
        if (n >= 2 * kPoll && lines[n - 1].starts_with(kShiftOut) && lines[n - 1 - kPoll].starts_with(kShiftOut)
            && std::equal(lines.end() - kPoll, lines.end() - 1, lines.end() - 2 * kPoll))
            lines.erase(lines.end() - 2 * kPoll, lines.end() - kPoll);
    }
    std::string commands;
    for (const std::string& line : lines)
        commands += line + "\n";
    return commands;
}

struct Chip {
    const char* device;
    const char* hex;
    const char* ftdiPort;
    const char* wiring;  // the stand-in board's
    // Flash of a part of the family that holds the program's rows: what each run reads.
    std::uint32_t flash;
    velmora::test::MovedRecord intoFlash;
};

void PrintTo(const Chip& chip, std::ostream* out)
{
    *out << chip.device;
}

class CliOnFtdi : public ::testing::TestWithParam<Chip> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(velmora::test::writeTrimmedDatabase(VELMORA_DEVICES_INI, GetParam().device, GetParam().flash,
                                                        dir_ / "Devices.ini"));
        ASSERT_TRUE(velmora::test::writeWithRecordMoved(std::string(VELMORA_TEST_HEX_DIR) + "/" + GetParam().hex,
                                                        GetParam().intoFlash, hex()));
    }

    fs::path hex() const { return dir_ / "program.hex"; }

    CliRun run(const std::string& environment, const std::string& port, const std::string& arguments) const
    {
        const std::string command = environment + " \"" + VELMORA_CLI + "\" --devices \"" + (dir_ / "Devices.ini").string() + "\" --port '" + port
            + "' --device " + GetParam().device + " " + arguments;
        return velmora::test::runInShell(command, dir_);
    }

    // Through the FTDI back end over the stand-in, its chip kept in ftdi.hex.
    CliRun ftdi(const std::string& arguments, const std::string& trace) const
    {
        // A sanitizer runtime wants to be first; the stand-in must be, and only it.
        const std::string environment = std::string("LD_PRELOAD=\"") + VELMORA_FTDI_STANDIN_LIBRARY + "\""
            + " ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0\""
            + " VELMORA_FTDI_STANDIN_WIRING='" + GetParam().wiring + "'"
            + " VELMORA_FTDI_STANDIN='SIM:" + GetParam().device + ",image=" + (dir_ / "ftdi.hex").string()
            + ",trace=" + (dir_ / trace).string() + "'";
        return run(environment, GetParam().ftdiPort, arguments);
    }

    // The same on the simulated programmer, its chip kept in sim.hex.
    CliRun sim(const std::string& arguments, const std::string& trace) const
    {
        return run("", std::string("SIM:") + GetParam().device + ",lvp,image=" + (dir_ / "sim.hex").string()
                           + ",trace=" + (dir_ / trace).string(),
                   arguments);
    }

    static void succeeded(const CliRun& run, const char* says)
    {
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_THAT(run.out, HasSubstr(says));
        EXPECT_THAT(run.err, Not(HasSubstr("violation")));
    }

    velmora::test::TempFolder folder_;
    fs::path dir_ = folder_.path();
};

TEST_P(CliOnFtdi, ProgramsVerifiesAndReadsAsTheSimulatedProgrammerDoes)
{
    const std::string hex = this->hex().string();
    succeeded(ftdi("program \"" + hex + "\"", "ftdi-program.txt"), "Programming has been performed.\n");
    succeeded(sim("program \"" + hex + "\"", "sim-program.txt"), "Programming has been performed.\n");
    EXPECT_EQ(commandsOf(dir_ / "ftdi-program.txt"), commandsOf(dir_ / "sim-program.txt"));
    EXPECT_THAT(commandsOf(dir_ / "ftdi-program.txt"), HasSubstr("0000 ")) << "the trace holds the commands";

    succeeded(ftdi("verify \"" + hex + "\"", "ftdi-verify.txt"),
              "content does not differ\nfrom this content of computer program.\n");

    // All but the program memory: the EEPROM's 256 bytes are one block of reads.
    const std::string areas = "--no-program read ";
    succeeded(ftdi(areas + "\"" + (dir_ / "ftdi-read.hex").string() + "\"", "ftdi-read.txt"), "");
    succeeded(sim(areas + "\"" + (dir_ / "sim-read.hex").string() + "\"", "sim-read.txt"), "");
    EXPECT_EQ(readAll(dir_ / "ftdi-read.hex"), readAll(dir_ / "sim-read.hex"));
    EXPECT_FALSE(readAll(dir_ / "ftdi-read.hex").empty());
    EXPECT_EQ(commandsOf(dir_ / "ftdi-read.txt"), commandsOf(dir_ / "sim-read.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    StandInFt232r, CliOnFtdi,
    ::testing::Values(Chip{"PIC18F4550", "pic18f4550-lvp.hex", "FTDI:0403:6001,mclr=TXD,pgm=DSR,pgc=RTS,pgd=DTR,pgdin=CTS",
                           "mclr=TXD,pgm=DSR,pgc=RTS,pgd=DTR,pgdin=CTS", 0x800, {}},
                      Chip{"PIC18F45K22", "pic18f45k22-key.hex", "FTDI:0403:6001", "", 0x2000,
                           velmora::test::kK22SecondRowInto8K}),
    [](const ::testing::TestParamInfo<Chip>& info) {
        return std::string(info.param.device).substr(3);  // "PIC18F4550" -> "18F4550"
    });

} // namespace
