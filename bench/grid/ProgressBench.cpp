// bench_progress: what the progress window costs the worker. A full read of a
// PIC18F452 (32 KB program memory, 256 EEPROM bytes, IDs, configuration) on the
// simulated programmer with the real delay library, three ways: through the real
// progress window (the main window's Read command), through the command line's
// terminal bridge, and with no bridge. Each figure is wall time / the sum of the waits
// the operation asked for. Then the same three while another process keeps one core
// busy. Targets: the window within 1.05 on an idle machine, and within 1.10 times the
// terminal bridge's figure under the competing load.
//
// Usage: bench_progress [ROUNDS]. Each round reads once each way, so that a slow
// moment of a shared machine falls on all three alike; the figures are the medians
// of the rounds (3 unless told), with the lowest and highest beside them.

#include <QApplication>
#include <QAction>
#include <QByteArray>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/TerminalBridge.h"
#include "devicedata/UserMessages.h"
#include "engine/TPICPr.h"
#include "signalling/PinDriver.h"
#include "ui/FileChooser.h"
#include "ui/HeadUnit.h"
#include "ui/LowLevelAccess.h"
#include "ui/Pr_Wnd.h"
#include "ui/VelmoraWindows.h"

namespace {

using namespace velmora;

constexpr double kSecondsPerUnit = 5e-6;
constexpr double kIdleTarget = 1.05;
constexpr double kLoadedTargetOverTerminal = 1.10;

class QuietMessages : public UserMessages {
public:
    MessageButton showMessage(MessageKind, const std::string&, MessageButtons) override { return ButtonOk; }
};

class NoFiles : public FileChooser {
public:
    std::optional<QString> chooseFileToLoad(QWidget*) override { return std::nullopt; }
    std::optional<QString> chooseFileToSave(QWidget*) override { return std::nullopt; }
};

// Forwards to the imported pins and delay and adds up the waits the operation asks for.
class SummingDriver : public PinDriver {
public:
    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override
    {
        return importedPinDriver().programmerWrite(vpp, data, clock);
    }
    bool programmerRead(std::uint8_t* level) override { return importedPinDriver().programmerRead(level); }
    bool delay(std::uint32_t units) override
    {
        units_.fetch_add(units, std::memory_order_relaxed);
        return importedPinDriver().delay(units);
    }
    double takeSeconds() { return static_cast<double>(units_.exchange(0)) * kSecondsPerUnit; }

private:
    std::atomic<std::uint64_t> units_{0};
};

// A program folder with the shipped database and the simulated port, device PIC18F452.
std::filesystem::path programFolder(const QTemporaryDir& dir)
{
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::copy_file(VELMORA_SHIPPED_DEVICES_INI, folder / "Devices.ini",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(folder / "Velmora.ini") << "[Config]\r\nCOM=SIM\r\nDevice=3\r\n";
    return folder;
}

// Another process spinning on one core for as long as the object lives.
class CompetingLoad {
public:
    CompetingLoad() : pid_(fork())
    {
        if (pid_ == 0) {
            volatile unsigned long spins = 0;
            for (;;)
                spins = spins + 1;
        }
    }
    ~CompetingLoad()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    CompetingLoad(const CompetingLoad&) = delete;
    CompetingLoad& operator=(const CompetingLoad&) = delete;
    bool running() const { return pid_ > 0; }

private:
    pid_t pid_;
};

struct Figures {
    double window = 0;
    double terminal = 0;
    double none = 0;
};

struct Spread {
    double median = 0;
    double lowest = 0;
    double highest = 0;
};

Spread spreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    const double median =
        values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return {median, values.front(), values.back()};
}

struct Summary {
    Spread window;
    Spread terminal;
    Spread none;
};

Summary summarise(const std::vector<Figures>& rounds)
{
    std::vector<double> window, terminal, none;
    for (const Figures& f : rounds) {
        window.push_back(f.window);
        terminal.push_back(f.terminal);
        none.push_back(f.none);
    }
    return {spreadOf(window), spreadOf(terminal), spreadOf(none)};
}

class ReadBench {
public:
    ReadBench(TForm1& main, TForm3& progress, SummingDriver& pins) : main_(main), progress_(progress), pins_(pins) {}

