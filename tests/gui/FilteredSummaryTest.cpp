// The summary of a capture window under off-line filters: only the frames shown are rows, each
// keeps its own number, the title says filters are active, and going to a hidden frame offers
// the nearest one.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QScrollBar>
#include <QTableView>

#include "ProgramFixture.h"
#include "capture/CDecodeDoc.h"
#include "filters/OffLineFrameFilter.h"
#include "synth/Scenario.h"
#include "views/CaptureWindow.h"

namespace qv {
namespace {

class FilteredSummaryTest : public test::ProgramTest {
protected:
    static void filter(CaptureWindow *capture, const FilterCriteria &c) {
        capture->document().applyOffLineFilters(std::make_unique<OffLineFrameFilter>(c));
    }
    // A window on a generated mixed capture of frames frames; null when it cannot be made.
    CaptureWindow *openMix(std::uint32_t frames) {
        const std::string generated = dir.file("long.lvt");
        std::string error;
        if (!synth::writeCapture(generated, synth::Layout::Stored,
                                 synth::builtinScenario("mix", frames, 5),
                                 synth::kScenarioStartYear, error))
            return nullptr;
        return window->openCapture(generated);
    }
};

using test::cell;

TEST_F(FilteredSummaryTest, RowsAreTheFramesShownWithTheirOwnNumbers) {
    CaptureWindow *capture =
        window->openCapture(std::string(QUORVANE_SOURCE_DIR) + "/data/samples/calls.lvt");
    ASSERT_NE(capture, nullptr);
    const QAbstractItemModel *model = capture->summaryModel();
    const QString plainTitle = capture->windowTitle();
    FilterCriteria setups;
    setups.layer1 = setups.layer2 = false;
    setups.message = 26; // SETUP
    filter(capture, setups);
    finishScans();

    ASSERT_GT(model->rowCount(), 1);
    EXPECT_LT(model->rowCount(), 40);
    for (int row = 0; row < model->rowCount(); ++row)
        EXPECT_EQ(cell(model, row, "Msg.Type"), "SETUP") << row;
    EXPECT_EQ(cell(model, 0, "Number"), "13");
    EXPECT_EQ(model->headerData(0, Qt::Vertical, Qt::DisplayRole).toInt(), 13);
    EXPECT_EQ(capture->windowTitle(), plainTitle + " - Active Filters ");
    EXPECT_EQ(capture->document().currentFrame(), 12u) << "moved off the hidden first frame";

    messages.queueAnswer(MessageAnswer::No);
    capture->goToFrameNumber(300);
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text, kMsgFrameSuppressed);
    EXPECT_EQ(capture->document().currentFrame(), 12u);
    messages.queueAnswer(MessageAnswer::Yes);
    capture->goToFrameNumber(14);
    EXPECT_EQ(capture->document().currentFrame(), 12u) << "frame 13 is the nearest";
    EXPECT_TRUE(capture->detailTexts().contains("  Message Type: SETUP"));

