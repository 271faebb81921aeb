#include "ui/HeadUnit.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <system_error>

#include "corvant/PortName.h"
#include "corvant/corvant.h"
#include "devicedata/DeviceDataMessages.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/IdentifyChip.h"
#include "engine/ChipIdentity.h"
#include "engine/EngineTexts.h"
#include "engine/EntryGuard.h"
#include "engine/SlowPortWarning.h"
#include "engine/WiringCheck.h"
#include "engine/CodeProtectNotice.h"
#include "engine/LvpLockout.h"
#include "engine/OperationCode.h"
#include "engine/ProgramMemoryProgramming.h"
#include "engine/TPICPr.h"
#include "hexfile/ApplyChecksum.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/SaveHexFile.h"
#include "pendrel/pendrel.h"
#include "ui/About.h"
#include "ui/COMSel.h"
#include "ui/CSConfig.h"
#include "ui/CfgIDs.h"
#include "ui/DevSel.h"
#include "ui/ElidedText.h"
#include "ui/ErrorHook.h"
#include "ui/FileChooser.h"
#include "ui/Llit.h"
#include "ui/MemoryGridView.h"
#include "ui/PrgCfg.h"
#include "ui/Pr_Wnd.h"
#include "ui/SettingsFile.h"
#include "ui/UCfgIDs2.h"
#include "ui/UCfgIDs3.h"
#include "ui/UiTexts.h"
#include "ui/WindowPlacement.h"
#include "ui/platform/ProcessPriority.h"