    Figures run()
    {
        Figures figures;
        figures.window = throughWindow();
        std::FILE* nowhere = std::fopen("/dev/null", "w");
        cli::TerminalBridge terminal(nowhere, nowhere, true, ButtonYes);
        figures.terminal = throughEngine(&terminal);
        std::fclose(nowhere);
        figures.none = throughEngine(nullptr);
        main_.engine().setBridge(&progress_);
        return figures;
    }

private:
    double throughWindow()
    {
        pins_.takeSeconds();
        QElapsedTimer clock;
        clock.start();
        main_.menuItem(TForm1::Command::Read)->trigger();
        return figure(clock);
    }

    double throughEngine(ProgressBridge* bridge)
    {
        TPICPr& engine = main_.engine();
        engine.setBridge(bridge);
        pins_.takeSeconds();
        QElapsedTimer clock;
        clock.start();
        engine.start(OperationRead);
        while (!engine.waitIdle(std::chrono::milliseconds(20))) {
        }
        engine.requestCancel();   // the window's close path, after the end: no cancel
        return figure(clock);
    }

    double figure(const QElapsedTimer& clock)
    {
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        const double waits = pins_.takeSeconds();
        if (main_.engine().lastOutcome != OperationOutcome::Completed)
            std::fprintf(stderr, "the read did not complete\n");
        return waits > 0 ? wall / waits : 0;
    }

    TForm1& main_;
    TForm3& progress_;
    SummingDriver& pins_;
};

void printSpread(const char* way, const Spread& s)
{
    std::printf("  %-10s %.4f  (%.4f to %.4f)\n", way, s.median, s.lowest, s.highest);
}

void print(const char* machine, const Summary& s)
{
    std::printf("%s\n", machine);
    printSpread("window", s.window);
    printSpread("terminal", s.terminal);
    printSpread("no bridge", s.none);
    std::printf("  window/terminal %.4f\n", s.terminal.median > 0 ? s.window.median / s.terminal.median : 0);
}

// The round count from the command line: a positive whole number, 3 when absent.
int roundsFrom(int argc, char** argv)
{
    if (argc < 2)
        return 3;
    try {
        std::size_t used = 0;
        const int rounds = std::stoi(argv[1], &used);
        return used == std::string(argv[1]).size() && rounds > 0 ? rounds : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const int rounds = roundsFrom(argc, argv);
    if (rounds == 0) {
        std::fprintf(stderr, "usage: bench_progress [ROUNDS]  (a positive whole number, 3 unless told)\n");
        return 2;
    }
    QTemporaryDir dir;
    const std::filesystem::path folder = programFolder(dir);
    const std::filesystem::path current = std::filesystem::current_path();
    QuietMessages messages;
    NoFiles files;
    int status = 0;
    {
        VelmoraWindows windows(folder, messages, files, importedLowLevelAccess());
        windows.mainWindow().show();
        SummingDriver pins;
        setPinDriver(&pins);
        ReadBench bench(windows.mainWindow(), windows.progress(), pins);

        std::printf("full read of a PIC18F452 on the simulated programmer, real delays;\n"
                    "figure = wall time / sum of the waits asked for, median of %d round%s\n",
                    rounds, rounds == 1 ? "" : "s");
        std::vector<Figures> idleRounds;
        for (int round = 0; round < rounds; ++round)
            idleRounds.push_back(bench.run());
        const Summary idle = summarise(idleRounds);
        print("idle machine:", idle);
        std::vector<Figures> loadedRounds;
        {
            const CompetingLoad load;
            if (!load.running())
                std::fprintf(stderr, "no competing process\n");
            for (int round = 0; round < rounds; ++round)
                loadedRounds.push_back(bench.run());
        }
        const Summary loaded = summarise(loadedRounds);
        print("one core kept busy:", loaded);

        const bool idleMet = idle.window.median <= kIdleTarget;
        const bool loadedMet = loaded.window.median <= kLoadedTargetOverTerminal * loaded.terminal.median;
        std::printf("window idle %s %.2f; window under load %s %.2f x terminal\n", idleMet ? "within" : "ABOVE",
                    kIdleTarget, loadedMet ? "within" : "ABOVE", kLoadedTargetOverTerminal);
        status = idleMet && loadedMet ? 0 : 1;
        setPinDriver(nullptr);
        windows.mainWindow().close();
    }
    std::filesystem::current_path(current);
    return status;
}
