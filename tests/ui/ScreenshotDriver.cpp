// Screenshot driver for scripts/screenshot: starts the real windows on the simulated
// programmer in a scratch program folder, walks through the views a user sees and
// the boxes of the debug commands and guards, and saves each as a PNG. Not part of
// the shipped program.
//
// Usage: velmora_screenshot_driver <Devices.ini> <HEX file> <output folder> [<device> <port>]
// With a device and a port, it walks one device through the windows as a user would
// (load, look at the configuration and the options, program, verify, read back) and
// names each PNG after the device.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <iostream>

#include "corvant/corvant.h"
#include "devicedata/DeviceList.h"
#include "devicedata/IdentifyChip.h"
#include "engine/ChipIdentity.h"
#include "engine/EngineTexts.h"
#include "engine/SlowPortWarning.h"
#include "devicedata/LoadDeviceList.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"
#include "UiDriver.h"
#include "engine/TPICPr.h"
#include "ui/CfgIDs.h"
#include "ui/ErrorHook.h"
#include "ui/HeadUnit.h"
#include "ui/MemoryGridView.h"
#include "ui/Llit.h"
#include "ui/LowLevelAccess.h"
#include "ui/Pr_Wnd.h"
#include "ui/PrgCfg.h"
#include "ui/QtUserMessages.h"
#include "ui/UCfgIDs2.h"
#include "ui/UCfgIDs3.h"
#include "ui/UiTexts.h"
#include "ui/VelmoraApplication.h"
#include "ui/VelmoraWindows.h"

namespace {

using namespace velmora;

QString outputFolder;

void save(QWidget* window, const char* name)
{
    const QString path = QDir(outputFolder).filePath(QString::fromLatin1(name));
    window->grab().save(path);
    std::cout << path.toStdString() << '\n';
}

// A message box as the program shows it, with the text and buttons the command gave.
void shootBox(MessageKind kind, const std::string& text, MessageButtons buttons, const char* name)
{
    auto timer = test::whenModal<QMessageBox>([name](QMessageBox* box) {
        QTimer::singleShot(100, box, [box, name] {
            save(box, name);
            box->reject();
        });
    });
    QtUserMessages().askWithDefault(kind, text, buttons, (buttons & ButtonNo) != 0 ? ButtonNo : ButtonOk);
}

// The boxes of the debug commands and of the guards before an operation, each as the
// windows show it: the commands run on the simulated programmer, the guards' texts
// come from the rules that word them.
void shootChecks(TForm1& main, test::ScriptedMessages& messages)
{
    main.menuItem(TForm1::Command::IdentifyChip)->trigger();
    shootBox(messages.shown.back().kind, messages.shown.back().text, ButtonOk, "identify-box.png");
    main.menuItem(TForm1::Command::CheckWiring)->trigger();
    shootBox(messages.shown.back().kind, messages.shown.back().text, ButtonOk, "wiring-box.png");
    // What a USB serial adapter measures: about a millisecond a line change.
    const auto slow = slowPortWarning(GetDllInfo(), corvant::LineCosts{1.1e-3, 1.0e-3});
    shootBox(MessageKind::Warning, slow.value_or(""), ButtonOk, "slow-port-box.png");
    shootBox(MessageKind::Warning,
             ui::kLvpOffQuestionHead + std::string(texts::kLvpOffConsequence) + ui::kLvpOffQuestionTail,
             ButtonYes | ButtonNo, "lvp-guard-box.png");
    // A PIC18F4550 (0x1200, revision 4) in the socket while the PIC18F452 is selected.
    const ChipIdentity chip = IdentifyChip(main.deviceList(), 0x1204);
    shootBox(MessageKind::Error,
             chipMismatch(chip, main.engine().data().device.name) + "\r\n" + ui::kIdMismatchQuestion,
             ButtonYes | ButtonNo, "id-mismatch-box.png");
}

template <typename Editor>
void shootEditor(TForm1& main, int configType, const char* name)
{
    main.engine().data().device.configType = configType;
    auto timer = test::whenModal<Editor>([name](Editor* editor) {
        QTimer::singleShot(100, editor, [editor, name] {
            save(editor, name);
            editor->reject();
        });
    });
    main.menuItem(TForm1::Command::ConfigurationBits)->trigger();
}

// The Device= index of a Devices.ini section; -1 when the file has no such section.
int deviceIndex(const char* devicesIni, const std::string& name)
{
    DeviceList list;
    if (!LoadDeviceList(list, devicesIni))
        return -1;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        list.MoveTo(i);
        if (list.CopyCurrent().name == name)
            return i;
    }
    return -1;
}

QString shotName(const std::string& device, const char* view)
{
    return QString::fromStdString(device) + QLatin1Char('-') + QLatin1String(view);
}

template <typename Dialog>
void shootDialog(TForm1& main, TForm1::Command command, const QString& name)
{
    auto timer = test::whenModal<Dialog>([name](Dialog* dialog) {
        QTimer::singleShot(100, dialog, [dialog, name] {
            save(dialog, name.toLatin1().constData());
            dialog->reject();
        });
    });
    main.menuItem(command)->trigger();
}

