// An ending signal while an operation drives the chip: the windows must switch Vpp off
// through the operation's cancel exit before the port closes and the settings are
// written, and a second signal during that hand-over must change nothing.

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <filesystem>
#include <string>

#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"
#include "UiDriver.h"
#include "tests/support/TraceText.h"
#include "ui/EndingSignals.h"
#include "ui/ErrorHook.h"
#include "ui/HeadUnit.h"
#include "ui/Pr_Wnd.h"
#include "ui/VelmoraWindows.h"

namespace velmora {
namespace {

#if !defined(_WIN32)

using test::count;
using test::lastLine;
using test::readAll;

struct SignalCase {
    int first;
    int second;   // 0: none
};

class SignalDuringOperation : public ::testing::TestWithParam<SignalCase> {
protected:
    void SetUp() override { ErrorHook::install(&messages); }
    void TearDown() override
    {
        windows.reset();
        ErrorHook::install(nullptr);
    }

    test::TempFolder folder;
    test::CurrentFolderGuard currentFolder;
    test::ScriptedMessages messages;
    test::ScriptedFiles files;
    test::RecordingLowLevel lowLevel;
    std::unique_ptr<VelmoraWindows> windows;
};

TEST_P(SignalDuringOperation, VppGoesOffThenThePortClosesAndTheSettingsAreWritten)
{
    const SignalCase sent = GetParam();
    const std::filesystem::path trace = folder.file("trace.txt");
    std::filesystem::copy_file(VELMORA_SHIPPED_DEVICES_INI, folder.file("Devices.ini"));
    folder.write("Velmora.ini", "[Config]\r\nCOM=SIM:PIC18F452,trace=" + trace.string() + "\r\nDevice=3\r\n");
    windows = std::make_unique<VelmoraWindows>(folder.path(), messages, files, lowLevel);
    TForm1& main = windows->mainWindow();
    main.show();
    EndingSignalWatcher watcher([&main] { closeWindowsGently([&main] { return &main; }); });

    // Signals once the read has raised Vpp and is reading bytes.
    TForm3& progress = windows->progress();
    bool raised = false;
    QTimer signaller;
    signaller.setInterval(2);
    QObject::connect(&signaller, &QTimer::timeout, [&] {
        if (raised || !progress.isVisible() || progress.panelText(1).isEmpty())
            return;
        raised = true;
        std::raise(sent.first);
        if (sent.second != 0)
            QTimer::singleShot(1, [second = sent.second] { std::raise(second); });
    });
    signaller.start();
    main.menuItem(TForm1::Command::Read)->trigger();
    signaller.stop();

    ASSERT_TRUE(raised);
    QTRY_VERIFY_WITH_TIMEOUT(!main.isVisible(), 10000);
    QTest::qWait(200);   // the last retry, queued before the close, sees it closed
    EXPECT_EQ(watcher.caughtSignal(), sent.second != 0 ? sent.second : sent.first);
    EXPECT_FALSE(messages.containsPrefix("Read has been performed."));

    const std::string traceText = readAll(trace);
    ASSERT_NE(traceText.find(" VPP on\n"), std::string::npos) << "the read never raised Vpp";
    const std::string last = lastLine(traceText);
    EXPECT_EQ(last.substr(last.find(' ') + 1), "VPP off") << last;
    EXPECT_EQ(count(traceText, " VPP on\n"), count(traceText, " VPP off\n"));
    EXPECT_NE(readAll(folder.file("Velmora.ini")).find("Left="), std::string::npos)
        << "the settings were not written on the way out";
}

INSTANTIATE_TEST_SUITE_P(EndingSignals, SignalDuringOperation,
                         ::testing::Values(SignalCase{SIGTERM, 0}, SignalCase{SIGINT, 0},
                                           SignalCase{SIGTERM, SIGHUP}),
                         [](const auto& info) {
                             const SignalCase c = info.param;
                             const auto name = [](int number) {
                                 return number == SIGTERM ? "Term" : number == SIGINT ? "Int" : "Hup";
                             };
                             return std::string(name(c.first)) + (c.second != 0 ? std::string("Then") + name(c.second) : "");
                         });

#endif

} // namespace
} // namespace velmora
