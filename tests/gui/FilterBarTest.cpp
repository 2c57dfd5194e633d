// The filter bar above a capture's summary: a typed line filters the capture, a wrong one is
// refused with its reason, the bar always shows the filter in force however it was set, values
// of the summary join the filter from its menu, and saved profiles and past lines come back.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "ProgramFixture.h"
#include "capture/CDecodeDoc.h"
#include "dialogs/OffLineFilterCommands.h"
#include "filters/FilterFiles.h"
#include "filters/FilterLists.h"
#include "views/CaptureWindow.h"
#include "views/FilterBar.h"

namespace qv {
namespace {

using test::cell;

class FilterBarTest : public test::ProgramTest {
protected:
    CaptureWindow *open() {
        CaptureWindow *capture = openSample("calls.lvt");
        if (capture)
            bar = capture->filterBar();
        return capture;
    }
    void type(const QString &text) {
        for (const QChar c : text) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(bar->edit(), &key);
        }
    }
    void press(Qt::Key k) {
        QKeyEvent key(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(bar->edit(), &key);
    }
    QStringList column(const QAbstractItemModel *model, const QString &title) {
        QStringList values;
        for (int row = 0; row < model->rowCount(); ++row)
            values << cell(model, row, title);
        return values;
    }
    QString error() const { return bar->findChild<QLabel *>("filterError")->text(); }

    FilterBar *bar = nullptr;
};

TEST_F(FilterBarTest, ATypedLineFiltersTheCaptureAndIsRemembered) {
    CaptureWindow *capture = open();
    ASSERT_NE(capture, nullptr);
    const QAbstractItemModel *model = capture->summaryModel();
    // The message is read without regard to case, the cause as a decimal number.
    type("Msg=disconnect cause=16");
    press(Qt::Key_Return);
    finishScans();
    EXPECT_TRUE(capture->document().filtersActive());
    const QStringList types = column(model, "Msg.Type");
    ASSERT_FALSE(types.isEmpty());
    EXPECT_EQ(types.count("DISCONNECT"), types.size()) << "layer 3 alone";
    EXPECT_EQ(column(model, "Cause").count("Normal call clearing"), types.size());
    EXPECT_EQ(bar->line(), "msg=DISCONNECT cause=16")
        << "the filter in force, as written: " << bar->line().toStdString();
    EXPECT_EQ(window->statusPane(3), QString("Displayed %1 of 340").arg(types.size()));
    ASSERT_FALSE(settings.filterHistory.empty());
    EXPECT_EQ(settings.filterHistory.front(), "Msg=disconnect cause=16");
    EXPECT_EQ(settings.filterHistory.size(), 1u) << "one Enter, one line applied";

    // Clear shows every frame again.
    bar->findChild<QPushButton *>("filterClear")->click();
    EXPECT_FALSE(capture->document().filtersActive());
    EXPECT_EQ(model->rowCount(), 340);
    EXPECT_EQ(bar->line(), "");
}

TEST_F(FilterBarTest, AWrongLineIsRefusedWithItsReasonAndTheFilterStays) {
    CaptureWindow *capture = open();
    ASSERT_NE(capture, nullptr);
    ASSERT_TRUE(capture->applyFilterLine("layer=3"));
    finishScans();
    const int rows = capture->summaryModel()->rowCount();
    const struct {
        const char *line;
        const char *reason;
    } cases[] = {
        {"teo=3", "Unknown key in \"teo=3\""},
        {"layer=3 tei=200", "Value not allowed in \"tei=200\""},
        {"msg", "No value in \"msg\": write key=value"},
        {"msg=\"USER INFO", "A quote is not closed in \"msg=\"USER INFO\""},
        {"tei=1 tei=2", "\"tei=2\" gives a key a second time"},
        {"layer=3 dir=TE->NT",
         "\"dir=TE->NT\" applies to layer 2: show layer 2 too (layer=2 or layer=2,3)"},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(capture->applyFilterLine(c.line)) << c.line;
        EXPECT_EQ(error(), c.reason);
        EXPECT_EQ(window->statusBar()->currentMessage(), c.reason);
        EXPECT_EQ(capture->summaryModel()->rowCount(), rows) << "the filter in force stays";
    }
    EXPECT_TRUE(messages.entries().empty()) << "no box to click away";
    ASSERT_TRUE(capture->applyFilterLine("layer=2"));
    EXPECT_EQ(error(), "") << "a line applied takes the remark away";
}

TEST_F(FilterBarTest, TheBarShowsTheFilterHoweverItWasSet) {
    CaptureWindow *capture = open();
    ASSERT_NE(capture, nullptr);
    FilterCriteria sheet;
    sheet.layer1 = sheet.layer2 = false;
    sheet.message = 4; // CONNECT
    sheet.causeSet = true;
    sheet.causeText = "16";
    sheet.causeFormat = kCauseDecimal;
    applyOffLineCriteria(capture->document(), sheet, nullptr);
    EXPECT_EQ(bar->line(), "msg=CONNECT cause=16");

    // A saved profile from the bar's menu.
    FilterCriteria profile;
    profile.teiSet = true;
    profile.tei = 0;
    ASSERT_TRUE(FilterFiles(installation.filterFolder())
                    .Save(FilterKind::OffLine, "tei zero", profile, "LVT-30"));
    QMenu *menu = bar->findChild<QToolButton *>("filterProfiles")->menu();
    emit menu->aboutToShow();
    QAction *chosen = nullptr;
    for (QAction *action : menu->actions())
        if (action->text() == "tei zero")
            chosen = action;
    ASSERT_NE(chosen, nullptr);
    chosen->trigger();
    EXPECT_EQ(offLineCriteria(capture->document()), profile);
    EXPECT_EQ(bar->line(), "tei=0");
    FilterFiles(installation.filterFolder()).Delete(FilterKind::OffLine, "tei zero");
}

TEST_F(FilterBarTest, ValuesOfTheSummaryJoinTheFilter) {
    CaptureWindow *capture = open();
    ASSERT_NE(capture, nullptr);
    const QAbstractItemModel *model = capture->summaryModel();
    const int message = static_cast<int>(headerTitles(*model).indexOf("Msg.Type"));
    const int called = static_cast<int>(headerTitles(*model).indexOf("Called Addr"));
    const int number = static_cast<int>(headerTitles(*model).indexOf("Number"));
    ASSERT_EQ(cell(model, 12, "Msg.Type"), "SETUP");
    const QString calledValue = cell(model, 12, "Called Addr");

    EXPECT_FALSE(capture->filterOnCell(12, number, false)) << "a frame number selects nothing";
    EXPECT_FALSE(capture->document().filtersActive());
    ASSERT_TRUE(capture->filterOnCell(12, message, false));
    finishScans();
    EXPECT_EQ(bar->line(), "msg=SETUP");
    ASSERT_GT(model->rowCount(), 1);
    const int before = model->rowCount();
    // The called party of an outgoing call is its remote end: the SETUPs of the calls to it.
    ASSERT_TRUE(capture->filterOnCell(0, called, true));
    finishScans();
    EXPECT_EQ(bar->line(), "remote=" + calledValue + " msg=SETUP");
    ASSERT_GT(model->rowCount(), 0);
    EXPECT_LT(model->rowCount(), before);
    for (int row = 0; row < model->rowCount(); ++row) {
        EXPECT_EQ(cell(model, row, "Msg.Type"), "SETUP");
        // A call dialled digit by digit names its called party after its SETUP.
        EXPECT_TRUE(cell(model, row, "Called Addr") == calledValue ||
                    cell(model, row, "Called Addr") == "-");
    }
}

TEST_F(FilterBarTest, KeysAndNamedValuesAreCompleted) {
    CaptureWindow *capture = open();
    ASSERT_NE(capture, nullptr);
    auto *completer = bar->findChild<QCompleter *>("filterCompleter");
    ASSERT_NE(completer, nullptr);
    type("tei=0 msg=SETUP.A");
    EXPECT_EQ(bar->edit()->text(), "tei=0 msg=SETUP.A") << bar->edit()->text().toStdString();
    ASSERT_EQ(completer->completionCount(), 1);
    completer->setCurrentRow(0);
    EXPECT_EQ(completer->currentCompletion(), "msg=SETUP.ACK");
    emit completer->activated(QStringLiteral("msg=SETUP.ACK"));
    EXPECT_EQ(bar->line(), "tei=0 msg=SETUP.ACK");
    bar->edit()->clear();
    type("cause=norm");
    completer->setCurrentRow(0);
    EXPECT_EQ(completer->currentCompletion(), "cause=\"NORMAL CALL CLEARING\"");
}

} // namespace
} // namespace qv