// Load, grid at the configuration words, the editor, the options, then a whole
// program-and-verify with the progress window caught half-way, a verify and a read.
void walkThroughDevice(VelmoraWindows& windows, const std::string& device)
{
    TForm1& main = windows.mainWindow();
    main.menuItem(TForm1::Command::Load)->trigger();
    QApplication::processEvents();
    save(&main, shotName(device, "main-window.png").toLatin1().constData());
    const int configHeading = main.gridModel().layout().headingRow(GridSection::Config) - 1;
    main.gridView().scrollTo(main.gridModel().index(configHeading - 4, 1), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    save(&main, shotName(device, "grid-configuration.png").toLatin1().constData());
    shootDialog<TCfgIDs3>(main, TForm1::Command::ConfigurationBits, shotName(device, "editor.png"));
    shootDialog<TPrgConfig>(main, TForm1::Command::ProgrammingConfiguration, shotName(device, "options.png"));

    TForm3& progress = windows.progress();
    bool shot = false;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, &progress, [&] {
        if (shot || !progress.isVisible())
            return;
        shot = true;
        // Past the erase, into the writes.
        QTimer::singleShot(800, &progress, [&progress, device] {
            save(&progress, shotName(device, "progress-window.png").toLatin1().constData());
        });
    });
    watch.start();
    main.menuItem(TForm1::Command::Program)->trigger();
    watch.stop();
    main.menuItem(TForm1::Command::Verify)->trigger();
    main.menuItem(TForm1::Command::Read)->trigger();
    QApplication::processEvents();
    main.gridView().scrollTo(main.gridModel().index(configHeading - 4, 1), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    save(&main, shotName(device, "read-back.png").toLatin1().constData());
    main.close();
}

} // namespace

int main(int argc, char** argv)
{
    VelmoraApplication app(argc, argv);
    if (argc != 4 && argc != 6) {
        std::cerr << "usage: velmora_screenshot_driver <Devices.ini> <HEX file> <output folder> [<device> <port>]\n";
        return 2;
    }
    const std::string device = argc == 6 ? argv[4] : "";
    const int index = argc == 6 ? deviceIndex(argv[1], device) : 3;
    if (index < 0) {
        std::cerr << argv[1] << " has no section " << device << '\n';
        return 2;
    }
    const std::string port = argc == 6 ? argv[5] : "SIM";
    outputFolder = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(outputFolder);

    test::TempFolder programFolder;
    std::filesystem::copy_file(argv[1], programFolder.file("Devices.ini"));
    programFolder.write("Velmora.ini", "[Config]\r\nCOM=" + port + "\r\nDevice=" + std::to_string(index) + "\r\n");

    test::ScriptedMessages messages;
    ErrorHook::install(&messages);
    test::ScriptedFiles files;
    // Loaded from the scratch folder, so that no path of the build machine is photographed.
    const std::filesystem::path hexFile = programFolder.file(std::filesystem::path(argv[2]).filename().string());
    std::filesystem::copy_file(argv[2], hexFile);
    files.toLoad = QString::fromStdString(hexFile.string());
    {
        VelmoraWindows windows(programFolder.path(), messages, files, importedLowLevelAccess());
        TForm1& main = windows.mainWindow();
        main.show();
        if (!device.empty()) {
            QTimer::singleShot(300, &main, [&] { walkThroughDevice(windows, device); });
            app.exec();
            for (const test::ShownMessage& message : messages.shown)
                std::cout << "message: " << message.text << '\n';
            return 0;
        }
        main.menuItem(TForm1::Command::Load)->trigger();
        QTimer::singleShot(300, &main, [&] {
            save(&main, "main-window.png");
            const int eepromHeading = main.gridModel().layout().headingRow(GridSection::Eeprom) - 1;
            main.gridView().scrollTo(main.gridModel().index(eepromHeading - 2, 1), QAbstractItemView::PositionAtTop);
            QApplication::processEvents();
            save(&main, "grid-eeprom-heading.png");

            auto portBox = test::whenModal<QMessageBox>([](QMessageBox* box) {
                QTimer::singleShot(100, box, [box] {
                    save(box, "port-error-box.png");
                    box->reject();
                });
            });
            QtUserMessages().showMessage(MessageKind::Error, "COMM init error: \"COM9\".\r\nDo you want to select COM port?",
                                         ButtonYes | ButtonNo | ButtonRetry);

            TForm3& progress = windows.progress();
            QTimer watch;
            watch.setInterval(20);
            QObject::connect(&watch, &QTimer::timeout, &progress, [&] {
                if (!progress.isVisible() || progress.panelText(1).isEmpty())
                    return;
                watch.stop();
                QTimer::singleShot(0, &progress, [&progress] {
                    save(&progress, "progress-window.png");
                    progress.cancelButton()->click();
                });
            });
            watch.start();
            main.menuItem(TForm1::Command::Program)->trigger();

            shootEditor<TCfgIDs1>(main, 1, "editor-type1.png");
            shootEditor<TCfgIDs2>(main, 2, "editor-type2.png");
            shootEditor<TCfgIDs3>(main, 3, "editor-type3.png");

            auto lowLevel = test::whenModal<TForm2>([](TForm2* window) {
                window->vppBox()->click();
                QTimer::singleShot(300, window, [window] {
                    save(window, "low-level-test.png");
                    window->reject();
                });
            });
            main.menuItem(TForm1::Command::LowLevelTest)->trigger();
            shootChecks(main, messages);
            main.close();
        });
        app.exec();
    }
    for (const test::ShownMessage& message : messages.shown)
        std::cout << "message: " << message.text << '\n';
    return 0;
}
