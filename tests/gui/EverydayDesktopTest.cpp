// What a desktop program does without being asked: Copy from each pane, the detail's menu
// filtering on a value, F3 and Shift+F3 finding again, the Window menu, and files dropped on the
// main window.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTableView>
#include <QTreeWidget>
#include <QUrl>

#include "ProgramFixture.h"
#include "capture/CDecodeDoc.h"
#include "views/CaptureWindow.h"
#include "views/FilterBar.h"
#include "views/FindDialog.h"

namespace qv {
namespace {

using test::cell;

class EverydayDesktopTest : public test::ProgramTest {};

TEST_F(EverydayDesktopTest, CopyTakesTheRowsTheDetailOrTheTrace) {
    CaptureWindow *capture = openSample("demo.lvt");
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(7); // the SETUP
    const QStringList rows = capture->copyText(CaptureWindow::CopyFrom::Summary).split('\n');
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith("Number\tDate\tTime")) << rows[0].toStdString();
    EXPECT_TRUE(rows[1].startsWith("8\t")) << rows[1].toStdString();
    EXPECT_TRUE(rows[1].contains("\tSETUP\t"));

    // The selected line of the detail and the lines under it, from its own depth.
    auto *tree = capture->findChild<QTreeWidget *>();
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == "Calling party number")
            tree->setCurrentItem(*it);
    const QStringList element = capture->copyText(CaptureWindow::CopyFrom::Detail).split('\n');
    ASSERT_GE(element.size(), 3);
    EXPECT_EQ(element[0], "Calling party number");
    EXPECT_EQ(element[1], "  Length: 12");
    EXPECT_TRUE(element.last().startsWith("  Digits: "));

    EXPECT_TRUE(capture->copyText(CaptureWindow::CopyFrom::Trace).startsWith("0000:"));
    EXPECT_TRUE(capture->frameHex().startsWith("00 81 00 00 08 01 01 05"))
        << capture->frameHex().toStdString();

    // Edit > Copy takes the summary's rows when the summary has the focus.
    capture->findChild<QTableView *>()->setFocus();
    action("&Copy")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              capture->copyText(CaptureWindow::CopyFrom::Summary));
}

TEST_F(EverydayDesktopTest, F3FindsAgainForwardsAndShiftF3Backwards) {
    CaptureWindow *capture = openSample("demo.lvt");
    ASSERT_NE(capture, nullptr);
    QAction *next = action("Find &Next");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(action("Find Pre&vious")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    FindDialog *dialog = window->findDialog();
    dialog->setCriterion(FindDialog::String);
    dialog->setText("RR");
    next->trigger();
    const std::uint32_t first = capture->document().currentFrame();
    next->trigger();
    const std::uint32_t second = capture->document().currentFrame();
    EXPECT_GT(second, first);
    // Backwards, the search starts on the selected row, as a new direction does in the dialog.
    action("Find Pre&vious")->trigger();
    action("Find Pre&vious")->trigger();
    EXPECT_EQ(capture->document().currentFrame(), first);
    EXPECT_EQ(window->statusBar()->currentMessage().isEmpty(), false);
}

TEST_F(EverydayDesktopTest, TheFindBarFindsATextOfTheSummaryAndF3FindsItAgain) {
    CaptureWindow *capture = openSample("calls.lvt");
    ASSERT_NE(capture, nullptr);
    const QAbstractItemModel *model = capture->summaryModel();
    auto *edit = capture->findChild<QLineEdit *>("findText");
    ASSERT_NE(edit, nullptr);
    edit->setText("setup");
    emit edit->returnPressed();
    const std::uint32_t first = capture->document().currentFrame();
    EXPECT_EQ(cell(model, static_cast<int>(first), "Msg.Type"), "SETUP") << "not case sensitive";
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty()) << "the hit is told there";
    EXPECT_TRUE(messages.entries().empty()) << "no box for a hit";
    action("Find &Next")->trigger();
    const std::uint32_t second = capture->document().currentFrame();
    EXPECT_GT(second, first);
    EXPECT_TRUE(cell(model, static_cast<int>(second), "Msg.Type").startsWith("SETUP"));
    // Backwards the search starts on the selected row, as a new direction does in the dialog.
    action("Find Pre&vious")->trigger();
    action("Find Pre&vious")->trigger();
    EXPECT_EQ(capture->document().currentFrame(), first);
}

TEST_F(EverydayDesktopTest, TheWindowMenuArrangesAndListsTheOpenWindows) {
    ASSERT_NE(openSample("demo.lvt"), nullptr);
    ASSERT_NE(openSample("calls.lvt"), nullptr);
    QMenu *menu = nullptr;
    for (QAction *top : window->menuBar()->actions())
        if (top->text() == "&Window")
            menu = top->menu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QStringList entries;
    for (QAction *entry : menu->actions())
        if (!entry->isSeparator())
            entries << entry->text();
    ASSERT_EQ(entries.size(), 6) << entries.join('|').toStdString();
    EXPECT_TRUE(entries[4].startsWith("&1 ") && entries[4].endsWith("demo.lvt"));
    EXPECT_TRUE(entries[5].startsWith("&2 ") && entries[5].endsWith("calls.lvt"));
    EXPECT_TRUE(menu->actions().last()->isChecked()) << "the active window is checked";
    // Choosing the first makes it the active one.
    for (QAction *entry : menu->actions())
        if (entry->text().startsWith("&1 "))
            entry->trigger();
    ASSERT_NE(window->activeCapture(), nullptr);
    EXPECT_TRUE(window->activeCapture()->windowTitle().endsWith("demo.lvt"));
}

TEST_F(EverydayDesktopTest, AFileDroppedOnTheWindowOpens) {
    QMimeData none;
    none.setText("not a file");
    EXPECT_FALSE(window->openDropped(none));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(test::sample("calls.lvt")))});
    EXPECT_TRUE(window->acceptDrops());
    ASSERT_TRUE(window->openDropped(data));
    ASSERT_NE(window->activeCapture(), nullptr);
    EXPECT_TRUE(window->activeCapture()->windowTitle().endsWith("calls.lvt"));
}

TEST_F(EverydayDesktopTest, TheDetailsMenuFiltersOnTheValueOfALine) {
    CaptureWindow *capture = openSample("calls.lvt");
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(12); // the first SETUP
    const QStringList rows = capture->detailTexts();
    auto rowOf = [&rows](const QString &text) {
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].trimmed() == text)
                return i;
        return -1;
    };
    EXPECT_FALSE(capture->filterOnDetailLine(rowOf("Decode Status: -"), false))
        << "a line the filter cannot select";
    ASSERT_TRUE(capture->filterOnDetailLine(rowOf("Message Type: SETUP"), false));
    finishScans();
    EXPECT_EQ(capture->filterBar()->line(), "msg=SETUP");
    // The digits of the calling number stand for the calling party: the local end of this call.
    capture->selectFrame(12);
    const QStringList setup = capture->detailTexts();
    int digits = -1;
    for (int i = 0; i < setup.size() && digits < 0; ++i)
        if (setup[i].trimmed().startsWith("Digits: 0301234567"))
            digits = i;
    ASSERT_TRUE(capture->filterOnDetailLine(digits, true));
    EXPECT_EQ(capture->filterBar()->line(), "local=0301234567 msg=SETUP");
}

} // namespace
} // namespace qv
