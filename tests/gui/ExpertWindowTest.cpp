// The expert information window and the statistics dialog, opened from the Analysis menu of the
// main window on a capture whose TE loses an I frame: the rows with their severity, the frame a
// double-click shows, and the statistics tabs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeView>

#include "ProgramFixture.h"
#include "Screenshots.h"
#include "capture/CDecodeDoc.h"
#include "dialogs/StatisticsDialog.h"
#include "synth/Scenario.h"
#include "views/CaptureWindow.h"
#include "views/ExpertWindow.h"

namespace qv {
namespace {

// TEI 66 set up; N(S)=1 of the TE is missing, the network rejects and the TE sends again.
constexpr const char *kScenario = "01/03/2026 10:00:00.000 frame good te FC FF 03 0F 12 34 01 FF\n"
                                  "01/03/2026 10:00:00.010 frame good nt FE FF 03 0F 12 34 02 85\n"
                                  "01/03/2026 10:00:00.020 frame good te 00 85 7F\n"
                                  "01/03/2026 10:00:00.030 frame good nt 00 85 73\n"
                                  "01/03/2026 10:00:01.000 frame good te 00 85 00 00\n"
                                  "01/03/2026 10:00:01.010 frame good te 00 85 04 00\n"
                                  "01/03/2026 10:00:01.020 frame good nt 00 85 09 02\n"
                                  "01/03/2026 10:00:01.030 frame good te 00 85 02 00\n"
                                  "01/03/2026 10:00:01.040 frame good te 00 85 04 00\n"
                                  "01/03/2026 10:00:01.050 frame good nt 00 85 01 06\n";

class ExpertWindowTest : public test::ProgramTest {
protected:
    ExpertWindowTest() {
        synth::ParsedScenario parsed;
        std::string error;
        EXPECT_TRUE(synth::parseScenarioText(kScenario, parsed, error)) << error;
        EXPECT_TRUE(synth::writeCapture(path, synth::Layout::RealTime, parsed.records, 2026, error))
            << error;
    }

    const std::string path = dir.file("expert.lvt");
};

TEST_F(ExpertWindowTest, ListsTheWarningsAndShowsTheirFrame) {
    EXPECT_FALSE(action("&Expert Information...")->isEnabled()) << "no capture open";
    CaptureWindow *capture = window->openCapture(path);
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(2);
    QAction *expert = action("&Expert Information...");
    ASSERT_TRUE(expert && expert->isEnabled());
    expert->trigger();
    auto *list = window->findChild<ExpertWindow *>();
    ASSERT_NE(list, nullptr);
    const QAbstractItemModel *rows = list->list()->model();
    // A branch per group with its worst severity and count, the findings under it.
    ASSERT_EQ(rows->rowCount(), 2);
    const QModelIndex sequence = rows->index(0, 0), retransmission = rows->index(1, 0);
    EXPECT_EQ(rows->index(0, 2).data().toString(), "Sequence");
    EXPECT_EQ(rows->index(0, 3).data().toString(), "1 finding");
    EXPECT_EQ(sequence.data().toString(), "Error");
    EXPECT_EQ(rows->index(1, 2).data().toString(), "Retransmission");
    EXPECT_EQ(rows->index(1, 3).data().toString(), "3 findings");
    EXPECT_EQ(retransmission.data().toString(), "Warning") << "the worst of the group";
    ASSERT_EQ(rows->rowCount(sequence), 1);
    ASSERT_EQ(rows->rowCount(retransmission), 3);
    // The texts are the link analysis's, tested there.
    const char *expected[][3] = {{"Warning", "7", "Retransmission"},
                                 {"Note", "8", "Retransmission"},
                                 {"Note", "9", "Retransmission"}};
    for (int r = 0; r < 3; ++r) {
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(rows->index(r, column, retransmission).data().toString(),
                      expected[r][column]);
        EXPECT_FALSE(
            rows->index(r, 0, retransmission).data(Qt::DecorationRole).value<QIcon>().isNull());
    }
    const QModelIndex gap = rows->index(0, 3, sequence);
    EXPECT_TRUE(gap.data().toString().startsWith("N(S)=2 expected 1"));
    EXPECT_EQ(gap.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 214, 214));

