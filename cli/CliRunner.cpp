#include "cli/CliRunner.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <tuple>

#include "cli/ChipGate.h"
#include "cli/CliMessages.h"
#include "cli/CliTexts.h"
#include "cli/DeviceFileCheck.h"
#include "cli/IdentifyCommand.h"
#include "cli/WiringCheck.h"
#include "cli/Platform.h"
#include "cli/RunStop.h"
#include "cli/TerminalBridge.h"
#include "corvant/PortName.h"
#include "corvant/corvant.h"
#include "devicedata/DeviceDataMessages.h"
#include "devicedata/DeviceList.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/ConfigLocation.h"
#include "engine/CodeProtectNotice.h"
#include "engine/EngineTexts.h"
#include "engine/EntryGuard.h"
#include "engine/ProgramMemoryProgramming.h"
#include "engine/LvpLockout.h"
#include "engine/SlowPortWarning.h"
#include "engine/TPICPr.h"
#include "engine/WriteStrategyRules.h"
#include "hexfile/ApplyChecksum.h"
#include "hexfile/HexMessages.h"
#include "hexfile/InvalidIntegerValue.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/SaveHexFile.h"
#include "pendrel/pendrel.h"
#include "platform/LoadedLibrary.h"
#include "signalling/PinDriver.h"

namespace velmora::cli {

namespace {


std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::filesystem::path devicesPath(const CliOptions& options)
{
    if (!options.devicesPath.empty())
        return pathFromUtf8(options.devicesPath);
    return executableFolder() / "Devices.ini";
}

class Runner {
public:
    Runner(const CliOptions& options, std::FILE* out, std::FILE* err)
        : options_(options)
        , out_(out)
        , err_(err)
        , messages_(out, err)
    {
    }

    int run();
    // The one way out of every command.
    int end(int status) { return stop_.ending(status, out_); }

private:
    int listDevices();
    int describeProgrammer();
    int runOnChip();
    int runOnOpenPort(TPICPr& engine, const TerminalBridge& bridge);
    bool armIdCheck(TPICPr& engine, const TerminalBridge& bridge, ChipGate& gate);
    bool loadDatabase(DeviceList& list, const std::filesystem::path& path) const;
    bool prepareDevice(TPICPr& engine);
    bool select(TPICPr& engine, const DeviceRecord& record);
    bool entryAllowed(const DeviceRecord& record, EntryWiring wiring);
    void noteAreasNotApplying(const DeviceRecord& record) const;
    void standInForKeyEntry(TPICPr& engine);
    bool programFits(const TPICPr& engine) const;
    bool loadFile(TPICPr& engine);
    bool startDelays();
    bool openPort();
    std::optional<std::uint16_t> readChipId(TPICPr& engine, const TerminalBridge& bridge);
    void runOperation(TPICPr& engine, std::uint8_t code, const TerminalBridge& bridge);
    void runOperations(TPICPr& engine, const TerminalBridge& bridge);
    int saveRead(TPICPr& engine);
    int closePort(int status);
    void error(const std::string& text) const;
    bool needsFile() const { return options_.command == Command::Program || options_.command == Command::Verify; }

