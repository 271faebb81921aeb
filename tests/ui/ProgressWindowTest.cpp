// The progress window's side of the worker's postings: values posted from another
// thread reach the widgets at the display's pace, formatted and limited as shown to the
// user; the layout stays still; the status panels show their boundaries.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include <chrono>
#include <thread>

#include "WindowsOnTheSimulator.h"
#include "ui/HeadUnit.h"
#include "ui/Pr_Wnd.h"

namespace velmora {
namespace {

class ProgressWindowTest : public ::testing::Test {
protected:
    TForm3& progress() { return program.windows->progress(); }
    // Posts from a thread of its own, as the engine's worker does.
    template <typename Postings>
    void postFromWorker(Postings postings)
    {
        std::thread worker([&] { postings(static_cast<ProgressBridge&>(progress())); });
        worker.join();
    }

    test::WindowsOnTheSimulator program;
};

TEST_F(ProgressWindowTest, PostingsReachTheWidgetsOnlyWhenTheWindowShowsThem)
{
    postFromWorker([](ProgressBridge& bridge) {
        bridge.postAction("Read PIC's program memory");
        bridge.postProcessText("Read byte");
        bridge.postAddress(0x3FFFFE, true);
        bridge.postProgress(42);
    });
    // The worker touched no widget: a posting is stored, not drawn.
    EXPECT_EQ(progress().panelText(1), QString());
    EXPECT_EQ(progress().progressBar()->value(), 0);

    progress().showPostings();
    EXPECT_EQ(progress().GroupBox1()->title(), QStringLiteral("Read PIC's program memory"));
    EXPECT_EQ(progress().panelText(0), QStringLiteral("Read byte"));
    EXPECT_EQ(progress().panelText(1), QStringLiteral("3FFFFE"));
    EXPECT_EQ(progress().panelText(2), QStringLiteral("&+1"));
    EXPECT_EQ(progress().progressBar()->value(), 42);
}

// The time left rides in the progress bar, from the action's own rate, as the command
// line's progress line gives it; a new action starts its own clock.
TEST_F(ProgressWindowTest, TimeLeftFollowsTheActionsRate)
{
    auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    progress().setClock([&now] { return now; });
    progress().postAction("Read PIC's program memory");
    progress().postProgress(10);
    progress().showPostings();
    EXPECT_EQ(progress().timeLeft(), QString()) << "no rate in the action's first second";

    now += std::chrono::seconds(4);
    progress().postProgress(20);
    progress().showPostings();
    EXPECT_EQ(progress().timeLeft(), QStringLiteral("16 s left"));
    EXPECT_EQ(progress().GroupBox1()->title(), QStringLiteral("Read PIC's program memory")) << "postings unchanged";
    EXPECT_EQ(progress().progressBar()->value(), 20);

    progress().postAction("Read PIC's EEPROM data memory");
    progress().postProgress(50);
    progress().showPostings();
    EXPECT_EQ(progress().timeLeft(), QString()) << "the new action has no rate yet";

    now += std::chrono::seconds(2);
    progress().postProgress(100);
    progress().showPostings();
    EXPECT_EQ(progress().timeLeft(), QString()) << "nothing left at the end";
}

TEST_F(ProgressWindowTest, ShownWindowFollowsAWorkerPostingEveryByte)
{
    // Starts no operation: code 0 leaves the worker idle.
    progress().show();
    std::atomic<bool> posting{true};
    std::thread worker([&] {
        for (Address address = 0; posting; address = (address + 1) % 0x8000) {
            progress().postAddress(address, address % 2 == 0);
            progress().postProgress(static_cast<std::uint16_t>(address * 100 / 0x7FFF));
        }
        progress().postAddress(0x1A, false);
        progress().postProgress(250);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !progress().panelText(1).isEmpty(); }, 2000));
    posting = false;
    worker.join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return progress().panelText(1) == QStringLiteral("00001A"); }, 2000));
    EXPECT_EQ(progress().panelText(2), QString());
    EXPECT_EQ(progress().progressBar()->value(), 100);   // never beyond the maximum
    progress().hide();
}

TEST_F(ProgressWindowTest, ClearingAndPreparingKeepTheWordMarker)
{
    postFromWorker([](ProgressBridge& bridge) {
        bridge.postAction("Write PIC's program memory");
        bridge.postProcessText("Write instruction");
        bridge.postAddress(0x000010, true);
        bridge.postProgress(7);
        bridge.clearAddress();
    });
    progress().showPostings();
    EXPECT_EQ(progress().panelText(1), QString());
    EXPECT_EQ(progress().panelText(2), QStringLiteral("&+1"));

    progress().prepare(QStringLiteral("Verification"));
    EXPECT_EQ(progress().Label1()->text(), QStringLiteral("Verification"));
    EXPECT_EQ(progress().GroupBox1()->title(), QString());
    EXPECT_EQ(progress().panelText(0), QString());
    EXPECT_EQ(progress().progressBar()->value(), 0);
    EXPECT_EQ(progress().panelText(2), QStringLiteral("&+1"));
}

TEST_F(ProgressWindowTest, BarStaysStillWhenTheCaptionEmpties)
{
    progress().show();
    const auto barPosition = [&](const std::string& caption) {
        progress().postAction(caption);
        progress().showPostings();
        QApplication::processEvents();
        return progress().progressBar()->mapTo(&progress(), QPoint());
    };
    const QPoint captioned = barPosition("Read PIC's EEPROM data memory");
    EXPECT_EQ(barPosition(""), captioned);
    progress().hide();
}

TEST_F(ProgressWindowTest, StatusPanelsOfBothWindowsShowTheirBoundaries)
{
    for (QWidget* window : {static_cast<QWidget*>(&progress()), static_cast<QWidget*>(&program.windows->mainWindow())}) {
        const auto* bar = window->findChild<QStatusBar*>();
        ASSERT_NE(bar, nullptr);
        const QList<QLabel*> panels = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        ASSERT_FALSE(panels.isEmpty());
        for (const QLabel* panel : panels) {
            EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);
            EXPECT_GT(panel->frameWidth(), 0);
        }
    }
}

} // namespace
} // namespace velmora
