#include "views/CallsWindow.h"

#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "analysis/CallFlow.h"
#include "app/BackgroundWork.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "decode/DecodedFrame.h"
#include "dialogs/OffLineFilterCommands.h"
#include "views/CaptureWindow.h"
#include "views/FlowWindow.h"

namespace qv {

namespace {

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}

QString side(std::uint8_t direction, bool v5) {
    if (direction == 0)
        return QStringLiteral("-");
    if (direction == kDirectionTeNt)
        return v5 ? QStringLiteral("AN") : QStringLiteral("TE");
    return v5 ? QStringLiteral("LE") : QStringLiteral("NT");
}

QString phaseName(CallPhase phase) {
    switch (phase) {
    case CallPhase::Setup:
        return CallsWindow::tr("setup");
    case CallPhase::Overlap:
        return CallsWindow::tr("overlap");
    case CallPhase::Proceeding:
        return CallsWindow::tr("proceeding");
    case CallPhase::Alerting:
        return CallsWindow::tr("alerting");
    case CallPhase::Connected:
        return CallsWindow::tr("connected");
    case CallPhase::Disconnecting:
        return CallsWindow::tr("disconnecting");
    case CallPhase::Released:
        break;
    }
    return CallsWindow::tr("released");
}

QString endName(CallEnd end) {
    switch (end) {
    case CallEnd::Open:
        return CallsWindow::tr("open");
    case CallEnd::Released:
        return CallsWindow::tr("released");
    case CallEnd::Restart:
        return CallsWindow::tr("restart");
    case CallEnd::LinkReleased:
        return CallsWindow::tr("link released");
    case CallEnd::LineDown:
        break;
    }
    return CallsWindow::tr("line down");
}

QString orDash(const std::string &text) {
    return text.empty() ? QStringLiteral("-") : latin1(text);
}

} // namespace

std::optional<std::vector<CallEntry>> findCalls(CaptureWindow &capture) {
    if (!capture.document().decodable())
        return std::vector<CallEntry>{};
    return runInBackground(
        &capture, CallsWindow::tr("Finding the calls"),
        [spec = FrameSource::specOf(capture.document())](JobControl &control) mutable {
            FrameSource source(std::move(spec));
            std::vector<CallEntry> calls;
            buildCallList(source, calls, control.progress());
            return calls;
        });
}

CallFlow callFlowOf(CaptureWindow &capture, const CallEntry &call, bool layer2) {
    if (!capture.document().decodable())
        return {};
    std::optional<CallFlow> flow = runInBackground(
        &capture, CallsWindow::tr("Drawing the call flow"),
        [spec = FrameSource::specOf(capture.document()), call, layer2](JobControl &) mutable {
            FrameSource source(std::move(spec));
            CallFlow made;
            buildCallFlow(source, call, FlowOptions{layer2}, made);
            return made;
        });
    return flow ? std::move(*flow) : CallFlow{};
}

