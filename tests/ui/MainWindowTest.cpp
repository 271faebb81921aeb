#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <filesystem>

#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"
#include "UiDriver.h"
#include "devicedata/DeviceDataMessages.h"
#include "engine/TPICPr.h"
#include "ui/COMSel.h"
#include "ui/CSConfig.h"
#include "ui/CfgIDs.h"
#include "ui/DevSel.h"
#include "ui/ErrorHook.h"
#include "ui/HeadUnit.h"
#include "ui/HexByteEdit.h"
#include "ui/Llit.h"
#include "ui/MemoryGridView.h"
#include "ui/Pr_Wnd.h"
#include "ui/PrgCfg.h"
#include "ui/UCfgIDs3.h"
#include "ui/VelmoraWindows.h"


namespace velmora {
namespace {

using Command = TForm1::Command;
using test::ScriptedFiles;
using test::ScriptedMessages;
using test::whenModal;

const char kPortsUnavailable[] =
    "Menus \"Device\\Program\", \"Device\\Read\",\r\n\"Device\\Verify\" will not be available.\r\n"
    "COMM part of low-level interface test\r\nwindow also will not be available";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ErrorHook::install(&messages); }
    void TearDown() override
    {
        windows.reset();
        ErrorHook::install(nullptr);
    }

    void writeSettings(const std::string& text) { folder.write("Velmora.ini", text); }
    void installShippedDevices()
    {
        std::filesystem::copy_file(VELMORA_SHIPPED_DEVICES_INI, folder.file("Devices.ini"));
    }
    void start() { windows = std::make_unique<VelmoraWindows>(folder.path(), messages, files, lowLevel); }
    // The shipped device list, the simulated programmer and the PIC18F452 (index 3).
    void startOn452(const std::string& extraConfig = "")
    {
        installShippedDevices();
        writeSettings("[Config]\r\nCOM=SIM\r\nDevice=3\r\n" + extraConfig);
        start();
    }
    void loadBlinkHex()
    {
        files.toLoad = QString::fromStdString(std::string(VELMORA_TEST_HEX_DIR) + "/pic18f452-program.hex");
        main().menuItem(Command::Load)->trigger();
    }
    TForm1& main() { return windows->mainWindow(); }
    std::string settingsText() const { return folder.read("Velmora.ini"); }

    test::TempFolder folder;
    test::CurrentFolderGuard currentFolder;
    ScriptedMessages messages;
    ScriptedFiles files;
    test::RecordingLowLevel lowLevel;
    std::unique_ptr<VelmoraWindows> windows;
};

