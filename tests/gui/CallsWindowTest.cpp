// The Calls and Call Flow windows on the sample capture of calls: the table of calls, choosing a
// call (call-reference filter, first frame, flow), an arrow click and the exports.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QDockWidget>
#include <QImage>
#include <QTreeView>

#include "ProgramFixture.h"
#include "Screenshots.h"
#include "capture/CDecodeDoc.h"
#include "views/CallsWindow.h"
#include "views/CaptureWindow.h"
#include "views/FlowWindow.h"

namespace qv {
namespace {

class CallsWindowTest : public test::ProgramTest {
protected:
    CaptureWindow *open() { return openSample("calls.lvt"); }
};

TEST_F(CallsWindowTest, TheTableListsTheCallsAndAChoiceOpensItsFlow) {
    CaptureWindow *capture = open();
    ASSERT_NE(capture, nullptr);
    CallsWindow calls(*capture, nullptr, messages);
    ASSERT_FALSE(calls.calls().empty());
    const QAbstractItemModel *table = calls.table()->model();
    ASSERT_EQ(table->rowCount(), static_cast<int>(calls.calls().size()));
    auto first = [table](int column) { return table->index(0, column).data().toString(); };
    EXPECT_EQ(first(0), "1");
    EXPECT_EQ(first(1), "ISDN");
    EXPECT_EQ(first(4), "0301234567");
    EXPECT_EQ(first(5), "0897654321");
    EXPECT_EQ(first(13), "16 Normal call clearing");
    EXPECT_TRUE(calls.summaryText().endsWith("unanswered")) << calls.summaryText().toStdString();
    test::saveScreenshot(&calls, "calls-window");

    FlowWindow *flow = calls.chooseRow(0);
    ASSERT_NE(flow, nullptr);
    EXPECT_TRUE(capture->document().filtersActive()) << "the call-reference filter";
    EXPECT_EQ(capture->document().currentFrame(), calls.calls()[0].firstFrame);
    ASSERT_EQ(flow->flow().arrows.size(), calls.calls()[0].frameCount);
    EXPECT_EQ(flow->flow().arrows[0].label, "SETUP");
    test::saveScreenshot(flow, "flow-window");

    // A click on the third arrow's row selects its frame in the capture window->
    const int y = CallFlowLayout::rowY(2) + 3;
    EXPECT_EQ(flow->canvas()->arrowAt(y), 2);
    flow->activateArrow(2);
    EXPECT_EQ(capture->document().currentFrame(), flow->flow().arrows[2].frame);
    EXPECT_EQ(flow->canvas()->selectedArrow(), 2);
    EXPECT_EQ(flow->canvas()->arrowAt(10), -1);

    ASSERT_TRUE(flow->exportSvg(QString::fromStdString(dir.file("flow.svg"))));
    ASSERT_TRUE(flow->exportPng(QString::fromStdString(dir.file("flow.png"))));
    EXPECT_NE(dir.read("flow.svg").find(">SETUP</text>"), std::string::npos);
    const QImage picture(QString::fromStdString(dir.file("flow.png")));
    EXPECT_EQ(picture.width(), CallFlowLayout::width);
    EXPECT_EQ(picture.height(),
              CallFlowLayout::height(static_cast<int>(flow->flow().arrows.size())));
    EXPECT_FALSE(flow->exportSvg(QString::fromStdString(dir.file("no/such/flow.svg"))));
}

TEST_F(CallsWindowTest, ChoosingAnotherCallFiltersOnItsOwnReference) {
    CaptureWindow *capture = open();
    ASSERT_NE(capture, nullptr);
    CallsWindow calls(*capture, nullptr, messages);
    ASSERT_GE(calls.calls().size(), 2u);
    ASSERT_NE(calls.chooseRow(0), nullptr);
    const CallEntry &second = calls.calls()[1];
    ASSERT_NE(second.callRef, calls.calls()[0].callRef);
    FlowWindow *flow = calls.chooseRow(1);
    ASSERT_NE(flow, nullptr);
    CDecodeDoc &doc = capture->document();
    EXPECT_EQ(doc.currentFrame(), second.firstFrame);
    EXPECT_TRUE(doc.isShown(second.firstFrame));
    EXPECT_FALSE(doc.isShown(calls.calls()[0].firstFrame)) << "the first call's filter is gone";
    // Its arrows select their frames.
    flow->activateArrow(1);
    EXPECT_EQ(doc.currentFrame(), flow->flow().arrows[1].frame);
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(CallsWindowTest, CallsAndTheirFlowArePanesBesideTheCaptureAndSortByAnyColumn) {
    CaptureWindow *capture = open();
    ASSERT_NE(capture, nullptr);
    action("&Calls...")->trigger();
    auto *pane = window->findChild<QDockWidget *>("callsPane");
    ASSERT_NE(pane, nullptr);
    auto *calls = qobject_cast<CallsWindow *>(pane->widget());
    ASSERT_NE(calls, nullptr);
    EXPECT_FALSE(calls->isWindow()) << "a pane of the main window, not a window over it";
    EXPECT_EQ(window->dockWidgetArea(pane), Qt::BottomDockWidgetArea);

    // A click on a heading sorts; a double-click still chooses the call of its row.
    auto *table = const_cast<QTreeView *>(calls->table());
    table->sortByColumn(0, Qt::DescendingOrder);
    const QAbstractItemModel *rows = table->model();
    const int count = rows->rowCount();
    ASSERT_GE(count, 2);
    EXPECT_EQ(rows->index(0, 0).data().toString(), QString::number(count));
    emit table->doubleClicked(rows->index(0, 4));
    const CallEntry &last = calls->calls().back();
    EXPECT_EQ(capture->document().currentFrame(), last.firstFrame);
    auto *flowPane = window->findChild<QDockWidget *>("flowPane");
    ASSERT_NE(flowPane, nullptr);
    EXPECT_NE(qobject_cast<FlowWindow *>(flowPane->widget()), nullptr);
    EXPECT_EQ(window->dockWidgetArea(flowPane), Qt::RightDockWidgetArea);

    // Calls asked for again takes the place of the pane before.
    action("&Calls...")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChildren<CallsWindow *>().size(), 1);
}

} // namespace
} // namespace qv