CallsWindow::CallsWindow(CaptureWindow &capture, const CauseList *causes, UserMessages &messages,
                         QWidget *parent)
    : QWidget(parent, Qt::Window), capture_(&capture), causes_(causes), messages_(messages) {
    CDecodeDoc &doc = capture.document();
    setWindowTitle(tr("Calls - %1").arg(QString::fromStdString(doc.pathName())));
    const bool v5 = doc.decodable() && doc.decodable()->decoderKind() == DecoderKind::V5;
    std::optional<std::vector<CallEntry>> found = findCalls(capture);
    complete_ = found.has_value();
    if (found)
        calls_ = std::move(*found);
    table_ = new QTreeWidget(this);
    table_->setRootIsDecorated(false);
    table_->setUniformRowHeights(true);
    table_->setAlternatingRowColors(true);
    table_->setHeaderLabels({tr("Call"), tr("Type"), tr("TEI"), tr("Ref"), tr("Calling"),
                             tr("Called"), tr("Bearer"), tr("Channel"), tr("Start"), tr("Duration"),
                             tr("State"), tr("Ending"), tr("Cleared by"), tr("Cause"),
                             tr("Frames")});
    QList<QTreeWidgetItem *> rows;
    int unanswered = 0;
    for (const CallEntry &c : calls_) {
        auto *row = new QTreeWidgetItem;
        QString called = orDash(c.called);
        if (c.overlapDigits)
            called += tr(" (overlap)");
        const QString ref = c.x25
                                ? QStringLiteral("LCN 0x%1").arg(c.callRef, 3, 16, QLatin1Char('0'))
                                : QStringLiteral("0x%1").arg(c.callRef, 2, 16, QLatin1Char('0'));
        const QStringList cells = {
            QString::number(c.number),
            c.x25 ? QStringLiteral("X.25") : QStringLiteral("ISDN"),
            QString::number(c.tei),
            ref.toUpper().replace(QStringLiteral("0X"), QStringLiteral("0x")),
            orDash(c.calling),
            called,
            c.x25 ? QStringLiteral("-") : orDash(c.bearer),
            c.channel ? QStringLiteral("B%1").arg(c.channel) : QStringLiteral("-"),
            latin1(callTimeText(c.start)),
            latin1(callDurationText(c.durationMs())),
            phaseName(c.phase) + (c.answered ? QString() : tr(", unanswered")),
            endName(c.ending),
            side(c.clearedBy, v5),
            c.hasCause ? QStringLiteral("%1 %2").arg(c.cause).arg(latin1(c.causeText))
                       : QStringLiteral("-"),
            QStringLiteral("%1-%2 (%3)")
                .arg(c.firstFrame + 1)
                .arg(c.lastFrame + 1)
                .arg(c.frameCount)};
        for (int k = 0; k < cells.size(); ++k)
            row->setText(k, cells[k]);
        row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        if (!c.answered) {
            ++unanswered;
            for (int k = 0; k < cells.size(); ++k)
                row->setForeground(k, QColor(0x9a, 0x30, 0x30));
        }
        rows.append(row);
    }
    table_->addTopLevelItems(rows);
    for (int k = 0; k < table_->columnCount(); ++k)
        table_->resizeColumnToContents(k);
    const std::size_t count = calls_.size();
    summary_ = new QLabel(tr("%1, %2 unanswered")
                              .arg(count == 1 ? tr("1 call") : tr("%1 calls").arg(count))
                              .arg(unanswered),
                          this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(summary_);
    connect(table_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item, int) { chooseRow(table_->indexOfTopLevelItem(item)); });
    // Wide enough for every column, up to a size that still fits a common screen.
    int width = 2 * table_->frameWidth() + layout->contentsMargins().left() +
                layout->contentsMargins().right() +
                style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int k = 0; k < table_->columnCount(); ++k)
        width += table_->columnWidth(k);
    resize(std::clamp(width, 640, 1600), 420);
}

QString CallsWindow::summaryText() const {
    return summary_->text();
}

FlowWindow *CallsWindow::chooseRow(int row) {
    if (row < 0 || row >= static_cast<int>(calls_.size()) || !capture_)
        return nullptr;
    const CallEntry &call = calls_[static_cast<std::size_t>(row)];
    CDecodeDoc &doc = capture_->document();
    // The filter goes on while the call's first frame is the current one: it takes that frame's
    // call reference, and the frame stays in view as the filter shows only the call.
    capture_->selectFrame(static_cast<int>(call.firstFrame));
    if (!call.x25 && doc.decodable())
        callRefOnSelection(doc, causes_, messages_);
    capture_->selectFrame(static_cast<int>(call.firstFrame));
    auto *flow = new FlowWindow(callFlowOf(*capture_, call, false), capture_, this);
    flow->setAttribute(Qt::WA_DeleteOnClose);
    flow->show();
    return flow;
}

} // namespace qv
