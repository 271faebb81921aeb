// velmora: the PIC18F programmer's windowed program. No arguments and no environment
// variables of its own; Qt's own options (such as -platform) are left to Qt.

#include <QCoreApplication>
#include <QDir>
#include <QWidget>

#include "ui/EndingSignals.h"
#include "ui/ErrorHook.h"
#include "ui/FileChooser.h"
#include "ui/HeadUnit.h"
#include "ui/LowLevelAccess.h"
#include "ui/QtUserMessages.h"
#include "ui/VelmoraApplication.h"
#include "ui/VelmoraWindows.h"

int main(int argc, char** argv)
{
    velmora::VelmoraApplication app(argc, argv);
    velmora::QtUserMessages messages;
    velmora::ErrorHook::install(&messages);
    velmora::QtFileChooser files;
    const std::filesystem::path programFolder = QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString();
    // Watching from before the windows exist: a signal during a start-up message box
    // cancels the boxes, and the main window closes once it is there.
    QWidget* mainWindow = nullptr;
    velmora::EndingSignalWatcher endingSignals([&mainWindow] {
        velmora::closeWindowsGently([&mainWindow] { return mainWindow; });
    });
    velmora::VelmoraWindows windows(programFolder, messages, files, velmora::importedLowLevelAccess());
    mainWindow = &windows.mainWindow();
    windows.mainWindow().show();
    const int status = app.exec();
    return endingSignals.caughtSignal() != 0 ? 128 + endingSignals.caughtSignal() : status;
}
