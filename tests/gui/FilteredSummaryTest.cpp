// The summary of a capture window under off-line filters: only the frames shown are rows, each
// keeps its own number, the title says filters are active, and going to a hidden frame offers
// the nearest one.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
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
    EXPECT_TRUE(capture->detailTexts().contains("  Message Type : SETUP"));

    filter(capture, {});
    EXPECT_EQ(model->rowCount(), 340);
    EXPECT_EQ(capture->windowTitle(), plainTitle);
}

TEST_F(FilteredSummaryTest, ALongCaptureIsFilteredAStretchAtATime) {
    CaptureWindow *capture = openMix(200000);
    ASSERT_NE(capture, nullptr);
    const QAbstractItemModel *model = capture->summaryModel();
    FilterCriteria events;
    events.layer2 = events.layer3 = false;
    filter(capture, events);
    const int first = model->rowCount();
    EXPECT_GT(first, 0);
    EXPECT_TRUE(model->canFetchMore({}));

    // Selecting a late frame finds the rows up to it; every row is a layer-1 event.
    CDecodeDoc &doc = capture->document();
    std::uint32_t late = doc.frameCount() - 1;
    while (!doc.isShown(late))
        --late;
    capture->selectFrame(static_cast<int>(late));
    EXPECT_EQ(doc.currentFrame(), late);
    EXPECT_GT(model->rowCount(), first);
    const int rows = model->rowCount();
    EXPECT_EQ(model->headerData(rows - 1, Qt::Vertical, Qt::DisplayRole).toUInt(), late + 1);
    for (int row = 0; row < rows; row += 97)
        EXPECT_EQ(cell(model, row, "Type"), "Phys.") << row;
}

TEST_F(FilteredSummaryTest, HomeAndEndGoToTheFirstAndLastFrameShownAndSelectIt) {
    // A filter that shows more frames than one stretch: End reaches the last of them all.
    CaptureWindow *capture = openMix(20000);
    ASSERT_NE(capture, nullptr);
    FilterCriteria layer2;
    layer2.layer1 = layer2.layer3 = false;
    filter(capture, layer2);
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
