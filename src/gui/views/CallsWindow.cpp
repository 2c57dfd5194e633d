#include "views/CallsWindow.h"

#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "analysis/CallFlow.h"
#include "app/BackgroundWork.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "decode/DecodedFrame.h"
#include "dialogs/OffLineFilterCommands.h"
#include "views/CaptureWindow.h"
#include "views/FlowWindow.h"
#include "views/ListModel.h"

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
        [setup = FrameSource::setupOf(capture.document())](JobControl &control) mutable {
            FrameSource source(std::move(setup));
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
        [setup = FrameSource::setupOf(capture.document()), call, layer2](JobControl &) mutable {
            FrameSource source(std::move(setup));
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
    int unanswered = 0;
    for (const CallEntry &c : calls_)
        unanswered += c.answered ? 0 : 1;
    auto *model = new ListModel(
        {tr("Call"), tr("Type"), tr("TEI"), tr("Ref"), tr("Calling"), tr("Called"), tr("Bearer"),
         tr("Channel"), tr("Start"), tr("Duration"), tr("State"), tr("Ending"), tr("Cleared by"),
         tr("Cause"), tr("Frames")},
        static_cast<int>(calls_.size()),
        [this, v5](int row, int column, int role) -> QVariant {
            const CallEntry &c = calls_[static_cast<std::size_t>(row)];
            switch (role) {
            case Qt::DisplayRole:
                return cellText(c, column, v5);
            case Qt::TextAlignmentRole:
                return column == 0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
            case Qt::ForegroundRole:
                return c.answered ? QVariant() : QVariant(QColor(0x9a, 0x30, 0x30));
            default:
                return {};
            }
        },
        this);
    table_ = new QTreeView(this);
    table_->setRootIsDecorated(false);
    table_->setUniformRowHeights(true);
    table_->setAlternatingRowColors(true);
    // A click on a heading sorts by that column.
    auto *sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(model);
    sorted->setSortRole(ListModel::kSortRole);
    table_->setModel(sorted);
    // In the order found until a heading is clicked: no sort of a long list on opening.
    table_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    for (int k = 0; k < model->columnCount(); ++k)
        table_->resizeColumnToContents(k);
    const std::size_t count = calls_.size();
    summary_ = new QLabel(tr("%1, %2 unanswered")
                              .arg(count == 1 ? tr("1 call") : tr("%1 calls").arg(count))
                              .arg(unanswered),
                          this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(summary_);
    connect(table_, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) {
        chooseRow(index.data(ListModel::kRowRole).toInt());
    });
    // Wide enough for every column, up to a size that still fits a common screen.
    int width = 2 * table_->frameWidth() + layout->contentsMargins().left() +
                layout->contentsMargins().right() +
                style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int k = 0; k < model->columnCount(); ++k)
        width += table_->columnWidth(k);
    resize(std::clamp(width, 640, 1600), 420);
}

QString CallsWindow::cellText(const CallEntry &c, int column, bool v5) const {
    switch (column) {
    case 0:
        return QString::number(c.number);
    case 1:
        return c.x25 ? QStringLiteral("X.25") : QStringLiteral("ISDN");
    case 2:
        return QString::number(c.tei);
    case 3: {
        const QString ref = c.x25
                                ? QStringLiteral("LCN 0x%1").arg(c.callRef, 3, 16, QLatin1Char('0'))
                                : QStringLiteral("0x%1").arg(c.callRef, 2, 16, QLatin1Char('0'));
        return ref.toUpper().replace(QStringLiteral("0X"), QStringLiteral("0x"));
    }
    case 4:
        return orDash(c.calling);
    case 5:
        return orDash(c.called) + (c.overlapDigits ? tr(" (overlap)") : QString());
    case 6:
        return c.x25 ? QStringLiteral("-") : orDash(c.bearer);
    case 7:
        return c.channel ? QStringLiteral("B%1").arg(c.channel) : QStringLiteral("-");
    case 8:
        return latin1(callTimeText(c.start));
    case 9:
        return latin1(callDurationText(c.durationMs()));
    case 10:
        return phaseName(c.phase) + (c.answered ? QString() : tr(", unanswered"));
    case 11:
        return endName(c.ending);
    case 12:
        return side(c.clearedBy, v5);
    case 13:
        return c.hasCause ? QStringLiteral("%1 %2").arg(c.cause).arg(latin1(c.causeText))
                          : QStringLiteral("-");
    case 14:
        return QStringLiteral("%1-%2 (%3)")
            .arg(c.firstFrame + 1)
            .arg(c.lastFrame + 1)
            .arg(c.frameCount);
    default:
        return {};
    }
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
    // call reference, and the frame stays in view as the filter shows only the call. The filter
    // of a call chosen before hides this one's frames: its call reference goes first.
    if (!call.x25 && doc.decodable() && !doc.isShown(call.firstFrame)) {
        FilterCriteria criteria = offLineCriteria(doc);
        if (criteria.callRefSet) {
            criteria.callRefSet = false;
            applyOffLineCriteria(doc, criteria, causes_);
        }
    }
    capture_->selectFrame(static_cast<int>(call.firstFrame));
    if (!call.x25 && doc.decodable())
        callRefOnSelection(doc, causes_, messages_);
    capture_->selectFrame(static_cast<int>(call.firstFrame));
    auto *flow = new FlowWindow(callFlowOf(*capture_, call, false), capture_, this);
    flow->setAttribute(Qt::WA_DeleteOnClose);
    if (flowHost_)
        flowHost_(flow);
    else
        flow->show();
    return flow;
}

} // namespace qv