TEST_F(MainWindowTest, StartsWithoutDevicesIniOnNoDeviceDefaults)
{
    writeSettings("[Config]\r\nCOM=SIM\r\nDevice=7\r\n");
    start();
    EXPECT_TRUE(messages.contains(DeviceListLoadFailedMessage()));
    EXPECT_FALSE(main().deviceMenu()->isEnabled());
    EXPECT_EQ(main().statusPanel(0), QString());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Velmora"));

    const MemoryGridModel& grid = main().gridModel();
    EXPECT_EQ(grid.layout().rowCount(), 2090);
    EXPECT_EQ(grid.cellText(2049, 0), QStringLiteral("003FF8:"));
    EXPECT_EQ(grid.cellText(2049, 8), QStringLiteral("FF"));
    // Type-1 default configuration without the CCP2MX bit.
    QStringList config;
    for (int column = 1; column <= 8; ++column)
        config << grid.cellText(2086, column);
    for (int column = 1; column <= 6; ++column)
        config << grid.cellText(2087, column);
    EXPECT_EQ(config.join(u' '), QStringLiteral("00 27 0F 0F 00 00 85 00 0F C0 0F E0 0F 40"));
    EXPECT_EQ(main().gridView().columnWidth(0), 77);
    EXPECT_EQ(main().gridView().columnWidth(9), 77);

    main().close();
    // Without a device list the stored index is written back unchanged.
    EXPECT_NE(settingsText().find("Device=7\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, StoredIndexBeyondTheListSelectsTheLastDevice)
{
    installShippedDevices();
    writeSettings("[Config]\r\nCOM=SIM\r\nDevice=999\r\n[MainWindow]\r\nGridColWidth0=200\r\nGridColWidth3=5\r\n");
    start();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(main().deviceMenu()->isEnabled());
    const int last = main().deviceList().Count() - 1;
    EXPECT_EQ(main().selectedDeviceIndex(), last);
    EXPECT_EQ(main().statusPanel(0), QStringLiteral("PIC18F97J60"));
    EXPECT_EQ(main().gridView().columnWidth(0), 77);
    EXPECT_EQ(main().gridView().columnWidth(3), 20);

    int shownRow = -2;
    auto timer = whenModal<TForm4>([&](TForm4* dialog) {
        shownRow = dialog->deviceList()->currentRow();
        dialog->reject();
    });
    main().menuItem(Command::SelectDevice)->trigger();
    EXPECT_EQ(shownRow, last);

    main().close();
    const std::string text = settingsText();
    EXPECT_NE(text.find("Device=" + std::to_string(last) + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("GridColWidth0=77\r\n"), std::string::npos);
    EXPECT_NE(text.find("GridColWidth3=20\r\n"), std::string::npos);
    EXPECT_NE(text.find("COM=SIM\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, PortFailureRetryThenYesWithCancelGivesUp)
{
    writeSettings("[Config]\r\nCOM=COM99\r\n");
    installShippedDevices();
    messages.answers = {ButtonRetry, ButtonYes};
    auto timer = whenModal<TForm6>([](TForm6* dialog) {
        EXPECT_EQ(dialog->portEdit()->text(), QStringLiteral("COM99"));
        dialog->reject();
    });
    start();

    ASSERT_GE(messages.shown.size(), 3u);
    const std::string question = "COMM init error: \"COM99\".\r\nDo you want to select COM port?";
    EXPECT_EQ(messages.shown[0].text, question);
    EXPECT_EQ(messages.shown[0].buttons, ButtonYes | ButtonNo | ButtonRetry);
    EXPECT_EQ(messages.shown[1].text, question);
    EXPECT_EQ(messages.shown[2].text, kPortsUnavailable);

    EXPECT_FALSE(main().menuItem(Command::Program)->isEnabled());
    EXPECT_FALSE(main().menuItem(Command::Read)->isEnabled());
    EXPECT_FALSE(main().menuItem(Command::Verify)->isEnabled());
    EXPECT_TRUE(main().menuItem(Command::Erase)->isEnabled());
    EXPECT_FALSE(windows->lowLevelTest().pinGroupEnabled());

    // The toolbar buttons of disabled commands do nothing.
    bool progressShown = false;
    auto progress = whenModal<TForm3>([&](TForm3* window) {
        progressShown = true;
        window->reject();
    });
    main().toolbarButton(Command::Program)->trigger();
    QTest::qWait(30);
    EXPECT_FALSE(progressShown);
}

TEST_F(MainWindowTest, PortSelectedAtStartUpBecomesThePortAndComCommandReenables)
{
    writeSettings("[Config]\r\nCOM=COM99\r\n");
    messages.answers = {ButtonYes};
    auto timer = whenModal<TForm6>([](TForm6* dialog) {
        dialog->useComButton(3)->click();
        EXPECT_EQ(dialog->portEdit()->text(), QStringLiteral("COM3"));
        dialog->portEdit()->setText(QStringLiteral("SIM"));
        dialog->accept();
    });
    start();
    EXPECT_EQ(main().portInitString(), "SIM");
    EXPECT_TRUE(main().menuItem(Command::Program)->isEnabled());

    // COM port command: a failing port offers OK/Retry, then the dialog again.
    messages.shown.clear();
    int dialogs = 0;
    auto again = std::make_unique<QTimer>();
    again->setInterval(5);
    QObject::connect(again.get(), &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<TForm6*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        ++dialogs;
        dialog->portEdit()->setText(dialogs == 1 ? QStringLiteral("COM98") : QStringLiteral("SIM:PIC18F452"));
        dialog->accept();
    });
    again->start();
    main().menuItem(Command::ComPort)->trigger();
    again->stop();
    EXPECT_EQ(dialogs, 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "COMM init error: \"COM98\".");
    EXPECT_EQ(messages.shown[0].buttons, ButtonOk | ButtonRetry);
    EXPECT_EQ(main().portInitString(), "SIM:PIC18F452");
}

TEST_F(MainWindowTest, PortStringTooLongToSaveIsRefusedAndALongOneShownShort)
{
    writeSettings("[Config]\r\nCOM=SIM\r\n");
    start();
    messages.shown.clear();
    // Kept whole by the settings file, but no port.
    const QString longest = QStringLiteral("COM") + QString(2044, u'x');
    int dialogs = 0;
    bool stayedOpen = false;
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(5);
    QObject::connect(timer.get(), &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<TForm6*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (++dialogs == 1) {
            dialog->portEdit()->setText(longest + u'x');
            dialog->accept();
            stayedOpen = dialog->isVisible();
            dialog->portEdit()->setText(longest);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    timer->start();
    main().menuItem(Command::ComPort)->trigger();
    timer->stop();

    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialogs, 2);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text,
              "The port init string is 2048 bytes long.\r\nThe settings file keeps at most 2047 bytes of it.");
    EXPECT_EQ(messages.shown[1].text,
              "COMM init error: \"COM" + std::string(57, 'x') + " ... [2047 bytes] ... " + std::string(60, 'x') + "\".");
    EXPECT_EQ(main().portInitString(), "SIM");
}

TEST_F(MainWindowTest, CtrlSGoesToDeviceSelectOnly)
{
    installShippedDevices();
    writeSettings("[Config]\r\nCOM=SIM\r\n");
    start();
    main().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));

    bool deviceSelectShown = false;
    auto timer = whenModal<TForm4>([&](TForm4* dialog) {
        deviceSelectShown = true;
        dialog->deviceList()->setCurrentRow(3);
        QTest::keyClick(dialog->deviceList(), Qt::Key_Space);
    });
    QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(deviceSelectShown);
    EXPECT_EQ(main().selectedDeviceIndex(), 3);
    EXPECT_EQ(main().statusPanel(0), QStringLiteral("PIC18F452"));
    EXPECT_EQ(main().engine().data().image.programMemorySize, 32768u);
}

TEST_F(MainWindowTest, CtrlSDoesNothingWhileTheDeviceMenuIsDisabled)
{
    writeSettings("[Config]\r\nCOM=SIM\r\n");
    start();
    main().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    ASSERT_FALSE(main().deviceMenu()->isEnabled());

    bool anyDialog = false;
    auto timer = whenModal<QDialog>([&](QDialog* dialog) {
        anyDialog = true;
        dialog->reject();
    });
    QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
    QTest::qWait(30);
    EXPECT_FALSE(anyDialog);
    // The toolbar's Select device does nothing either; Options > Checksum still opens.
    main().toolbarButton(Command::SelectDevice)->trigger();
    QTest::qWait(30);
    EXPECT_FALSE(anyDialog);
    main().toolbarButton(Command::ChecksumConfiguration)->trigger();
    EXPECT_TRUE(anyDialog);
}

TEST_F(MainWindowTest, LoadShowsGoodAndRejectedFilesInTheGrid)
{
    startOn452();
    loadBlinkHex();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(main().statusPanel(1), QDir::cleanPath(*files.toLoad));
    EXPECT_EQ(main().gridModel().cellText(2, 1), QStringLiteral("80")); // the file's first byte
    // Confirming a file makes its folder the current folder.
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(VELMORA_TEST_HEX_DIR));

    folder.write("bad.hex", ":10000000FFFF\r\n");
    files.toLoad = QString::fromStdString(folder.file("bad.hex").string());
    main().menuItem(Command::Load)->trigger();
    EXPECT_TRUE(messages.contains("INHX32 HEX file error."));
    EXPECT_EQ(main().statusPanel(1), QDir::cleanPath(*files.toLoad));
    EXPECT_EQ(main().gridModel().cellText(2, 1), QStringLiteral("FF"));
}

TEST_F(MainWindowTest, ChecksumWarnValueThatIsNoNumberStillRefreshesTheGrid)
{
    startOn452("CSEnabled=1\r\nCSWarnValue=abc\r\n");
    loadBlinkHex();
    EXPECT_TRUE(messages.contains("'abc' is not a valid integer value"));
    // The loaded data is in the grid, and panel 1 names the file.
    EXPECT_EQ(main().gridModel().cellText(2, 1), QStringLiteral("80"));
    EXPECT_EQ(main().statusPanel(1), QDir::cleanPath(*files.toLoad));
}

TEST_F(MainWindowTest, CancelDuringOperationsWaitsForTheWorker)
{
    startOn452();
    TForm3& progress = windows->progress();
    for (Command command : {Command::Program, Command::Read, Command::Verify}) {
        messages.shown.clear();
        bool cancelled = false;
        auto timer = std::make_unique<QTimer>();
        timer->setInterval(2);
        QObject::connect(timer.get(), &QTimer::timeout, [&] {
            if (!progress.isVisible() || progress.panelText(1).isEmpty() || cancelled)
                return;
            cancelled = true;
            progress.cancelButton()->click();
        });
        timer->start();
        main().menuItem(command)->trigger();
        timer->stop();
        EXPECT_TRUE(cancelled);
        EXPECT_FALSE(progress.isVisible());
        EXPECT_FALSE(main().engine().busy);
        EXPECT_FALSE(main().engine().cancelRequest);
        EXPECT_TRUE(main().engine().windowClosed);
        EXPECT_FALSE(messages.containsPrefix("Programming has been performed."));
        EXPECT_FALSE(messages.containsPrefix("Read has been performed."));
        EXPECT_FALSE(messages.containsPrefix("Verification has been performed."));
    }
    EXPECT_EQ(progress.Label1()->text(), QStringLiteral("Verification"));
}

TEST_F(MainWindowTest, ProgramAsksBeforeTurningLvpOffThroughALowVoltageEntry)
{
    installShippedDevices();
    writeSettings("[Config]\r\nCOM=SIM:PIC18F452,lvp\r\nDevice=3\r\n");
    start();
    // Only the configuration is written, which keeps each run short.
    main().engine().options.programMemory = false;
    main().engine().options.eeprom = false;
    main().engine().options.ids = false;
    main().engine().data().image.config[6] = 0x81;   // CONFIG4L with LVP off
    messages.answers = {ButtonNo};
    main().menuItem(Command::Program)->trigger();
    ASSERT_EQ(messages.shown.size(), 1U) << "No: nothing ran";
    const test::ShownMessage question = messages.shown[0];
    EXPECT_EQ(question.kind, MessageKind::Warning);
    EXPECT_EQ(question.buttons, ButtonYes | ButtonNo);
    EXPECT_EQ(question.defaultButton, ButtonNo);
    EXPECT_NE(question.text.find("need a high-voltage programmer"), std::string::npos) << question.text;

    messages.shown.clear();
    messages.answers = {ButtonYes};
    main().menuItem(Command::Program)->trigger();
    ASSERT_GT(messages.shown.size(), 1U) << "Yes: the programming ran";
    EXPECT_EQ(messages.shown[0].text, question.text);

    messages.shown.clear();
    main().engine().data().image.config[6] = 0x85;   // LVP on: nothing to ask
    main().menuItem(Command::Program)->trigger();
    EXPECT_FALSE(messages.contains(question.text));
    EXPECT_TRUE(messages.containsPrefix("Programming has been performed."));
}

// The device of the shipped list by name, made the engine's as Device > Select does.
void selectShipped(TForm1& window, const std::string& name)
{
    DeviceList& devices = window.deviceList();
    for (std::int32_t i = 0; i < devices.Count(); ++i) {
        devices.MoveTo(i);
        if (devices.CopyCurrent().name == name) {
            window.engine().data().SelectDevice(devices.CopyCurrent());
            return;
        }
    }
    FAIL() << name << " is not in the shipped list";
}

// The JDM's 13 V would exceed a K part's 9 V: the window asks with the command line's
// words, and No, the default, runs nothing.
TEST_F(MainWindowTest, AJdmPortAsksBeforeEnteringAKPart)
{
    installShippedDevices();
    writeSettings("[Config]\r\nCOM=/dev/velmora-test-no-such-port\r\nDevice=3\r\n");
    messages.answers = {ButtonNo};   // no other port at start-up
    start();
    selectShipped(main(), "PIC18F45K22");
    messages.shown.clear();
    messages.answers = {ButtonNo};
    main().menuItem(Command::Erase)->trigger();
    ASSERT_EQ(messages.shown.size(), 1U);
    const test::ShownMessage question = messages.shown[0];
    EXPECT_EQ(question.kind, MessageKind::Warning);
    EXPECT_EQ(question.buttons, ButtonYes | ButtonNo);
    EXPECT_EQ(question.defaultButton, ButtonNo);
    for (const char* part : {"PIC18F45K22 allows VDD + 4.5 V to 9.0 V on MCLR/Vpp", "DS41398B", "about 13 V",
                             "within that limit"})
        EXPECT_NE(question.text.find(part), std::string::npos) << part << "\n" << question.text;
    EXPECT_EQ(main().engine().lastOutcome, OperationOutcome::None);
}

TEST_F(MainWindowTest, APortThatCannotEnterTheDeviceIsAnError)
{
    installShippedDevices();
    writeSettings("[Config]\r\nCOM=SIM:PIC18F45K22,lvp\r\nDevice=3\r\n");
    start();
    selectShipped(main(), "PIC18F4550");
    messages.shown.clear();
    main().menuItem(Command::Read)->trigger();
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_NE(messages.shown[0].text.find("PIC18F4550 enters low-voltage programming through its PGM pin (RB5)"),
              std::string::npos) << messages.shown[0].text;
    EXPECT_EQ(main().engine().lastOutcome, OperationOutcome::None);
}

// A J part as the user meets it: gpasm's file loads its configuration words into the
// "Config:" row under their flash address, the editor changes them there, and the
// programming options leave EEPROM and IDs out.
TEST_F(MainWindowTest, AJPartShowsAndEditsItsConfigurationAtTheTopOfFlash)
{
    startOn452();
    selectShipped(main(), "PIC18F26J50");
    messages.shown.clear();
    files.toLoad = QString::fromStdString(std::string(VELMORA_TEST_HEX_DIR) + "/pic18f26j50-config.hex");
    main().menuItem(Command::Load)->trigger();
    EXPECT_TRUE(messages.shown.empty());
    const MemoryGridModel& grid = main().gridModel();
    EXPECT_EQ(grid.layout().headingRow(GridSection::Ids), -1);
    const int configRow = grid.layout().headingRow(GridSection::Config) + 1;
    EXPECT_EQ(grid.cellText(configRow - 2, 0), QStringLiteral("00FFF0:"));
    EXPECT_EQ(grid.cellText(configRow, 0), QStringLiteral("00FFF8:"));
    EXPECT_EQ(grid.cellText(configRow, 1), QStringLiteral("A6"));

    auto editing = whenModal<TCfgIDs3>([](TCfgIDs3* editor) {
        EXPECT_FALSE(editor->idGroup()->isVisible());
        editor->configEdit(3)->setByte(0xFA);
        editor->okButton()->click();
    });
    main().menuItem(Command::ConfigurationBits)->trigger();
    EXPECT_EQ(grid.cellText(configRow, 4), QStringLiteral("FA"));

    bool eepromAndIdsOffered = true;
    auto options = whenModal<TPrgConfig>([&](TPrgConfig* dialog) {
        eepromAndIdsOffered = dialog->eepromBox()->isEnabled() || dialog->idsBox()->isEnabled();
        dialog->okButton()->click();
    });
    main().menuItem(Command::ProgrammingConfiguration)->trigger();
    EXPECT_FALSE(eepromAndIdsOffered);
}

TEST_F(MainWindowTest, EraseRunsToItsReportAndTheWindowCloses)
{
    startOn452();
    main().menuItem(Command::Erase)->trigger();
    EXPECT_TRUE(messages.contains("Erasing has been performed."));
    EXPECT_FALSE(windows->progress().isVisible());
    EXPECT_EQ(windows->progress().Label1()->text(), QStringLiteral("Erasing"));
}

TEST_F(MainWindowTest, ProgramThatCannotFillTheDeviceIsRefusedBeforeTheErase)
{
    installShippedDevices();
    // The PIC18F1220's 4096 bytes are half a panel.
    writeSettings("[Config]\r\nCOM=SIM:PIC18F1220\r\nDevice=8\r\nMultiPanelWrite=1\r\n");
    start();
    ASSERT_EQ(main().engine().data().device.name, "PIC18F1220");
    main().menuItem(Command::Program)->trigger();
    EXPECT_TRUE(messages.contains("Device program memory does not consist\r\nof integer amount of panel(s).\r\n"
                                  "The device was not erased."));
    EXPECT_NE(windows->progress().Label1()->text(), QStringLiteral("Programming")) << "the operation started";
    EXPECT_EQ(main().engine().lastOutcome, OperationOutcome::None);
}

TEST_F(MainWindowTest, ConfigurationEditorChangesOnlyIdAndConfigRows)
{
    startOn452();
    main().engine().data().image.deviceId[0] = 0x42; // not yet shown: no full refresh since
    auto timer = whenModal<TCfgIDs1>([](TCfgIDs1* editor) {
        editor->checkBox(QStringLiteral("WDT"))->click();
        editor->idEdit(0)->setByte(0x99);
        editor->okButton()->click();
    });
    main().menuItem(Command::ConfigurationBits)->trigger();
    const MemoryGridModel& grid = main().gridModel();
    const int idRow = grid.layout().headingRow(GridSection::Ids) + 1;
    const int configRow = grid.layout().headingRow(GridSection::Config) + 1;
    const int deviceIdRow = grid.layout().headingRow(GridSection::DeviceId) + 1;
    EXPECT_EQ(grid.cellText(idRow, 1), QStringLiteral("99"));
    EXPECT_EQ(grid.cellText(configRow, 4), QStringLiteral("0E"));
    EXPECT_EQ(grid.cellText(deviceIdRow, 1), QStringLiteral("FF"));
}

TEST_F(MainWindowTest, LowLevelTestWindowDrivesPinsOnlyWithAUsablePort)
{
    writeSettings("[Config]\r\nCOM=SIM\r\n");
    start();
    TForm2& test = windows->lowLevelTest();
    auto timer = whenModal<TForm2>([&](TForm2* window) {
        EXPECT_FALSE(window->vppBox()->isChecked());
        window->vppBox()->click();
        window->tick();
        window->exitButton()->click();
    });
    main().menuItem(Command::LowLevelTest)->trigger();
    ASSERT_EQ(lowLevel.writes.size(), 3u);
    EXPECT_EQ(lowLevel.writes[0], (test::PinWrite{0, 0, 0}));
    EXPECT_EQ(lowLevel.writes[1], (test::PinWrite{1, 0, 0}));
    EXPECT_EQ(lowLevel.writes[2], (test::PinWrite{0, 0, 0}));
    EXPECT_EQ(lowLevel.reads, 2);
    EXPECT_TRUE(test.readDataBox()->isChecked());
    EXPECT_TRUE(test.timerLabel()->text().startsWith(QStringLiteral("Timer test: 2.5")));
    EXPECT_TRUE(test.timerLabel()->text().endsWith(QStringLiteral(" s")));

    // Without the pin group: no pin traffic on show, tick or close, but the timer runs.
    lowLevel.writes.clear();
    lowLevel.reads = 0;
    test.setPinGroupEnabled(false);
    auto again = whenModal<TForm2>([&](TForm2* window) {
        EXPECT_FALSE(window->vppBox()->isEnabled());
        window->tick();
        window->reject();
    });
    main().menuItem(Command::LowLevelTest)->trigger();
    EXPECT_TRUE(lowLevel.writes.empty());
    EXPECT_EQ(lowLevel.reads, 0);
    EXPECT_TRUE(test.timerLabel()->text().startsWith(QStringLiteral("Timer test: ")));
}

TEST_F(MainWindowTest, ExitWhileMaximizedStoresTheRestoredBounds)
{
    writeSettings("[Config]\r\nCOM=SIM\r\n[MainWindow]\r\nLeft=60\r\nTop=70\r\nWidth=600\r\nHeight=400\r\n");
    start();
    main().show();
    main().showMaximized();
    QTest::qWait(20);
    main().close();
    const std::string text = settingsText();
    EXPECT_NE(text.find("Maximized=1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Width=600\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Height=400\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Left=60\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("LastDir=" + std::filesystem::current_path().string() + "\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, SavedBoundsBeyondTheScreenOpenOnIt)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* bounds : {"Left=0\r\nTop=0\r\nWidth=2147483647\r\nHeight=2147483647\r\n",
                               "Left=3000\r\nTop=2000\r\nWidth=300\r\nHeight=200\r\n"}) {
        writeSettings(std::string("[Config]\r\nCOM=SIM\r\n[MainWindow]\r\n") + bounds);
        start();
        main().show();
        QTest::qWait(20);
        // The frame may add a few pixels around the fitted bounds.
        EXPECT_LE(main().width(), screen.width()) << bounds;
        EXPECT_LE(main().height(), screen.height()) << bounds;
        EXPECT_TRUE(screen.contains(main().geometry().center())) << bounds;
        windows.reset();
    }
}

// Debug > Identify chip: the simulated PIC18F452 is named in an information box; a chip
// that does not answer gets an error box with the checklist for this port.
TEST_F(MainWindowTest, IdentifyChipNamesTheChipOrGivesTheChecklist)
{
    startOn452();
    main().menuItem(Command::IdentifyChip)->trigger();
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
    EXPECT_TRUE(messages.shown[0].text.starts_with("device ID 0x04")) << messages.shown[0].text;
    EXPECT_NE(messages.shown[0].text.find(": PIC18F452, revision "), std::string::npos) << messages.shown[0].text;
    EXPECT_EQ(windows->progress().Label1()->text(), QStringLiteral("Identify chip"));
    EXPECT_FALSE(windows->progress().isVisible());

    windows.reset();
    messages.shown.clear();
    writeSettings("[Config]\r\nCOM=SIM:PIC18F452,fault=absent\r\nDevice=3\r\n");
    start();
    main().menuItem(Command::IdentifyChip)->trigger();
    ASSERT_EQ(messages.shown.size(), 1U);
    const test::ShownMessage& box = messages.shown[0];
    EXPECT_EQ(box.kind, MessageKind::Error);
    for (const char* part : {"device ID 0xFFFF: no chip answering\r\nno chip answering: data in read high",
                             "\r\nCheck:\r\n", "(Debug > Check wiring checks the data path)", "fault="})
        EXPECT_NE(box.text.find(part), std::string::npos) << part << "\n" << box.text;
    EXPECT_FALSE(box.text.ends_with("\n")) << "the box's last line ends with nothing";
}

// Debug > Check wiring drives PGD and PGC with Vpp off through the low-level test's lines
// and leaves them low; a data-in line that stays high is an error with the levels seen.
TEST_F(MainWindowTest, CheckWiringShowsTheLevelsAndTheVerdict)
{
    startOn452();
    main().menuItem(Command::CheckWiring)->trigger();
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].text, "Vpp off\r\nPGD      1 0 1 0 0 0 0 0\r\nPGC      0 0 0 0 1 0 1 0\r\n"
                                      "data in  1 1 1 1 1 1 1 1\r\ndata in stays high: check the data-out line (PGD) "
                                      "and that nothing holds data in high");
    ASSERT_FALSE(lowLevel.writes.empty());
    EXPECT_EQ(lowLevel.writes.back(), (test::PinWrite{0, 0, 0}));
    EXPECT_TRUE(std::ranges::none_of(lowLevel.writes, [](const test::PinWrite& w) { return w.vpp != 0; }));
}

// Without a usable port the two checks are unavailable, as Program, Read and Verify are.
TEST_F(MainWindowTest, IdentifyAndWiringNeedTheOpenPort)
{
    installShippedDevices();
    writeSettings("[Config]\r\nCOM=/dev/velmora-test-no-such-port\r\nDevice=3\r\n");
    messages.answers = {ButtonNo};
    start();
    EXPECT_FALSE(main().menuItem(Command::IdentifyChip)->isEnabled());
    EXPECT_FALSE(main().menuItem(Command::CheckWiring)->isEnabled());
    messages.shown.clear();
    main().menuItem(Command::CheckWiring)->trigger();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(lowLevel.writes.empty());
}

// A chip that is not the selected device stops the operation before anything is
// written, unless the user says go on: an error box naming both, No by default.
TEST_F(MainWindowTest, AChipThatIsNotTheSelectedDeviceIsAskedAbout)
{
    installShippedDevices();
    writeSettings("[Config]\r\nCOM=SIM:PIC18F4550\r\nDevice=3\r\n");
    start();
    messages.answers = {ButtonNo};
    main().menuItem(Command::Erase)->trigger();
    ASSERT_EQ(messages.shown.size(), 2U);
    const test::ShownMessage question = messages.shown[0];
    EXPECT_EQ(question.kind, MessageKind::Error);
    EXPECT_EQ(question.buttons, ButtonYes | ButtonNo);
    EXPECT_EQ(question.defaultButton, ButtonNo);
    EXPECT_TRUE(question.text.starts_with("chip answers as PIC18F4550 (0x12")) << question.text;
    EXPECT_NE(question.text.find("), but PIC18F452 is selected\r\nGo on with this chip anyway?"), std::string::npos)
        << question.text;
    EXPECT_EQ(messages.shown[1].text, "Nothing was sent beyond the device-ID read.");
    EXPECT_EQ(main().engine().lastOutcome, OperationOutcome::Failed);
    EXPECT_FALSE(windows->progress().isVisible());

    messages.shown.clear();
    messages.answers = {ButtonYes};
    main().menuItem(Command::Erase)->trigger();
    EXPECT_EQ(messages.shown[0].text, question.text);
    EXPECT_TRUE(messages.contains("Erasing has been performed."));
    EXPECT_FALSE(main().engine().deviceIdCheck) << "the check is the operation's only";
}

// The port dialog shows every port form with an example.
TEST_F(MainWindowTest, PortDialogListsThePortForms)
{
    startOn452();
    const QString forms = windows->comSelect().portFormsLabel()->text();
    for (const char* form : {"COM1", "GPIO:gpiochip0,", "FTDI:0403:6001,", "SIM:PIC18F452"})
        EXPECT_TRUE(forms.contains(QString::fromLatin1(form))) << form;
}

} // namespace
} // namespace velmora
