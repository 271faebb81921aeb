// An ending signal reaches the windows as one call on the user-interface thread, and
// the windows then close the way a user would close them: dialogs first.

#include <gtest/gtest.h>

#include <QDialog>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

#include <csignal>

#include "ui/EndingSignals.h"

namespace velmora {
namespace {

#if !defined(_WIN32)
TEST(EndingSignals, ASignalBecomesOneCallOnTheEventLoopAndLaterOnesWait)
{
    int calls = 0;
    EndingSignalWatcher watcher([&calls] { ++calls; });
    std::raise(SIGHUP);
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000);
    EXPECT_EQ(watcher.caughtSignal(), SIGHUP);
    std::raise(SIGTERM);
    QTRY_COMPARE_WITH_TIMEOUT(watcher.caughtSignal(), SIGTERM, 5000);
    EXPECT_EQ(calls, 1);
}
#endif

TEST(EndingSignals, TheMainWindowClosesOnlyAfterItsModalDialogs)
{
    QMainWindow main;
    main.show();
    QDialog outer(&main);
    QDialog inner(&outer);
    bool mainVisibleWhileDialogsOpen = false;
    QTimer::singleShot(0, &main, [&] {
        QTimer::singleShot(0, &main, [&] {
            closeWindowsGently([&main] { return &main; });
            mainVisibleWhileDialogsOpen = main.isVisible();
        });
        EXPECT_EQ(inner.exec(), QDialog::Rejected);
    });
    EXPECT_EQ(outer.exec(), QDialog::Rejected);
    EXPECT_TRUE(mainVisibleWhileDialogsOpen);
    QTRY_VERIFY_WITH_TIMEOUT(!main.isVisible(), 5000);
    QTest::qWait(200);   // the last retry, queued before the close, sees it closed
}

TEST(EndingSignals, BeforeTheMainWindowExistsOnlyDialogsAreCancelled)
{
    QMainWindow* window = nullptr;
    QDialog startUpBox;
    QTimer::singleShot(0, &startUpBox, [&window] { closeWindowsGently([&window] { return window; }); });
    EXPECT_EQ(startUpBox.exec(), QDialog::Rejected);
    QMainWindow main;
    main.show();
    window = &main;
    QTRY_VERIFY_WITH_TIMEOUT(!main.isVisible(), 5000);
    QTest::qWait(200);   // the last retry, queued before the close, sees it closed
}

} // namespace
} // namespace velmora
