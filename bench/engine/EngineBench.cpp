// bench_engine: how much time the engine adds on top of the waits the protocol asks for.
//
// A full read and a full program + verify of a 32 KB / 256-byte PIC18F452 on the
// simulated programmer with the real delay library, once behind a recording bridge and
// once behind the command line's terminal bridge. Every Delay the operation asks for is
// summed; the figure is wall time / that sum. Target: at most 1.10.
//
// The full read runs once more through the GPIO back end, its libgpiod calls
// answered by the test stand-in with a simulated chip on the lines. Target: its
// figure within 0.05 of the simulated programmer's.
//
// The full read with the command line's device-ID check off and on, side by side
// (medians of three interleaved rounds). Target: on at most 0.02 above off.
//
// The engine's own count of a full read, which velmora-cli makes once a port is
// open to judge its speed. Target: at most 0.10 s.
//
// Program + verify of 32 KB on a PIC18F45K22 (all of its program memory; its EEPROM,
// IDs and configuration too) on the simulated programmer, behind the recording
// bridge: the K22 family's own steps and waits. Target: at most 1.10, as the
// PIC18F452 runs.
//
// Program + verify of 64 KB on a PIC18F46J50 entered by the key (its code and the
// configuration words at the top of flash), the same way. Target: at most 1.05.
//
// The full read and program + verify of the PIC18F452 once more through the FTDI
// back end, its libftdi1 calls answered by the test stand-in (an FT232R modelled in
// real time, 1 ms USB frames, a simulated chip on its pins), next to the same read on
// the simulated programmer. Targets: read at most 1.25, program + verify at most 1.30.
// Printed beside them: USB exchanges per 64 bytes read, bytes sent per second, and
// where the wall time went (frames waited for, FIFO room waited for, the rest: the
// host's own pauses and work) and how long the pins had nothing queued.
//
//   bench_engine [read|program|gpio|ftdi|ftdiread|idcheck|estimate|k22|j]...   (default: all)

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "cli/ChipGate.h"
#include "cli/Platform.h"
#include "cli/TerminalBridge.h"
#include "corvant/PortName.h"
#include "corvant/corvant.h"
#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"
#include "engine/OperationTime.h"
#include "engine/TPICPr.h"
#include "bench/engine/FtdiStandInRun.h"
#include "bench/engine/GpioStandIn.h"
#include "pendrel/pendrel.h"
#include "signalling/PinDriver.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

constexpr double kTarget = 1.10;
constexpr double kGpioTarget = 0.05;
constexpr double kIdCheckTarget = 0.02;
constexpr int kIdCheckRounds = 3;
constexpr double kCountTarget = 0.10;
constexpr const char* kGpioPort = "GPIO:gpiochip0,vpp=17,pgc=27,pgd=22";
constexpr double kFtdiReadTarget = 1.25;
constexpr double kFtdiProgramTarget = 1.30;
constexpr const char* kFtdiPort = "FTDI:0403:6001,vpp=TXD,pgc=RTS,pgd=DTR,pgdin=CTS";
constexpr const char* kFtdiBoard = "vpp=TXD,pgc=RTS,pgd=DTR,pgdin=CTS";
constexpr double kSecondsPerUnit = 5e-6;
constexpr const char* kDevice = "PIC18F452";
// A newer family's program + verify on its own simulated chip.
struct FamilyRun {
    const char* device;
    const char* port;
    std::uint32_t programBytes;
    const char* label;
    double target;
};
constexpr FamilyRun kK22Run{"PIC18F45K22", "SIM:PIC18F45K22", 32 * 1024, "program + verify (K22)", kTarget};
// All of the code below the configuration words.
constexpr FamilyRun kJRun{"PIC18F46J50", "SIM:PIC18F46J50,lvp", 64 * 1024 - 8, "program + verify (J)", 1.05};

// Forwards to the real pin interface and delay library, summing the waits asked for.
class SummingPinDriver final : public PinDriver {
public:
    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override
    {
        return importedPinDriver().programmerWrite(vpp, data, clock);
    }
    bool programmerRead(std::uint8_t* level) override { return importedPinDriver().programmerRead(level); }
    bool delay(std::uint32_t units) override
    {
        units_ += units;
        return importedPinDriver().delay(units);
    }
    // A programmer that takes streams batches as it would without the sums.
    void beginSession() override { importedPinDriver().beginSession(); }
    bool endSession() override { return importedPinDriver().endSession(); }
    bool batching() const override { return importedPinDriver().batching(); }
    bool programmerReadLater(std::uint8_t* level) override { return importedPinDriver().programmerReadLater(level); }
    bool flush() override { return importedPinDriver().flush(); }
    std::uint64_t takeUnits()
    {
        const std::uint64_t units = units_;
        units_ = 0;
        return units;
    }

private:
    std::uint64_t units_ = 0;   // worker thread only while an operation runs
};