    const CliOptions& options_;
    std::FILE* out_;
    std::FILE* err_;
    CliMessages messages_;
    DeviceList devices_;
    DeviceRecord selected_;
    bool entryRefused_ = false;
    RunStop stop_;
};

void Runner::error(const std::string& text) const
{
    std::fprintf(err_, "%s\n", text.c_str());
}

int Runner::run()
{
    switch (options_.command) {
    case Command::Help:
        std::fputs(kUsage, out_);
        return ExitSuccess;
    case Command::Version:
        std::fputs(kVersion, out_);
        return ExitSuccess;
    case Command::Devices:
        return listDevices();
    case Command::Info:
        return describeProgrammer();
    case Command::CheckDevices:
        return checkDeviceFile(options_.file.empty() ? devicesPath(options_) : std::filesystem::path(options_.file),
                               options_.programming.multiPanelWrite, out_);
    case Command::Wiring: {
        if (!startDelays() || !openPort())
            return ExitFailure;
        return closePort(runWiringCheck(currentPinDriver(), dataInIsPgd(GetDllInfo()), out_, err_));
    }
    default:
        return runOnChip();
    }
}

// The messages the windows show for a database they cannot use, and why.
bool Runner::loadDatabase(DeviceList& list, const std::filesystem::path& path) const
{
    std::string problem;
    if (!LoadDeviceList(list, path, &problem)) {
        error(terminalText(DeviceListLoadFailedMessage()));
        error(problem);
        return false;
    }
    if (list.Count() == 0) {
        error(terminalText(std::string(kZeroDevicesMessage)));
        error(path.string());
        return false;
    }
    return true;
}

int Runner::listDevices()
{
    DeviceList list;
    if (!loadDatabase(list, devicesPath(options_)))
        return ExitFailure;
    list.MoveTo(0);
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        std::fprintf(out_, "%s\n", list.CopyCurrentAndAdvance().name.c_str());
        if (stop_.requested(std::ferror(out_) != 0))
            return stop_.exitStatus();
    }
    return ExitSuccess;
}

int Runner::describeProgrammer()
{
    const bool open = ComInit(options_.port.c_str()) != 0;
    // Copied at once: the text belongs to the library.
    const std::string info = GetDllInfo();
    const std::string head = std::string(kLibraryInfoHead) + platform::pinInterfaceLibraryFile() + kLibraryInfoTail;
    std::fprintf(out_, "%s%s\n", terminalText(head).c_str(), info.c_str());
    if (!open)
        return ExitFailure;
    return closePort(ExitSuccess);
}

// The database, and the device when one is named; without one the chip names it later.
bool Runner::prepareDevice(TPICPr& engine)
{
    const auto path = devicesPath(options_);
    if (!loadDatabase(devices_, path))
        return false;
    engine.data().setMaskSource(path.string(), &messages_);
    if (options_.device.empty()) {
        standInForKeyEntry(engine);
        return true;
    }
    const std::string wanted = lowerCase(options_.device);
    devices_.MoveTo(0);
    for (std::int32_t index = 0; index < devices_.Count(); ++index) {
        const DeviceRecord record = devices_.CopyCurrentAndAdvance();
        if (lowerCase(record.name) == wanted)
            return select(engine, record);
    }
    error(kUnknownDevice + options_.device + kIn + path.string());
    return false;
}

// Without a device named, only a part entered by the key answers on MCLR alone: the
// database's first such part with the longest entry waits, which every key-entry family
// accepts, is entered until the chip names its own section.
void Runner::standInForKeyEntry(TPICPr& engine)
{
    if (engine.entryWiring != EntryWiring::MclrOnly)
        return;
    const auto waitsOf = [](const DeviceRecord& record) {
        const KeyEntryWaits& waits = *rulesFor(record).keyEntryWaits;
        return std::tuple(waits.beforeKeyUnits, waits.firstCommandUnits, waits.afterKeyUnits);
    };
    std::optional<DeviceRecord> slowest;
    devices_.MoveTo(0);
    for (std::int32_t index = 0; index < devices_.Count(); ++index) {
        const DeviceRecord record = devices_.CopyCurrentAndAdvance();
        if (!factsFor(record.family).keyEntry || !record.familyProblem.empty() || !rulesFor(record).keyEntryWaits)
            continue;
        if (!slowest || waitsOf(record) > waitsOf(*slowest))
            slowest = record;
    }
    if (slowest)
        engine.data().SelectDevice(*slowest);
}

bool Runner::select(TPICPr& engine, const DeviceRecord& record)
{
    // Its erase keys and programming voltage are unknown, whatever the ID check says.
    if (!record.familyProblem.empty()) {
        error(kFamilyUnusable + record.name + kIn + devicesPath(options_).string() + ": " + record.familyProblem);
        return false;
    }
    if (!entryAllowed(record, engine.entryWiring))
        return false;
    noteAreasNotApplying(record);
    selected_ = record;
    engine.data().SelectDevice(selected_);
    engine.data().ClearImage(true);
    // A broken Mask key would force every configuration bit to 0 on the chip.
    return !messages_.errorShown();
}

// A device the programmer cannot enter as wired, or whose Vpp limit its entry would
// exceed, is refused whoever chose it: the command line before the port opens, the
// chip after its ID read, before the operation's own session.
bool Runner::entryAllowed(const DeviceRecord& record, EntryWiring wiring)
{
    if (const std::string refusal = entryRefusal(record, wiring); !refusal.empty()) {
        error(terminalText(refusal));
        entryRefused_ = true;
        return false;
    }
    if (options_.vppLimited)
        return true;
    if (const std::string warning = vppWarning(record, wiring, corvant::vppIsUnregulated(options_.port));
        !warning.empty()) {
        error(terminalText(warning));
        error(kVppLimitedHint);
        entryRefused_ = true;
        return false;
    }
    return true;
}

// Leaving out an area a J part does not have changes nothing: said, not refused.
void Runner::noteAreasNotApplying(const DeviceRecord& record) const
{
    if (!configInFlash(record))
        return;
    if (!options_.programming.eeprom)
        error(kNoEepromNote + record.name + kNoEepromNoteTail);
    if (!options_.programming.ids && !hasIdLocations(record))
        error(kNoIdsNote + record.name + kNoIdsNoteTail);
}

// Program erases first: a program memory its write method cannot divide would be lost.
bool Runner::programFits(const TPICPr& engine) const
{
    if (options_.command != Command::Program)
        return true;
    const char* misfit = ProgramMemoryProgramming::misfitFor(engine.data(), engine.options);
    if (misfit == nullptr)
        return true;
    error(terminalText(misfit));
    error(kNothingSent);
    return false;
}

bool Runner::loadFile(TPICPr& engine)
{
    const HexLoadResult loaded = LoadHexFile(engine.data(), options_.file, messages_);
    if (messages_.errorShown())
        return false;
    // The windows warn and carry on; a script would take part of a firmware for all of it.
    if (!loaded.endOfFileSeen && !options_.acceptNoEof) {
        error(kNoEndOfFile);
        return false;
    }
    if (!options_.checksum.enabled)
        return true;
    try {
        ApplyChecksum(engine.data(), options_.checksum, messages_);
    } catch (const InvalidIntegerValue& invalid) {
        error("'" + invalid.text() + kNotAValidInteger);
        return false;
    }
    if (messages_.questionDeclined()) {
        error(kChecksumDeclined);
        return false;
    }
    return true;
}

bool Runner::startDelays()
{
    const auto status = static_cast<std::int8_t>(DelayInit() & 0xFF);
    if (status == PENDREL_NO_COUNTER) {
        error(kNoCounter);
        return false;
    }
    if (status == PENDREL_SLOW_COUNTER) {
        error(terminalText(std::string(kSlowCounterHead) + std::to_string(GetMinPerformanceFrequency())
                           + kSlowCounterMiddle + std::to_string(GetPerformanceFrequency()) + kHz));
    }
    return true;
}

bool Runner::openPort()
{
    if (ComInit(options_.port.c_str()) != 0) {
        if (const auto warning = slowPortWarning(GetDllInfo(), openPortLineCosts()))
            error(*warning);
        return true;
    }
    error(kPortFailed + options_.port + ": " + GetDllInfo());
    return false;
}

void Runner::runOperation(TPICPr& engine, std::uint8_t code, const TerminalBridge& bridge)
{
    // The progress window's part: open, hand over, and on a signal or a closed
    // terminal the Cancel path. Later signals only wait for the same ending.
    engine.start(code);
    bool cancelled = false;
    // The terminal bridge serves the worker on its own thread; this one only watches.
    engine.waitForEnd([&] {
        if (!cancelled && stop_.requested(bridge.outputLost())) {
            cancelled = true;
            engine.requestCancel();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return true;
    });
    // The final report still comes from the worker once busy is clear.
    while (!engine.waitIdle(std::chrono::milliseconds(50))) {
    }
    // The window's close path; the operation has ended, so no cancel is requested.
    engine.requestCancel();
    if (engine.lastOutcome == OperationOutcome::Cancelled && !bridge.outputLost())
        error(kCancelled);
}

// The port closes on every way out; a failed close means the simulated chip or its
// trace was not saved, or the hardware was not released, so it is never a success.
int Runner::closePort(int status)
{
    const bool closed = ComClose() != 0;
    if (!closed)
        error(kComCloseError);
    if (stop_.requested())
        return stop_.exitStatus();
    return closed ? status : ExitFailure;
}

std::uint8_t operationFor(Command command)
{
    switch (command) {
    case Command::Read: return OperationRead;
    case Command::Program: return OperationProgram;
    case Command::Verify: return OperationVerify;
    case Command::Erase: return OperationErase;
    case Command::BlankCheck: return OperationBlankCheck;
    default: return OperationNone;
    }
}

int exitStatusFor(OperationOutcome outcome)
{
    switch (outcome) {
    case OperationOutcome::Completed: return ExitSuccess;
    case OperationOutcome::Differences:
    case OperationOutcome::Aborted: return ExitDifferences;
    default: return ExitFailure;
    }
}

std::optional<std::uint16_t> Runner::readChipId(TPICPr& engine, const TerminalBridge& bridge)
{
    if (stop_.requested())
        return std::nullopt;
    runOperation(engine, OperationDeviceId, bridge);
    if (engine.lastOutcome != OperationOutcome::Completed)
        return std::nullopt;
    const std::uint8_t* id = engine.data().image.deviceId;
    return static_cast<std::uint16_t>(id[1] << 8 | id[0]);
}

// The device-ID check rides in the operation's own programming session. A file to
// program or verify must fit the device before anything is written, so there the
// chip names the device in a session of its own first.
bool Runner::armIdCheck(TPICPr& engine, const TerminalBridge& bridge, ChipGate& gate)
{
    const ChipGate::Select choose = [this, &engine](const DeviceRecord& record) { return select(engine, record); };
    if (!options_.device.empty()) {
        if (options_.idCheck)
            engine.deviceIdCheck = gate.requiring(selected_);
        return true;
    }
    if (!needsFile()) {
        engine.deviceIdCheck = gate.choosing(choose);
        return true;
    }
    const auto rawId = readChipId(engine, bridge);
    if (!rawId)
        return false;
    if (const std::string reason = gate.choose(*rawId, choose); !reason.empty()) {
        error(reason);
        return false;
    }
    if (!programFits(engine) || !loadFile(engine))
        return false;
    if (options_.idCheck)
        engine.deviceIdCheck = gate.requiring(selected_);
    return true;
}

int Runner::runOnOpenPort(TPICPr& engine, const TerminalBridge& bridge)
{
    if (options_.command == Command::Identify) {
        const auto rawId = readChipId(engine, bridge);
        if (!rawId)
            return ExitFailure;
        return reportIdentity(IdentifyChip(devices_, *rawId), options_.port, out_, err_);
    }
    ChipGate gate(devices_, options_.port, out_);
    const bool armed = armIdCheck(engine, bridge, gate);
    if (armed)
        runOperations(engine, bridge);
    engine.deviceIdCheck = nullptr;
    if (const auto stopped = gate.stopStatus())
        return *stopped;
    return armed ? exitStatusFor(engine.lastOutcome) : ExitFailure;
}

// The command's operation, and for erase --blank-check the check that it left the chip blank.
void Runner::runOperations(TPICPr& engine, const TerminalBridge& bridge)
{
    if (stop_.requested())
        return;
    runOperation(engine, operationFor(options_.command), bridge);
    if (engine.lastOutcome == OperationOutcome::Completed) {
        if (const std::string notice = codeProtectNotice(operationFor(options_.command), engine.options, engine.data());
            !notice.empty())
            error(terminalText(notice));
    }
    if (options_.blankCheckAfterErase && engine.lastOutcome == OperationOutcome::Completed
        && !stop_.requested(bridge.outputLost()))
        runOperation(engine, OperationBlankCheck, bridge);
}

int Runner::saveRead(TPICPr& engine)
{
    messages_.reset();
    SaveHexFile(engine.data(), options_.file, messages_);
    return messages_.errorShown() ? ExitFailure : ExitSuccess;
}

int Runner::runOnChip()
{
    auto engine = std::make_unique<TPICPr>();
    engine->entryWiring = corvant::entryWiring(options_.port);
    // identify reads nothing but the device ID, so it goes on without a usable database,
    // but not on a chip the port must not enter.
    if (!prepareDevice(*engine) && (options_.command != Command::Identify || entryRefused_)) {
        if (entryRefused_)
            error(kNothingSent);
        return ExitFailure;
    }
    engine->options = options_.programming;
    if (!options_.device.empty() && !programFits(*engine))
        return ExitFailure;
    // Nothing reaches the chip unless the file loaded cleanly; without a device named,
    // the file waits for the chip to name one.
    if (needsFile() && !options_.device.empty() && !loadFile(*engine))
        return ExitFailure;
    if (!options_.allowLvpOff
        && LocksOutLowVoltageEntry(operationFor(options_.command), engine->options, engine->data(),
                                   engine->entryWiring != EntryWiring::HighVoltage)) {
        error(kLvpOffRefusedHead + std::string(texts::kLvpOffConsequence) + kLvpOffRefusedTail);
        return ExitFailure;
    }
    // A typo in the output path must not cost a whole read.
    if (options_.command == Command::Read && !CanSaveHexFile(options_.file)) {
        error(std::string(hexmessages::kCannotCreateFile));
        return ExitFailure;
    }
    if (stop_.requested())
        return stop_.exitStatus();
    // An ID check that cannot be made must not pass for one the section does not ask for.
    if (options_.idCheck && !options_.device.empty() && options_.command != Command::Identify
        && selected_.deviceIdState == DeviceIdState::Unusable) {
        error(kIdCheckImpossible + selected_.name + kIn + devicesPath(options_).string() + ": "
              + selected_.deviceIdProblem + kIdCheckImpossibleEnd);
        return ExitFailure;
    }
    if (!startDelays() || !openPort())
        return ExitFailure;

    TerminalBridge bridge(out_, err_, isTerminal(out_),
                          options_.stopAtFirstDifference ? ButtonAbort : ButtonYes);
    engine->setBridge(&bridge);
    const int status = runOnOpenPort(*engine, bridge);
    engine->setBridge(nullptr);
    stop_.requested(bridge.outputLost());   // a terminal lost in the ending stops the run too
    const int closed = closePort(status);
    if (closed != ExitSuccess || options_.command != Command::Read)
        return closed;
    return saveRead(*engine);
}

} // namespace

int runCommand(const CliOptions& options, std::FILE* out, std::FILE* err)
{
    Runner runner(options, out, err);
    return runner.end(runner.run());
}

} // namespace velmora::cli