    filter(capture, {});
    EXPECT_EQ(model->rowCount(), 340);
    EXPECT_EQ(capture->windowTitle(), plainTitle);
}

TEST_F(FilteredSummaryTest, AMillionFramesAreFilteredInTheBackgroundWithACountOfTheRowsShown) {
    CaptureWindow *capture = openMix(1000000);
    ASSERT_NE(capture, nullptr);
    const QAbstractItemModel *model = capture->summaryModel();
    CDecodeDoc &doc = capture->document();
    EXPECT_EQ(window->statusPane(3), "Displayed 1,000,000 of 1,000,000");
    FilterCriteria events;
    events.layer2 = events.layer3 = false;
    filter(capture, events);
    // The window answers at once, with a count that says the scan is still going on.
    EXPECT_TRUE(capture->scanning());
    EXPECT_TRUE(window->statusPane(3).contains("(scanning... "))
        << window->statusPane(3).toStdString();

    // Going to a late frame while the scan runs shows it at once and selects its row once the
    // scan has come to it.
    std::uint32_t late = doc.frameCount() - 1;
    while (!doc.isShown(late))
        --late;
    capture->goToFrameNumber(static_cast<int>(late) + 1);
    EXPECT_EQ(doc.currentFrame(), late);
    EXPECT_TRUE(messages.entries().empty());
    finishScans();
    EXPECT_EQ(capture->selectedFrames(), std::vector<std::uint32_t>{late});

    // Every frame shown is a row, each a layer-1 event, and the count says how many.
    int shown = 0;
    for (std::uint32_t frame = 0; frame < doc.frameCount(); frame += 1)
        shown += doc.isShown(frame) ? 1 : 0;
    ASSERT_GT(shown, 1000);
    EXPECT_EQ(model->rowCount(), shown);
    EXPECT_EQ(window->statusPane(3),
              QString("Displayed %1 of 1,000,000").arg(QLocale().toString(shown)));
    EXPECT_EQ(model->headerData(shown - 1, Qt::Vertical, Qt::DisplayRole).toUInt(), late + 1);
    for (int row = 0; row < shown; row += 97)
        EXPECT_EQ(cell(model, row, "Type"), "Phys.") << row;

    // End reaches the last frame shown, Go To a frame the filter hides offers the nearest one.
    auto *table = capture->findChild<QTableView *>();
    ASSERT_NE(table, nullptr);
    capture->selectFrame(0);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QApplication::sendEvent(table, &end);
    EXPECT_EQ(capture->selectedFrames(), std::vector<std::uint32_t>{late});
    messages.queueAnswer(MessageAnswer::Yes);
    capture->goToFrameNumber(static_cast<int>(late) + 2);
    EXPECT_EQ(doc.currentFrame(), late);
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text, kMsgFrameSuppressed);

    // Lifting the filter shows every frame again at once.
    filter(capture, {});
    EXPECT_FALSE(capture->scanning());
    EXPECT_EQ(model->rowCount(), 1000000);
}

TEST_F(FilteredSummaryTest, AFilterChangedWhileTheScanRunsStartsItAfresh) {
    CaptureWindow *capture = openMix(200000);
    ASSERT_NE(capture, nullptr);
    FilterCriteria events;
    events.layer2 = events.layer3 = false;
    filter(capture, events);
    FilterCriteria frames;
    frames.layer1 = frames.layer3 = false;
    filter(capture, frames);
    finishScans();
    const QAbstractItemModel *model = capture->summaryModel();
    ASSERT_GT(model->rowCount(), 0);
    for (int row = 0; row < model->rowCount(); row += 101)
        EXPECT_NE(cell(model, row, "Type"), "Phys.") << row;
    // Closing a window whose scan runs stops the scan with it.
    filter(capture, events);
    EXPECT_TRUE(capture->scanning());
    window->closeActive();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->activeCapture(), nullptr);
}

TEST_F(FilteredSummaryTest, HomeAndEndGoToTheFirstAndLastFrameShownAndSelectIt) {
    // A filter that shows more frames than one stretch: End reaches the last of them all.
    CaptureWindow *capture = openMix(20000);
    ASSERT_NE(capture, nullptr);
    FilterCriteria layer2;
    layer2.layer1 = layer2.layer3 = false;
    filter(capture, layer2);
    finishScans();
    CDecodeDoc &doc = capture->document();
    std::uint32_t last = doc.frameCount() - 1;
    while (!doc.isShown(last))
        --last;
    std::uint32_t first = 0;
    while (!doc.isShown(first))
        ++first;

    auto *table = capture->findChild<QTableView *>();
    ASSERT_NE(table, nullptr);
    capture->resize(600, 400);
    const auto press = [table](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(table, &event);
    };
    const auto selected = [capture] {
        const std::vector<std::uint32_t> frames = capture->selectedFrames();
        return frames.size() == 1 ? static_cast<std::int64_t>(frames[0]) : -1;
    };
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        SCOPED_TRACE(modifiers == Qt::NoModifier ? "plain" : "with Ctrl");
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        press(Qt::Key_End, modifiers);
        EXPECT_EQ(selected(), last);
        EXPECT_EQ(doc.currentFrame(), last);
        EXPECT_EQ(table->currentIndex().column(), 0);
        EXPECT_EQ(table->horizontalScrollBar()->value(), 0) << "the Number column in view";
        press(Qt::Key_Home, modifiers);
        EXPECT_EQ(selected(), first);
        EXPECT_EQ(doc.currentFrame(), first);
    }
    press(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_GT(capture->selectedFrames().size(), 600u) << "Shift stretches the selection";
}

} // namespace
} // namespace qv