// Records every call as a test's recorder does, on the worker thread.
class RecordingBridge final : public ProgressBridge {
public:
    void clearAddress() override { note(0); }
    void postAddress(Address address, bool) override { note(address); }
    void postProgress(std::uint16_t position) override { note(position); }
    void postAction(const std::string&) override { note(0); }
    void postProcessText(const std::string&) override { note(0); }
    MessageButton messageBox(MessageKind, const std::string&, MessageButtons) override
    {
        note(0);
        return ButtonYes;
    }
    void refreshGrid() override { note(0); }
    void hideWindow() override { note(0); }
    void closeWindow() override { note(0); }
    std::size_t calls() const { return calls_.size(); }

private:
    void note(std::uint32_t value) { calls_.push_back(value); }
    std::vector<std::uint32_t> calls_;
};

struct Figure {
    double wall = 0;
    double waits = 0;
    double offCpu = 0;   // wall time the process spent waiting for a CPU: the machine's noise
    double ratio() const { return waits > 0 ? wall / waits : 0; }
};

Figure runTimed(TPICPr& engine, SummingPinDriver& pins, std::initializer_list<std::uint8_t> codes)
{
    Figure figure;
    pins.takeUnits();
    const std::clock_t cpuStart = std::clock();
    const auto start = Clock::now();
    for (std::uint8_t code : codes) {
        engine.start(code);
        while (!engine.waitIdle(std::chrono::milliseconds(20))) {
        }
        if (engine.lastOutcome != OperationOutcome::Completed)
            std::fprintf(stderr, "operation %u did not complete\n", static_cast<unsigned>(code));
    }
    figure.wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    figure.offCpu = figure.wall > cpu ? figure.wall - cpu : 0;
    figure.waits = static_cast<double>(pins.takeUnits()) * kSecondsPerUnit;
    return figure;
}

// Every area, program memory up to programBytes (the rest blank and absent).
void fillChip(DeviceImage& data, std::uint32_t programBytes)
{
    MemoryImage& image = data.image;
    for (std::uint32_t a = 0; a < std::min(programBytes, image.programMemorySize); ++a)
        image.programMemory[a] = static_cast<std::uint8_t>(a * 7 + 1) == 0xFF ? 0x00 : static_cast<std::uint8_t>(a * 7 + 1);
    for (std::uint32_t e = 0; e < image.eepromSize; ++e)
        image.eeprom[e] = static_cast<std::uint8_t>(e ^ 0x5A);
    for (int i = 0; i < kIdCount; ++i)
        image.ids[i] = static_cast<std::uint8_t>(i);
}

bool selectDevice(TPICPr& engine, DeviceList& list, const char* name = kDevice)
{
    const auto ini = cli::executableFolder() / "Devices.ini";
    if (!LoadDeviceList(list, ini))
        return false;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        list.MoveTo(i);
        if (list.CopyCurrent().name == name) {
            engine.data().SelectDevice(list.CopyCurrent());
            engine.data().ClearImage(true);
            return true;
        }
    }
    return false;
}

void report(const char* what, const char* bridge, const Figure& f, std::size_t postings, double target = kTarget)
{
    std::printf("%-24s %-9s wall %8.3f s  waits %8.3f s  ratio %.4f  %s %.2f  off-CPU %6.3f s  bridge calls %zu\n",
                what, bridge, f.wall, f.waits, f.ratio(), f.ratio() <= target ? "within" : "ABOVE ", target,
                f.offCpu, postings);
}