    // Sorted by frame, latest first, within the groups.
    list->list()->sortByColumn(1, Qt::DescendingOrder);
    EXPECT_EQ(rows->index(0, 1, rows->index(1, 0)).data().toString(), "9");
    // Errors only: the one group with an error, with its one finding.
    list->severityChoice()->setCurrentIndex(2);
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->index(0, 2).data().toString(), "Sequence");
    EXPECT_EQ(rows->rowCount(rows->index(0, 0)), 1);
    list->severityChoice()->setCurrentIndex(1);
    EXPECT_EQ(rows->rowCount(rows->index(1, 0)), 1) << "the warning, not the notes";
    list->severityChoice()->setCurrentIndex(0);
    list->list()->sortByColumn(1, Qt::AscendingOrder);
    EXPECT_EQ(list->summaryText(), "1 error, 1 warning, 2 notes in 1 data link");
    EXPECT_EQ(capture->document().currentFrame(), 2u) << "the analysis leaves the frame shown";
    test::saveScreenshot(list, "expert-window");

    list->activateRow(1);
    EXPECT_EQ(capture->document().currentFrame(), 6u);
    EXPECT_TRUE(capture->detailTexts().contains("    Type: REJ (Reject)"))
        << capture->detailTexts().join('\n').toStdString();
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(ExpertWindowTest, StatisticsDialogHasATabPerTable) {
    ASSERT_NE(window->openCapture(path), nullptr);
    QAction *statistics = action("&Statistics...");
    ASSERT_TRUE(statistics && statistics->isEnabled());
    statistics->trigger();
    auto *dialog = window->findChild<StatisticsDialog *>();
    ASSERT_NE(dialog, nullptr);
    const QTabWidget *tabs = dialog->tabs();
    EXPECT_EQ(tabs->count(), 8);
    EXPECT_EQ(tabs->tabText(2), "Layer-2 frame types");
    auto *types = qobject_cast<const QTableWidget *>(tabs->widget(2));
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->item(0, 0)->text(), "I");
    EXPECT_EQ(types->item(0, 1)->text(), "4");
    EXPECT_EQ(types->item(3, 0)->text(), "REJ");
    EXPECT_EQ(types->item(3, 1)->text(), "1");
    const_cast<QTabWidget *>(tabs)->setCurrentIndex(2);
    test::saveScreenshot(dialog, "statistics-dialog");
}

TEST_F(ExpertWindowTest, StatisticsCountTheFramesDisplayedBesideAllWithTheirShares) {
    CaptureWindow *capture = window->openCapture(path);
    ASSERT_NE(capture, nullptr);
    action("&Statistics...")->trigger();
    auto *plain = window->findChild<StatisticsDialog *>();
    ASSERT_NE(plain, nullptr);
    auto *all = qobject_cast<const QTableWidget *>(plain->tabs()->widget(2));
    ASSERT_EQ(all->columnCount(), 3) << "no filter: no column of displayed frames";
    EXPECT_EQ(all->horizontalHeaderItem(2)->text(), "%");

    // Only the I frames displayed.
    ASSERT_TRUE(capture->applyFilterLine("layer=2,3 frame=I"));
    finishScans();
    ASSERT_GT(capture->summaryModel()->rowCount(), 0);
    action("&Statistics...")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto *dialog = window->findChild<StatisticsDialog *>();
    ASSERT_NE(dialog, nullptr);
    auto *types = qobject_cast<const QTableWidget *>(dialog->tabs()->widget(2));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->columnCount(), 5);
    EXPECT_EQ(types->horizontalHeaderItem(3)->text(), "Displayed");
    std::uint64_t total = 0;
    for (int r = 0; r < types->rowCount(); ++r)
        total += types->item(r, 1)->text().toULongLong();
    for (int r = 0; r < types->rowCount(); ++r) {
        const QString type = types->item(r, 0)->text();
        const QString count = types->item(r, 1)->text();
        EXPECT_EQ(
            types->item(r, 2)->text(),
            QString("%1 %").arg(100.0 * count.toDouble() / static_cast<double>(total), 0, 'f', 1));
        EXPECT_EQ(types->item(r, 3)->text(), type == "I" ? count : "0") << type.toStdString();
        EXPECT_EQ(types->item(r, 4)->text(), type == "I" ? "100.0 %" : "0.0 %");
    }
}

} // namespace
} // namespace qv