namespace velmora {

namespace {

constexpr int kPanelWidths[2] = {100, 50};
constexpr int kFixedColumnWidth = 77;
constexpr int kCharColumn = 9;

// The engine's multi-line texts end their lines with "\n"; a message box's lines end
// with "\r\n", and its last line with nothing.
std::string windowsText(const std::string& text)
{
    std::string result;
    for (const char c : text) {
        if (c == '\n')
            result += "\r\n";
        else
            result += c;
    }
    while (result.ends_with("\r\n"))
        result.resize(result.size() - 2);
    return result;
}

std::string comInitError(const std::string& port)
{
    return std::string(ui::kComInitErrorPrefix) + "\"" + ElideMiddle(port) + "\".";
}

QString caption(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

TForm1::TForm1(std::filesystem::path programFolder, UserMessages& messages, FileChooser& files,
               TForm2& lowLevelTest, TForm6& comSelect)
    : programFolder_(std::move(programFolder)), settingsLocation_(settingsLocationFor(programFolder_)), messages_(messages), files_(files), lowLevelTest_(lowLevelTest),
      comSelect_(comSelect)
{
    buildWindow();

    platform::raiseProcessAndThreadPriority();
    initialiseDelayLibrary();
    readFirstSettingsGroup();
    openPortAtStartUp();

    engine_ = std::make_unique<TPICPr>();
    engine_->entryWiring = corvant::entryWiring(settings_.com);
    engine_->data().setMaskSource((programFolder_ / ui::kDevicesIniName).string(), &messages_);
    engine_->options.blankCheckBeforeErase = false;
    const SettingsFile settingsFile(settingsLocation_);
    std::string problem;
    if (!settingsFile.readGroup2(engine_->options, &problem))
        showError(messages_, settingsFile.loadErrorText(problem));

    gridView_->setColumnWidth(0, kFixedColumnWidth);
    gridView_->setColumnWidth(kCharColumn, kFixedColumnWidth);
    gridModel_.setHeaderRow();

    loadDevices();
    engine_->data().ClearImage(true);
    refreshGrid();
}

TForm1::~TForm1()
{
    shutDown();
}

void TForm1::buildWindow()
{
    setWindowTitle(caption(ui::kAppTitle));
    setWindowIcon(programIcon());
    setMinimumSize(kMinimumWindowWidth, kMinimumWindowHeight);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addMenuItem(file, Command::EmptyWindow, QStringLiteral("Empty &window"), QKeySequence(Qt::CTRL | Qt::Key_E));
    addMenuItem(file, Command::Load, QStringLiteral("&Load"), QKeySequence(Qt::Key_F3));
    addMenuItem(file, Command::Save, QStringLiteral("&Save"), QKeySequence(Qt::Key_F2));
    file->addSeparator();
    addMenuItem(file, Command::Exit, QStringLiteral("&Exit"), QKeySequence(Qt::Key_F10));

    deviceMenu_ = menuBar()->addMenu(QStringLiteral("&Device"));
    addMenuItem(deviceMenu_, Command::SelectDevice, QStringLiteral("&Select"), QKeySequence(Qt::CTRL | Qt::Key_S));
    addMenuItem(deviceMenu_, Command::ConfigurationBits, QStringLiteral("&Configuration bits && IDs"),
                QKeySequence(Qt::Key_F9));
    deviceMenu_->addSeparator();
    addMenuItem(deviceMenu_, Command::Erase, QStringLiteral("Erase"), {});
    addMenuItem(deviceMenu_, Command::Program, QStringLiteral("&Program"), QKeySequence(Qt::Key_F5));
    addMenuItem(deviceMenu_, Command::Read, QStringLiteral("&Read"), QKeySequence(Qt::Key_F6));
    addMenuItem(deviceMenu_, Command::Verify, QStringLiteral("&Verify"), QKeySequence(Qt::Key_F7));

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    addMenuItem(options, Command::ProgrammingConfiguration, QStringLiteral("&Programming"),
                QKeySequence(Qt::CTRL | Qt::Key_P));
    // Ctrl+S belongs to Device > Select, which comes first; this item only shows it.
    addMenuItem(options, Command::ChecksumConfiguration, QStringLiteral("Check&sum\tCtrl+S"), {});
    options->addSeparator();
    addMenuItem(options, Command::ComPort, QStringLiteral("&COM port"), {});

    QMenu* debug = menuBar()->addMenu(QStringLiteral("De&bug"));
    addMenuItem(debug, Command::LowLevelTest, QStringLiteral("&Low-level interface"), QKeySequence(Qt::CTRL | Qt::Key_L));
    addMenuItem(debug, Command::IdentifyChip, QStringLiteral("&Identify chip"), {});
    addMenuItem(debug, Command::CheckWiring, QStringLiteral("Check &wiring"), {});
    debug->addSeparator();
    addMenuItem(debug, Command::ProgrammerInfo, QStringLiteral("&Programmer info"), {});

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addMenuItem(help, Command::About, QStringLiteral("&About"), {});

    QToolBar* toolbar = addToolBar(QString());
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->toggleViewAction()->setVisible(false);
    addToolbarButton(toolbar, Command::EmptyWindow, "Empty window", ToolbarIcon::EmptyWindow);
    addToolbarButton(toolbar, Command::Load, "Load file", ToolbarIcon::LoadFile);
    addToolbarButton(toolbar, Command::Save, "Save file", ToolbarIcon::SaveFile);
    toolbar->addSeparator();
    addToolbarButton(toolbar, Command::SelectDevice, "Select device", ToolbarIcon::SelectDevice);
    addToolbarButton(toolbar, Command::ConfigurationBits, "Edit device configuration bits & IDs",
                     ToolbarIcon::EditConfiguration);
    toolbar->addSeparator();
    addToolbarButton(toolbar, Command::Program, "Program device", ToolbarIcon::ProgramDevice);
    addToolbarButton(toolbar, Command::Read, "Read device", ToolbarIcon::ReadDevice);
    addToolbarButton(toolbar, Command::Verify, "Verify device", ToolbarIcon::VerifyDevice);
    toolbar->addSeparator();
    addToolbarButton(toolbar, Command::ProgrammingConfiguration, "Programming configuration",
                     ToolbarIcon::ProgrammingConfiguration);
    addToolbarButton(toolbar, Command::ChecksumConfiguration, "Checksum configuration",
                     ToolbarIcon::ChecksumConfiguration);
    toolbar->addSeparator();
    addToolbarButton(toolbar, Command::Exit, "Exit", ToolbarIcon::Exit);

    gridView_ = new MemoryGridView(gridModel_, this);
    setCentralWidget(gridView_);

    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(statusBar());
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setFixedWidth(kPanelWidths[i]);
        statusBar()->addWidget(panels_[i], i == 1 ? 1 : 0);
    }
    // Panel 1 holds a full file name: it takes the rest of the bar when there is room.
    panels_[1]->setMinimumWidth(kPanelWidths[1]);
    panels_[1]->setMaximumWidth(QWIDGETSIZE_MAX);
}

QAction* TForm1::addMenuItem(QMenu* menu, Command command, const QString& text, const QKeySequence& shortcut)
{
    QAction* item = menu->addAction(text);
    item->setShortcut(shortcut);
    connect(item, &QAction::triggered, this, [this, command] { runIfEnabled(command); });
    commands_[command] = {item, menu, nullptr};
    return item;
}

void TForm1::addToolbarButton(QToolBar* toolbar, Command command, const char* hint, ToolbarIcon icon)
{
    QAction* button = toolbar->addAction(toolbarIcon(icon), QString::fromLatin1(hint));
    button->setToolTip(QString::fromLatin1(hint));
    connect(button, &QAction::triggered, this, [this, command] { runIfEnabled(command); });
    commands_[command].toolbarButton = button;
}

QAction* TForm1::menuItem(Command command) const
{
    return commands_.at(command).menuItem;
}

QAction* TForm1::toolbarButton(Command command) const
{
    return commands_.at(command).toolbarButton;
}

QString TForm1::statusPanel(int panel) const
{
    return panels_[panel]->text();
}

void TForm1::attachWindows(const CommandWindows& windows)
{
    windows_ = windows;
}

void TForm1::runIfEnabled(Command command)
{
    const CommandEntry& entry = commands_.at(command);
    if (!entry.menu->isEnabled() || !entry.menuItem->isEnabled())
        return;
    ErrorHook::guard([&] { run(command); });
}

void TForm1::run(Command command)
{
    switch (command) {
    case Command::EmptyWindow: emptyWindow(); break;
    case Command::Load: loadFile(); break;
    case Command::Save: saveFile(); break;
    case Command::Exit: close(); break;
    case Command::SelectDevice: selectDevice(); break;
    case Command::ConfigurationBits: editConfiguration(); break;
    case Command::Erase: runCheckedOperation(OperationErase, ui::kProcessErasing); break;
    case Command::Program: program(); break;
    case Command::Read: runCheckedOperation(OperationRead, ui::kProcessRead); break;
    case Command::Verify: runCheckedOperation(OperationVerify, ui::kProcessVerification); break;
    case Command::ProgrammingConfiguration:
        windows_.programming->EditProgrammingOptions(engine_->options, engine_->data().device);
        break;
    case Command::ChecksumConfiguration: windows_.checksum->EditChecksumSettings(settings_.checksum); break;
    case Command::ComPort: selectComPort(); break;
    case Command::LowLevelTest: lowLevelTest_.exec(); break;
    case Command::IdentifyChip: identifyChip(); break;
    case Command::CheckWiring: checkWiring(); break;
    case Command::ProgrammerInfo: showProgrammerInfo(); break;
    case Command::About: windows_.about->exec(); break;
    }
}

// ---- Start-up ---------------------------------------------------------------------

void TForm1::initialiseDelayLibrary()
{
    const auto status = static_cast<std::int8_t>(DelayInit() & 0xFF);
    const std::int64_t frequency = GetPerformanceFrequency();
    const std::int64_t minimum = GetMinPerformanceFrequency();
    if (status == PENDREL_SLOW_COUNTER) {
        showError(messages_, ui::kTimerTooSlowPrefix + std::to_string(minimum) + ui::kTimerTooSlowMiddle
                                 + std::to_string(frequency) + ui::kTimerHzSuffix);
    } else if (status == PENDREL_NO_COUNTER) {
        showError(messages_, ui::kTimerNotFound);
    }
}

void TForm1::readFirstSettingsGroup()
{
    const SettingsFile settingsFile(settingsLocation_);
    std::string problem;
    if (!settingsFile.readGroup1(settings_, &problem))
        showError(messages_, settingsFile.loadErrorText(problem));
    applyWindowSettings();
}

void TForm1::applyWindowSettings()
{
    const WindowBounds bounds = FitWindowBoundsToScreen(settings_.bounds);
    setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
    normalBounds_ = geometry();
    setWindowState(settings_.maximized ? Qt::WindowMaximized : Qt::WindowNoState);
    gridView_->setColumnWidths(settings_.columnWidths);
}

void TForm1::openPortAtStartUp()
{
    while (ComInit(settings_.com.c_str()) == 0) {
        const MessageButton answer =
            messages_.showMessage(MessageKind::Error,
                                  comInitError(settings_.com) + "\r\n" + ui::kSelectComPortQuestion,
                                  ButtonYes | ButtonNo | ButtonRetry);
        if (answer == ButtonRetry)
            continue;
        if (answer == ButtonYes) {
            std::string chosen = settings_.com;
            if (comSelect_.SelectComPort(chosen)) {
                settings_.com = chosen;
                continue;
            }
        }
        showError(messages_, ui::kPortCommandsUnavailable);
        setPortCommandsEnabled(false);
        return;
    }
}

void TForm1::setPortCommandsEnabled(bool enabled)
{
    // Identify and the line check need the port as much as the low-level test's pins do.
    for (Command command : {Command::Program, Command::Read, Command::Verify, Command::IdentifyChip,
                            Command::CheckWiring})
        menuItem(command)->setEnabled(enabled);
    lowLevelTest_.setPinGroupEnabled(enabled);
}

void TForm1::loadDevices()
{
    const bool loaded = LoadDeviceList(devices_, programFolder_ / ui::kDevicesIniName);
    if (!loaded)
        showError(messages_, DeviceListLoadFailedMessage());
    else if (devices_.Count() == 0)
        showError(messages_, std::string(kZeroDevicesMessage));

    if (devices_.Count() == 0) {
        deviceMenu_->setEnabled(false);
        panels_[0]->clear();
        engine_->data().ApplyNoDeviceDefaults();
        return;
    }
    if (settings_.device < 0 || settings_.device > devices_.Count() - 1)
        settings_.device = devices_.Count() - 1;
    devices_.MoveTo(settings_.device);
    const DeviceRecord record = devices_.CopyCurrent();
    panels_[0]->setText(QString::fromStdString(record.name));
    engine_->data().SelectDevice(record);
}

// ---- Grid -------------------------------------------------------------------------

void TForm1::refreshGrid()
{
    gridModel_.refresh(engine_->data(), partialRefresh_);
}

void TForm1::refreshIdsAndConfig()
{
    partialRefresh_ = true;
    refreshGrid();
    partialRefresh_ = false;
}

// ---- Commands ---------------------------------------------------------------------

void TForm1::emptyWindow()
{
    engine_->data().ClearImage(true);
    refreshGrid();
    panels_[1]->clear();
}

void TForm1::enterFolderOf(const QString& fileName)
{
    std::error_code ignored;
    std::filesystem::current_path(QFileInfo(fileName).absolutePath().toStdString(), ignored);
}

void TForm1::loadFile()
{
    const std::optional<QString> name = files_.chooseFileToLoad(this);
    if (!name)
        return;
    enterFolderOf(*name);
    const QString fullName = QFileInfo(*name).absoluteFilePath();
    LoadHexFile(engine_->data(), fullName.toStdString(), messages_);
    if (settings_.checksum.enabled) {
        // A warn value that is no number ends the checksum step with its error box, but
        // the grid is still refreshed: it must show the image that Program would write.
        ErrorHook::guard([&] { ApplyChecksum(engine_->data(), settings_.checksum, messages_); });
    }
    refreshGrid();
    panels_[1]->setText(fullName);
}

void TForm1::saveFile()
{
    const std::optional<QString> name = files_.chooseFileToSave(this);
    if (!name)
        return;
    enterFolderOf(*name);
    const QString fullName = QFileInfo(*name).absoluteFilePath();
    SaveHexFile(engine_->data(), fullName.toStdString(), messages_);
    panels_[1]->setText(fullName);
}

void TForm1::selectDevice()
{
    if (!windows_.deviceSelect->ChooseDevice(settings_.device))
        return;
    devices_.MoveTo(settings_.device);
    const DeviceRecord record = devices_.CopyCurrent();
    panels_[0]->setText(QString::fromStdString(record.name));
    engine_->data().SelectDevice(record);
    engine_->data().ClearImage(true);
    refreshGrid();
    panels_[1]->clear();
}

void TForm1::editConfiguration()
{
    const auto refresh = [this] { refreshIdsAndConfig(); };
    switch (engine_->data().device.configType) {
    case 1: windows_.editor1->EditConfiguration(engine_->data(), refresh); break;
    case 2: windows_.editor2->EditConfiguration(engine_->data(), refresh); break;
    case 3: windows_.editor3->EditConfiguration(engine_->data(), refresh); break;
    default: break;
    }
}

void TForm1::runOperation(std::uint8_t code, const char* process)
{
    if (!entryAccepted())
        return;
    windows_.progress->prepare(caption(process));
    windows_.progress->RunOperation(code);
}

void TForm1::program()
{
    // Program erases first: a program memory its write method cannot divide would be lost.
    if (const char* misfit = ProgramMemoryProgramming::misfitFor(engine_->data(), engine_->options)) {
        showError(messages_, std::string(misfit) + "\r\n" + ui::kDeviceNotErased);
        return;
    }
    if (!lvpOffAccepted())
        return;
    runCheckedOperation(OperationProgram, ui::kProcessProgramming);
    if (engine_->lastOutcome != OperationOutcome::Completed)
        return;
    if (const std::string notice = codeProtectNotice(OperationProgram, engine_->options, engine_->data());
        !notice.empty())
        messages_.showMessage(MessageKind::Warning, notice, ButtonOk);
}

// Programming LVP off through a low-voltage entry leaves a chip only high voltage can
// enter again: the user says so first, and No is what Enter answers.
bool TForm1::lvpOffAccepted()
{
    if (!LocksOutLowVoltageEntry(OperationProgram, engine_->options, engine_->data(),
                                 engine_->entryWiring != EntryWiring::HighVoltage))
        return true;
    return messages_.askWithDefault(MessageKind::Warning,
                                    ui::kLvpOffQuestionHead + std::string(texts::kLvpOffConsequence)
                                        + ui::kLvpOffQuestionTail,
                                    ButtonYes | ButtonNo, ButtonNo)
        == ButtonYes;
}

// Before every session: a port that cannot enter the device is an error; a Vpp above
// the device's limit is the user's call, and No is what Enter answers.
bool TForm1::entryAccepted()
{
    const SelectedDevice& device = engine_->data().device;
    if (const std::string refusal = entryRefusal(device, engine_->entryWiring); !refusal.empty()) {
        showError(messages_, refusal);
        return false;
    }
    const std::string warning = vppWarning(device, engine_->entryWiring, corvant::vppIsUnregulated(settings_.com));
    if (warning.empty())
        return true;
    return messages_.askWithDefault(MessageKind::Warning, warning + "\r\n" + ui::kVppGoOnQuestion,
                                    ButtonYes | ButtonNo, ButtonNo)
        == ButtonYes;
}

void TForm1::runCheckedOperation(std::uint8_t code, const char* process)
{
    // A section without a usable DeviceID names no chip to compare with.
    if (devices_.Count() > 0) {
        devices_.MoveTo(settings_.device);
        const DeviceRecord selected = devices_.CopyCurrent();
        if (selected.deviceIdState == DeviceIdState::Usable)
            engine_->deviceIdCheck = [this, name = selected.name](std::uint16_t rawId) {
                return checkChip(rawId, name);
            };
    }
    runOperation(code, process);
    engine_->deviceIdCheck = nullptr;
}

std::string TForm1::checkChip(std::uint16_t rawId, const std::string& selectedName)
{
    const ChipIdentity chip = IdentifyChip(devices_, rawId);
    const std::string mismatch = chipMismatch(chip, selectedName);
    if (mismatch.empty())
        return mismatch;
    std::string text = mismatch;
    if (chip.kind == ChipIdentity::Kind::Silent)
        text += "\r\n" + windowsText(silentChipChecklist(rawId, settings_.com, ui::kWiringCheckName));
    const MessageButton answer = windows_.progress->askWithDefault(
        MessageKind::Error, text + "\r\n" + ui::kIdMismatchQuestion, ButtonYes | ButtonNo, ButtonNo);
    return answer == ButtonYes ? std::string() : std::string(ui::kIdMismatchDeclined);
}

// A chip that answers is named; one that does not gets the checklist for this port.
void TForm1::identifyChip()
{
    if (!entryAccepted())
        return;
    runOperation(OperationDeviceId, ui::kProcessIdentify);
    if (engine_->lastOutcome != OperationOutcome::Completed)
        return;
    const std::uint8_t* id = engine_->data().image.deviceId;
    const auto rawId = static_cast<std::uint16_t>(id[1] << 8 | id[0]);
    refreshGrid();
    const ChipIdentity chip = IdentifyChip(devices_, rawId);
    if (chip.kind != ChipIdentity::Kind::Silent) {
        messages_.showMessage(MessageKind::Information, describeChip(chip), ButtonOk);
        return;
    }
    showError(messages_, describeChip(chip) + "\r\n"
                             + windowsText(silentChipChecklist(rawId, settings_.com, ui::kWiringCheckName)));
}

// With Vpp off the chip never enters program mode: the check needs no progress window.
void TForm1::checkWiring()
{
    const auto samples = driveWiringPattern(lowLevelTest_.pins());
    if (!samples) {
        showError(messages_, texts::kLinesNotDriven);
        return;
    }
    const std::string report = windowsText(wiringReport(*samples, dataInIsPgd(GetDllInfo())));
    if (classifyWiring(*samples) == WiringVerdict::Follows)
        messages_.showMessage(MessageKind::Information, report, ButtonOk);
    else
        showError(messages_, report);
}

void TForm1::warnIfSlowPort()
{
    if (const auto warning = slowPortWarning(GetDllInfo(), openPortLineCosts()))
        messages_.showMessage(MessageKind::Warning, *warning, ButtonOk);
}

void TForm1::selectComPort()
{
    std::string working = settings_.com;
    if (ComClose() == 0)
        showError(messages_, ui::kComCloseError);
    for (;;) {
        if (!comSelect_.SelectComPort(working)) {
            // Cancelled: reopen the previous port; the commands keep their state.
            while (ComInit(settings_.com.c_str()) == 0) {
                if (messages_.showMessage(MessageKind::Error, comInitError(settings_.com), ButtonOk | ButtonRetry)
                    != ButtonRetry)
                    return;
            }
            return;
        }
        for (;;) {
            if (ComInit(working.c_str()) != 0) {
                settings_.com = working;
                engine_->entryWiring = corvant::entryWiring(settings_.com);
                setPortCommandsEnabled(true);
                warnIfSlowPort();
                return;
            }
            if (messages_.showMessage(MessageKind::Error, comInitError(working), ButtonOk | ButtonRetry)
                != ButtonRetry)
                break;
        }
    }
}

void TForm1::showProgrammerInfo()
{
    const std::string info = GetDllInfo();
    messages_.showMessage(MessageKind::Information, ui::kProgrammerInfoPrefix + info, ButtonOk);
}

// ---- Shut-down --------------------------------------------------------------------

void TForm1::writeSettings()
{
    std::error_code error;
    settings_.lastDir = std::filesystem::current_path(error).string();
    // The bounds recorded are those of the normal (restored) window.
    settings_.maximized = isMaximized();
    if (settings_.maximized)
        showNormal();
    settings_.bounds = {normalBounds_.left(), normalBounds_.top(), normalBounds_.width(), normalBounds_.height()};
    settings_.columnWidths = gridView_->columnWidths();
    if (!SettingsFile(settingsLocation_).write(settings_, engine_->options))
        showError(messages_, ui::kIniSaveError);
}

void TForm1::recordNormalBounds()
{
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        normalBounds_ = geometry();
}

void TForm1::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    recordNormalBounds();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    recordNormalBounds();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    shutDown();
    QMainWindow::closeEvent(event);
}

void TForm1::shutDown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    writeSettings();
    // The engine's end sets the cancel request and stops its worker.
    engine_.reset();
    devices_.Clear();
    if (ComClose() == 0)
        showError(messages_, ui::kComCloseError);
}

} // namespace velmora