// The full read on the simulated programmer, then through the GPIO back end.
int compareGpioWithSim(TPICPr& engine, SummingPinDriver& pins)
{
    if (!gpioStandInLinked()) {
        std::printf("GPIO: no libgpiod stand-in in this build, run left out\n");
        return 0;
    }
    RecordingBridge simBridge;
    engine.setBridge(&simBridge);
    const Figure sim = runTimed(engine, pins, {OperationRead});
    engine.setBridge(nullptr);
    ComClose();
    if (ComInit(kGpioPort) == 0) {
        std::fprintf(stderr, "%s did not open: %s\n", kGpioPort, GetDllInfo());
        return 1;
    }
    std::printf("%s\n", GetDllInfo());
    RecordingBridge gpioBridge;
    engine.setBridge(&gpioBridge);
    const Figure gpio = runTimed(engine, pins, {OperationRead});
    engine.setBridge(nullptr);
    ComClose();
    report("read, SIM", "recorder", sim, simBridge.calls());
    report("read, GPIO stand-in", "recorder", gpio, gpioBridge.calls());
    const double difference = gpio.ratio() - sim.ratio();
    // On a busy machine the time spent waiting for a CPU swamps both figures.
    const auto onCpu = [](const Figure& f) { return (f.wall - f.offCpu) / f.waits; };
    const std::size_t violations = gpioStandInViolations();
    std::printf("GPIO - SIM figure %+.4f (target at most %.2f); without off-CPU time %.4f - %.4f = %+.4f; "
                "violations on the GPIO chip %zu\n",
                difference, kGpioTarget, onCpu(gpio), onCpu(sim), onCpu(gpio) - onCpu(sim), violations);
    return difference > kGpioTarget || violations != 0 ? 1 : 0;
}

// One operation through the FTDI back end on the stand-in, with what the adapter counted.
void reportFtdi(const char* what, const Figure& f, const FtdiStandInCounts& counts, std::uint32_t bytesRead,
                double target)
{
    report(what, "recorder", f, 0, target);
    const double rest = f.wall - counts.frameSeconds - counts.fifoSeconds;
    std::printf("  %llu exchanges (%.2f per 64 bytes read), %.0f bytes sent per second, %llu stalls; wall %.3f s = "
                "frames %.3f s + FIFO room %.3f s + host pauses and work %.3f s (waits asked %.3f s); pins idle %.3f s\n",
                static_cast<unsigned long long>(counts.exchanges),
                static_cast<double>(counts.exchanges) * 64 / bytesRead,
                static_cast<double>(counts.bytesWritten) / f.wall, static_cast<unsigned long long>(counts.stalls),
                f.wall, counts.frameSeconds, counts.fifoSeconds, rest, f.waits, counts.idleSeconds);
}

