// velmora-cli ended from outside during a read of the simulated chip, with the real
// delays: whatever ends it, the chip leaves programming mode first and the program
// exits with the status a shell expects of that signal.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"
#include "tests/support/TraceText.h"

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kPatience = 20s;

using test::count;
using test::lastLine;
using test::readAll;

// velmora-cli with its standard output on `output` and its errors in a file.
pid_t spawn(const std::vector<std::string>& arguments, int output, const fs::path& errors)
{
    std::vector<char*> argv{const_cast<char*>(VELMORA_CLI)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const std::string errorPath = errors.string();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(output, STDOUT_FILENO);
        const int err = ::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(err, STDERR_FILENO);
        ::execv(VELMORA_CLI, argv.data());
        ::_exit(127);
    }
    return child;
}

bool waitForProgrammingMode(const fs::path& trace)
{
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        if (readAll(trace).find(" VPP on\n") != std::string::npos)
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

// The exit status, or -1 when the child neither exited nor ended within patience.
int waitForExit(pid_t child)
{
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    int raw = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(child, &raw, WNOHANG) == child)
            return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::this_thread::sleep_for(20ms);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &raw, 0);
    return -1;
}

struct Ending {
    const char* name;
    int signal;          // sent once the chip is in programming mode; 0: none
    int secondSignal;    // sent right after, while the operation ends; 0: none
    bool closeOutput;    // the reader of standard output goes away instead
    int expectedStatus;
};

std::ostream& operator<<(std::ostream& out, const Ending& ending)
{
    return out << ending.name;
}

class CliEnding : public ::testing::TestWithParam<Ending> {
protected:
    // Starts a read with its standard output on a pipe; returns the child's id.
    pid_t start(int& outputReader) const
    {
        int pipeEnds[2];
        // Close-on-exec: the child must not hold a reader of its own output.
        EXPECT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
        const pid_t child = spawn({"--device", "PIC18F452", "--port", "SIM:PIC18F452,trace=" + trace().string(), "read",
                                   (dir_ / "read.hex").string()},
                                  pipeEnds[1], dir_ / "err.txt");
        ::close(pipeEnds[1]);
        outputReader = pipeEnds[0];
        return child;
    }

    fs::path trace() const { return dir_ / "trace.txt"; }

    test::TempFolder folder_;
    fs::path dir_ = folder_.path();
};

TEST_P(CliEnding, LeavesProgrammingModeAndExitsWithTheSignalsStatus)
{
    const Ending& ending = GetParam();
    int outputReader = -1;
    const pid_t child = start(outputReader);
    ASSERT_TRUE(waitForProgrammingMode(trace())) << readAll(trace());
    if (ending.closeOutput)
        ::close(outputReader);
    if (ending.signal != 0)
        ::kill(child, ending.signal);
    if (ending.secondSignal != 0) {
        std::this_thread::sleep_for(100ms);   // inside the 300 ms switch-off wait
        ::kill(child, ending.secondSignal);
    }
    const int status = waitForExit(child);
    if (!ending.closeOutput)
        ::close(outputReader);

    EXPECT_EQ(status, ending.expectedStatus) << readAll(dir_ / "err.txt");
    const std::string traceText = readAll(trace());
    EXPECT_EQ(lastLine(traceText).substr(lastLine(traceText).find(' ') + 1), "VPP off") << lastLine(traceText);
    EXPECT_EQ(count(traceText, " VPP on\n"), count(traceText, " VPP off\n"));
    EXPECT_FALSE(fs::exists(dir_ / "read.hex")) << "a cancelled read saved its file";
}

INSTANTIATE_TEST_SUITE_P(EveryWayOut, CliEnding,
                         ::testing::Values(Ending{"interrupt", SIGINT, 0, false, 130},
                                           Ending{"terminate", SIGTERM, 0, false, 143},
                                           Ending{"hangup", SIGHUP, 0, false, 129},
                                           Ending{"quit", SIGQUIT, 0, false, 131},
                                           Ending{"twice", SIGTERM, SIGINT, false, 143},
                                           Ending{"closedPipe", 0, 0, true, 141}),
                         [](const auto& info) { return std::string(info.param.name); });

// Output that cannot be written ends every command alike: a full disk, or a reader
// that left before anything was written.
TEST(CliLostOutput, EveryCommandEndsWithTheBrokenPipeStatus)
{
    const test::TempFolder folder;
    const fs::path& dir = folder.path();
    const std::vector<std::vector<std::string>> commands = {
        {"--port", "SIM", "identify"}, {"--port", "SIM", "wiring"}, {"check-devices", VELMORA_DEVICES_INI},
        {"--port", "SIM", "info"},     {"devices"},                 {"--version"}};
    for (const auto& command : commands) {
        const int full = ::open("/dev/full", O_WRONLY);
        EXPECT_EQ(waitForExit(spawn(command, full, dir / "err.txt")), 141) << command.back() << ": /dev/full";
        ::close(full);

        int pipeEnds[2];
        ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
        ::close(pipeEnds[0]);
        EXPECT_EQ(waitForExit(spawn(command, pipeEnds[1], dir / "err.txt")), 141) << command.back() << ": pipe";
        ::close(pipeEnds[1]);
    }
}

// check-devices talks to no chip, yet ends on a signal as the chip commands do. Its
// report outgrows the pipe, so it is still writing when the signal comes.
TEST(CliCheckDevicesEnding, ASignalGivesTheSignalsStatus)
{
    const test::TempFolder folder;
    const fs::path& dir = folder.path();
    {
        std::ofstream ini(dir / "Many.ini");
        for (int i = 0; i < 4000; ++i)
            ini << "[D" << i << "]\nProgMemSize=1024\nColour=blue\n";
    }
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
        const pid_t child = spawn({"check-devices", (dir / "Many.ini").string()}, pipeEnds[1], dir / "err.txt");
        ::close(pipeEnds[1]);
        char first = 0;
        ASSERT_EQ(::read(pipeEnds[0], &first, 1), 1);   // the report has begun: the handlers are in
        ::kill(child, signal);
        ::close(pipeEnds[0]);
        EXPECT_EQ(waitForExit(child), status) << signal;
    }
}

TEST(CliImageFile, ASecondProgramCannotOpenAnImageInUse)
{
    const test::TempFolder folder;
    const fs::path& dir = folder.path();
    const std::string image = "SIM:PIC18F452,image=" + (dir / "chip.hex").string();
    const int quiet = ::open("/dev/null", O_WRONLY);
    const pid_t reader = spawn({"--device", "PIC18F452", "--port", image + ",trace=" + (dir / "trace.txt").string(), "read",
                                (dir / "read.hex").string()}, quiet, dir / "err1.txt");
    ASSERT_TRUE(waitForProgrammingMode(dir / "trace.txt"));

    const pid_t second = spawn({"--device", "PIC18F452", "--port", image, "erase"}, quiet, dir / "err2.txt");
    EXPECT_EQ(waitForExit(second), 2);
    EXPECT_NE(readAll(dir / "err2.txt").find("chip.hex is in use by another program"), std::string::npos)
        << readAll(dir / "err2.txt");

    ::kill(reader, SIGTERM);
    EXPECT_EQ(waitForExit(reader), 143);
    const pid_t third = spawn({"--port", image, "info"}, quiet, dir / "err3.txt");
    EXPECT_EQ(waitForExit(third), 0) << readAll(dir / "err3.txt");
    ::close(quiet);
}

} // namespace
} // namespace velmora::cli
