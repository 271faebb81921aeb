// Layout rules of the windows: each fits a 1280 x 720 screen, grid headings show whole,
// message boxes keep their button order, every box and dialog opens at one place,
// the grid's current cell stays on byte cells.

#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <vector>

#include "WindowsOnTheSimulator.h"
#include "ui/About.h"
#include "ui/COMSel.h"
#include "ui/CSConfig.h"
#include "ui/CfgIDs.h"
#include "ui/DevSel.h"
#include "ui/HeadUnit.h"
#include "ui/Llit.h"
#include "ui/MemoryGridView.h"
#include "ui/PrgCfg.h"
#include "ui/Pr_Wnd.h"
#include "ui/QtUserMessages.h"
#include "ui/UCfgIDs2.h"
#include "ui/UCfgIDs3.h"

namespace velmora {
namespace {

using test::whenModal;

QPoint screenCentre()
{
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

TEST(WindowLayoutTest, EveryWindowFitsA1280By720Screen)
{
    test::WindowsOnTheSimulator program;
    VelmoraWindows& w = *program.windows;
    const std::vector<std::pair<const char*, QWidget*>> windows{
        {"main", &w.mainWindow()},         {"progress", &w.progress()},     {"device select", &w.deviceSelect()},
        {"COM port", &w.comSelect()},      {"type-1 editor", &w.editor1()}, {"type-2 editor", &w.editor2()},
        {"type-3 editor", &w.editor3()},   {"about", &w.about()},           {"checksum", &w.checksum()},
        {"programming", &w.programming()}, {"low-level test", &w.lowLevelTest()},
    };
    for (const auto& [name, window] : windows) {
        window->show();
        QApplication::processEvents();
        const QSize frame = window->frameGeometry().size();
        EXPECT_LE(frame.width(), 1280) << name;
        EXPECT_LE(frame.height(), 720) << name;
        window->hide();
    }
}

TEST(WindowLayoutTest, GridHeadingsShowWhole)
{
    test::WindowsOnTheSimulator program;
    TForm1& main = program.windows->mainWindow();
    main.show();
    MemoryGridView& view = main.gridView();
    const GridLayout& layout = main.gridModel().layout();
    // The text margin of a table cell on either side.
    const int margins = 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
    for (GridSection section : {GridSection::Program, GridSection::Eeprom, GridSection::Ids, GridSection::Config,
                                GridSection::DeviceId}) {
        const int gridRow = layout.headingRow(section);
        ASSERT_GT(gridRow, 0);
        const QString heading = main.gridModel().cellText(gridRow, 0);
        const QRect cell = view.visualRect(main.gridModel().index(gridRow - 1, 0));
        EXPECT_GE(cell.width(), view.fontMetrics().horizontalAdvance(heading) + margins) << heading.toStdString();
    }
}

struct ShownBox {
    QStringList buttons;   // left to right, without access-key marks
    QRect geometry;
};

// Shows a real message box and closes it with the button captioned close (Esc when empty).
MessageButton answerBox(MessageButtons buttons, const QString& close, ShownBox& shown)
{
    auto timer = whenModal<QMessageBox>([&](QMessageBox* box) {
        QList<QAbstractButton*> ordered = box->buttons();
        std::sort(ordered.begin(), ordered.end(), [](QAbstractButton* a, QAbstractButton* b) {
            return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
        });
        for (QAbstractButton* button : ordered)
            shown.buttons << button->text().remove(u'&');
        shown.geometry = box->geometry();
        if (close.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* button : ordered) {
            if (button->text().remove(u'&') == close)
                button->click();
        }
    });
    QtUserMessages messages;
    return messages.showMessage(MessageKind::Error, "COMM init error: \"COM9\".", buttons);
}

TEST(WindowLayoutTest, MessageBoxesKeepTheirButtonOrderAndOpenCentredOnTheScreen)
{
    const struct {
        MessageButtons buttons;
        QString close;
        QStringList order;
        MessageButton answer;
    } cases[] = {
        {ButtonYes | ButtonNo | ButtonRetry, QStringLiteral("Retry"), {"Yes", "No", "Retry"}, ButtonRetry},
        {ButtonYes | ButtonNo | ButtonRetry, QString(), {"Yes", "No", "Retry"}, ButtonNo},
        {ButtonYes | ButtonNo | ButtonAbort, QString(), {"Yes", "No", "Abort"}, ButtonAbort},
        {ButtonYes | ButtonNo | ButtonAbort, QStringLiteral("Yes"), {"Yes", "No", "Abort"}, ButtonYes},
        {ButtonOk | ButtonRetry, QString(), {"OK", "Retry"}, ButtonOk},
        {ButtonOk, QStringLiteral("OK"), {"OK"}, ButtonOk},
    };
    // An active window away from the centre: the boxes still open on the screen's centre,
    // whichever window is active when they come.
    QWidget active;
    active.setGeometry(47, 44, 521, 421);
    active.show();
    active.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&active));
    for (const auto& c : cases) {
        ShownBox shown;
        EXPECT_EQ(answerBox(c.buttons, c.close, shown), c.answer) << c.order.join(u',').toStdString();
        EXPECT_EQ(shown.buttons, c.order);
        EXPECT_LE((shown.geometry.center() - screenCentre()).manhattanLength(), 2);
    }
}

TEST(WindowLayoutTest, DialogsOpenCentredAtTheSamePlaceEveryTime)
{
    test::WindowsOnTheSimulator program;
    TForm1& main = program.windows->mainWindow();
    main.show();
    std::vector<QRect> openings;
    for (int opening = 0; opening < 2; ++opening) {
        auto timer = whenModal<TAboutBox>([&](TAboutBox* about) {
            openings.push_back(about->geometry());
            about->accept();
        });
        main.menuItem(TForm1::Command::About)->trigger();
    }
    ASSERT_EQ(openings.size(), 2u);
    EXPECT_EQ(openings[0], openings[1]);
    EXPECT_LE((openings[0].center() - screenCentre()).manhattanLength(), 2);
}

// The three dialogs share one OK/Cancel row: captions, the default button, and Enter and
// Esc closing with their results.
TEST(WindowLayoutTest, OkCancelRowsAcceptOnEnterAndRejectOnEscape)
{
    test::WindowsOnTheSimulator program;
    VelmoraWindows& w = *program.windows;
    const std::vector<std::pair<QDialog*, QPushButton*>> dialogs{
        {&w.comSelect(), w.comSelect().okButton()},
        {&w.programming(), w.programming().okButton()},
        {&w.checksum(), w.checksum().okButton()},
    };
    for (const auto& [dialog, ok] : dialogs) {
        const QString title = dialog->windowTitle();
        EXPECT_EQ(ok->text(), QStringLiteral("OK")) << title.toStdString();
        EXPECT_TRUE(ok->isDefault()) << title.toStdString();
        const auto captions = dialog->findChildren<QPushButton*>();
        EXPECT_TRUE(std::any_of(captions.begin(), captions.end(),
                                [](const QPushButton* b) { return b->text() == QStringLiteral("Cancel"); }))
            << title.toStdString();
        for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted}, {Qt::Key_Escape, QDialog::Rejected}}) {
            dialog->show();
            ok->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(ok, key);
            EXPECT_FALSE(dialog->isVisible()) << title.toStdString();
            EXPECT_EQ(dialog->result(), result) << title.toStdString();
        }
    }
}

TEST(WindowLayoutTest, CurrentCellStaysOnByteCells)
{
    test::WindowsOnTheSimulator program;
    TForm1& main = program.windows->mainWindow();
    main.show();
    MemoryGridView& view = main.gridView();
    const GridLayout& layout = main.gridModel().layout();
    const int lastProgramRow = layout.headingRow(GridSection::Eeprom) - 2;   // model rows
    const int firstEepromRow = layout.headingRow(GridSection::Eeprom);
    const auto current = [&] { return std::pair(view.currentIndex().row(), view.currentIndex().column()); };

    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(current(), std::pair(1, 1));   // the first byte cell, not "Program:"
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(current(), std::pair(1, 1));
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(current(), std::pair(1, 8));   // the last byte column, not "Chars:"
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(current(), std::pair(1, 1));

    view.setCurrentIndex(main.gridModel().index(lastProgramRow, 3));
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(current(), std::pair(firstEepromRow, 3));   // over the "EEPROM data:" heading
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(current(), std::pair(lastProgramRow, 3));

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(main.gridModel().index(4, 0)).center());
    EXPECT_EQ(current(), std::pair(lastProgramRow, 3));   // the address column takes no clicks
}

} // namespace
} // namespace velmora