// The full read on the simulated programmer, then the read and program + verify through
// the FTDI back end on the stand-in's simulated PIC18F452 (the read alone: ftdiread).
int compareFtdiWithSim(TPICPr& engine, SummingPinDriver& pins, bool withProgram)
{
    if (!ftdiStandInLinked()) {
        std::printf("FTDI: no libftdi1 stand-in in this build, run left out\n");
        return 0;
    }
    RecordingBridge bridge;
    engine.setBridge(&bridge);
    const Figure sim = runTimed(engine, pins, {OperationRead});
    ComClose();
    ::setenv("VELMORA_FTDI_STANDIN", "SIM:PIC18F452", 1);
    ::setenv("VELMORA_FTDI_STANDIN_WIRING", kFtdiBoard, 1);
    if (ComInit(kFtdiPort) == 0) {
        std::fprintf(stderr, "%s did not open: %s\n", kFtdiPort, GetDllInfo());
        engine.setBridge(nullptr);
        return 1;
    }
    std::printf("%s\n", GetDllInfo());
    const MemoryImage& image = engine.data().image;
    const std::uint32_t areaBytes = image.programMemorySize + image.eepromSize;
    ftdiStandInResetCounts();
    const Figure read = runTimed(engine, pins, {OperationRead});
    const FtdiStandInCounts readCounts = ftdiStandInCounts();
    fillChip(engine.data(), image.programMemorySize);
    ftdiStandInResetCounts();
    const Figure program = withProgram ? runTimed(engine, pins, {OperationProgram, OperationVerify}) : Figure{};
    const FtdiStandInCounts programCounts = ftdiStandInCounts();
    engine.setBridge(nullptr);
    ComClose();
    report("read, SIM", "recorder", sim, bridge.calls());
    reportFtdi("read, FTDI stand-in", read, readCounts, areaBytes, kFtdiReadTarget);
    // Programming reads back what it wrote and verify reads it all once more.
    if (withProgram)
        reportFtdi("program + verify, FTDI", program, programCounts, 2 * areaBytes, kFtdiProgramTarget);
    const std::size_t violations = ftdiStandInViolations();
    std::printf("FTDI - SIM read figure %+.4f; violations on the FTDI chip %zu\n", read.ratio() - sim.ratio(),
                violations);
    const bool programSlow = withProgram && program.ratio() > kFtdiProgramTarget;
    return read.ratio() > kFtdiReadTarget || programSlow || violations != 0 ? 1 : 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The full read without and with the device-ID check velmora-cli hands the engine for
// a named device, rounds interleaved so that the machine's drift touches both alike.
int compareIdCheck(TPICPr& engine, SummingPinDriver& pins, DeviceList& list, std::FILE* nowhere)
{
    list.MoveTo(0);
    DeviceRecord selected;
    for (std::int32_t i = 0; i < list.Count() && selected.name != kDevice; ++i)
        selected = list.CopyCurrentAndAdvance();
    cli::ChipGate gate(list, "SIM:PIC18F452", nowhere);
    const DeviceIdCheck check = gate.requiring(selected);
    if (!check) {
        std::fprintf(stderr, "%s names no device ID in Devices.ini\n", kDevice);
        return 1;
    }
    RecordingBridge recorder;
    engine.setBridge(&recorder);
    std::vector<Figure> off;
    std::vector<Figure> on;
    // Each round swaps the order, so that a machine growing busier favours neither.
    for (int round = 0; round < kIdCheckRounds; ++round) {
        for (const bool checked : {round % 2 == 1, round % 2 == 0}) {
            engine.deviceIdCheck = checked ? check : nullptr;
            (checked ? on : off).push_back(runTimed(engine, pins, {OperationRead}));
        }
    }
    engine.deviceIdCheck = nullptr;
    engine.setBridge(nullptr);
    const auto ratios = [](const std::vector<Figure>& figures, bool onCpuOnly) {
        std::vector<double> values;
        for (const Figure& f : figures)
            values.push_back(onCpuOnly ? (f.wall - f.offCpu) / f.waits : f.ratio());
        return values;
    };
    const double offRatio = median(ratios(off, false));
    const double onRatio = median(ratios(on, false));
    const double difference = onRatio - offRatio;
    std::printf("read, ID check off / on  recorder  ratio %.4f / %.4f  on - off %+.4f (target at most %.2f)  %s\n",
                offRatio, onRatio, difference, kIdCheckTarget, difference <= kIdCheckTarget ? "within" : "ABOVE");
    // On a busy machine the time spent waiting for a CPU swamps both figures.
    std::printf("  medians of %d interleaved rounds; without off-CPU time %.4f / %.4f = %+.4f\n", kIdCheckRounds,
                median(ratios(off, true)), median(ratios(on, true)),
                median(ratios(on, true)) - median(ratios(off, true)));
    if (gate.stopStatus())
        std::fprintf(stderr, "the check refused the chip\n");
    return difference > kIdCheckTarget || gate.stopStatus() ? 1 : 0;
}

// Program + verify of a newer family's part on its own simulated chip, the filled
// bytes alone present, so that programming reads back what it wrote and verify reads all.
int timeFamilyProgramAndVerify(TPICPr& engine, SummingPinDriver& pins, DeviceList& list, const FamilyRun& run)
{
    ComClose();
    if (ComInit(run.port) == 0) {
        std::fprintf(stderr, "%s did not open: %s\n", run.port, GetDllInfo());
        return 1;
    }
    // Configuration type 3: its masks come from Devices.ini, or every byte would be
    // written 00h and code-protect the chip.
    engine.data().setMaskSource((cli::executableFolder() / "Devices.ini").string(), nullptr);
    if (!selectDevice(engine, list, run.device)) {
        std::fprintf(stderr, "no %s in Devices.ini beside the program\n", run.device);
        return 1;
    }
    engine.entryWiring = corvant::entryWiring(run.port);
    engine.data().ClearImage(false);
    fillChip(engine.data(), run.programBytes);
    RecordingBridge recorder;
    engine.setBridge(&recorder);
    const Figure f = runTimed(engine, pins, {OperationProgram, OperationVerify});
    engine.setBridge(nullptr);
    engine.entryWiring = EntryWiring::HighVoltage;
    ComClose();
    std::printf("%s, %u of %u program bytes:\n", run.device, run.programBytes, engine.data().image.programMemorySize);
    report(run.label, "recorder", f, recorder.calls(), run.target);
    std::printf("  without off-CPU time %.4f\n", (f.wall - f.offCpu) / f.waits);
    return f.ratio() > run.target ? 1 : 0;
}

// The count runs the read on an engine of its own against a counting driver.
int timeFullReadCount()
{
    const auto start = Clock::now();
    const corvant::PinWork& work = referenceFullRead();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("full read counted        %llu writes, %llu reads, waits %.3f s  counted in %.3f s (target at most "
                "%.2f)  %s\n",
                static_cast<unsigned long long>(work.writes), static_cast<unsigned long long>(work.reads),
                corvant::protocolSeconds(work), seconds, kCountTarget, seconds <= kCountTarget ? "within" : "ABOVE");
    return seconds > kCountTarget ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool doRead = argc == 1;
    bool doProgram = argc == 1;
    bool doGpio = argc == 1;
    bool doFtdi = argc == 1;
    bool doFtdiRead = false;
    bool doIdCheck = argc == 1;
    bool doEstimate = argc == 1;
    bool doK22 = argc == 1;
    bool doJ = argc == 1;
    for (int i = 1; i < argc; ++i) {
        doIdCheck = doIdCheck || std::strcmp(argv[i], "idcheck") == 0;
        doRead = doRead || std::strcmp(argv[i], "read") == 0;
        doProgram = doProgram || std::strcmp(argv[i], "program") == 0;
        doGpio = doGpio || std::strcmp(argv[i], "gpio") == 0;
        doFtdi = doFtdi || std::strcmp(argv[i], "ftdi") == 0;
        doFtdiRead = doFtdiRead || std::strcmp(argv[i], "ftdiread") == 0;
        doEstimate = doEstimate || std::strcmp(argv[i], "estimate") == 0;
        doK22 = doK22 || std::strcmp(argv[i], "k22") == 0;
        doJ = doJ || std::strcmp(argv[i], "j") == 0;
    }
    if (DelayInit() != 0 || ComInit("SIM:PIC18F452") == 0) {
        std::fprintf(stderr, "no delay counter or no simulated programmer\n");
        return 2;
    }
    SummingPinDriver pins;
    setPinDriver(&pins);
    int status = 0;
    {
        TPICPr engine;
        DeviceList list;
        if (!selectDevice(engine, list)) {
            std::fprintf(stderr, "no %s in Devices.ini beside the program\n", kDevice);
            return 2;
        }
        std::FILE* nowhere = std::fopen("/dev/null", "w");
        if (nowhere == nullptr)
            nowhere = std::tmpfile();
        std::printf("%s on the simulated programmer, real delays; figure = wall time / sum of the waits asked for\n",
                    kDevice);
        for (int b = 0; b < 2; ++b) {
            RecordingBridge recorder;
            cli::TerminalBridge terminal(nowhere, nowhere, true, ButtonYes);
            ProgressBridge* bridge = b == 0 ? static_cast<ProgressBridge*>(&recorder) : &terminal;
            const char* name = b == 0 ? "recorder" : "terminal";
            engine.setBridge(bridge);
            if (doRead) {
                const Figure f = runTimed(engine, pins, {OperationRead});
                report("read (all areas)", name, f, b == 0 ? recorder.calls() : 0);
                status |= f.ratio() > kTarget ? 1 : 0;
            }
            if (doProgram) {
                fillChip(engine.data(), engine.data().image.programMemorySize);
                const Figure f = runTimed(engine, pins, {OperationProgram, OperationVerify});
                report("program + verify (all)", name, f, b == 0 ? recorder.calls() : 0);
                status |= f.ratio() > kTarget ? 1 : 0;
            }
            engine.setBridge(nullptr);
        }
        if (doIdCheck)
            status |= compareIdCheck(engine, pins, list, nowhere);
        std::fclose(nowhere);
        if (doGpio)
            status |= compareGpioWithSim(engine, pins);
        if (doFtdi || doFtdiRead) {
            if (ComInit("SIM:PIC18F452") == 0)
                return 2;
            status |= compareFtdiWithSim(engine, pins, doFtdi);
        }
        if (doEstimate)
            status |= timeFullReadCount();
        if (doK22)
            status |= timeFamilyProgramAndVerify(engine, pins, list, kK22Run);
        if (doJ)
            status |= timeFamilyProgramAndVerify(engine, pins, list, kJRun);
    }
    setPinDriver(nullptr);
    ComClose();
    return status;
}
