// Screenshot driver for scripts/screenshot: starts the real windows on the simulated
// programmer in a scratch program folder, walks through the views a user sees and
// saves each as a PNG. Not part of the shipped program.
//
// Usage: velmora_screenshot_driver <Devices.ini> <HEX file> <output folder>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <iostream>

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
#include "ui/QtUserMessages.h"
#include "ui/UCfgIDs2.h"
#include "ui/UCfgIDs3.h"
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

} // namespace

int main(int argc, char** argv)
{
    VelmoraApplication app(argc, argv);
    if (argc != 4) {
        std::cerr << "usage: velmora_screenshot_driver <Devices.ini> <HEX file> <output folder>\n";
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(outputFolder);

    test::TempFolder programFolder;
    std::filesystem::copy_file(argv[1], programFolder.file("Devices.ini"));
    programFolder.write("Velmora.ini", "[Config]\r\nCOM=SIM\r\nDevice=3\r\n");

    test::ScriptedMessages messages;
    ErrorHook::install(&messages);
    test::ScriptedFiles files;
    files.toLoad = QString::fromLocal8Bit(argv[2]);
    {
        VelmoraWindows windows(programFolder.path(), messages, files, importedLowLevelAccess());
        TForm1& main = windows.mainWindow();
        main.show();
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
            main.close();
        });
        app.exec();
    }
    for (const test::ShownMessage& message : messages.shown)
        std::cout << "message: " << message.text << '\n';
    return 0;
}
