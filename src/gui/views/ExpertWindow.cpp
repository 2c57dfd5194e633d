#include "views/ExpertWindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "analysis/LinkAnalysis.h"
#include "app/BackgroundWork.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "views/CaptureWindow.h"
#include "views/ListModel.h"

namespace qv {

namespace {

enum Column { kSeverityColumn, kFrameColumn, kGroupColumn, kTextColumn };

QIcon severityIcon(Severity severity) {
    const QStyle::StandardPixmap pixmap =
        severity == Severity::Error     ? QStyle::SP_MessageBoxCritical
        : severity == Severity::Warning ? QStyle::SP_MessageBoxWarning
                                        : QStyle::SP_MessageBoxInformation;
    return QApplication::style()->standardIcon(pixmap);
}

// Pale backgrounds, so that the text stays readable in every colour.
QColor severityColour(Severity severity) {
    return severity == Severity::Error     ? QColor(255, 214, 214)
           : severity == Severity::Warning ? QColor(255, 240, 200)
                                           : QColor(222, 236, 255);
}

QString severityName(Severity severity) {
    return severity == Severity::Error     ? ExpertWindow::tr("Error")
           : severity == Severity::Warning ? ExpertWindow::tr("Warning")
                                           : ExpertWindow::tr("Note");
}

QString groupName(ExpertGroup group) {
    switch (group) {
    case ExpertGroup::Sequence:
        return ExpertWindow::tr("Sequence");
    case ExpertGroup::Retransmission:
        return ExpertWindow::tr("Retransmission");
    case ExpertGroup::Timer:
        return ExpertWindow::tr("Timer");
    case ExpertGroup::Link:
        return ExpertWindow::tr("Link");
    case ExpertGroup::Tei:
        break;
    }
    return ExpertWindow::tr("TEI");
}

} // namespace

ExpertWindow::ExpertWindow(CaptureWindow &capture, QWidget *parent)
    : QWidget(parent, Qt::Window), capture_(&capture) {
    CDecodeDoc &doc = capture.document();
    setWindowTitle(tr("Expert Information - %1").arg(QString::fromStdString(doc.pathName())));
    list_ = new QTreeView(this);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    summary_ = new QLabel(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(summary_);

    const bool v5 = doc.decodable() && doc.decodable()->decoderKind() == DecoderKind::V5;
    std::optional<LinkAnalysis> found;
    if (doc.decodable())
        found =
            runInBackground(&capture, tr("Analysing the data links"),
                            [setup = FrameSource::setupOf(doc), v5](JobControl &control) mutable {
                                FrameSource source(std::move(setup));
                                LinkAnalysis made(v5);
                                analyseLinks(source, made, control.progress());
                                return made;
                            });
    else
        found.emplace(v5);
    complete_ = found.has_value();
    const LinkAnalysis analysis = found ? std::move(*found) : LinkAnalysis(v5);
    items_ = analysis.items();
    auto *model = new ListModel(
        {tr("Severity"), tr("Frame"), tr("Group"), tr("Text")}, static_cast<int>(items_.size()),
        [this](int row, int column, int role) -> QVariant {
            const ExpertItem &item = items_[static_cast<std::size_t>(row)];
            switch (role) {
            case Qt::DisplayRole:
                return column == kSeverityColumn ? severityName(item.severity)
                       : column == kFrameColumn  ? QString::number(item.frame)
                       : column == kGroupColumn  ? groupName(item.group)
                                                 : QString::fromStdString(item.text);
            case Qt::DecorationRole:
                return column == kSeverityColumn ? QVariant(severityIcon(item.severity))
                                                 : QVariant();
            case Qt::TextAlignmentRole:
                return column == kFrameColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                              : QVariant();
            case Qt::BackgroundRole:
                return severityColour(item.severity);
            default:
                return {};
            }
        },
        this);
    list_->setModel(model);
    for (int c = kSeverityColumn; c < kTextColumn; ++c)
        list_->resizeColumnToContents(c);
    const std::size_t errors = analysis.count(Severity::Error);
    const std::size_t warnings = analysis.count(Severity::Warning);
    const std::size_t notes = analysis.count(Severity::Note);
    const std::size_t links = analysis.linkCount();
    summary_->setText(tr("%1, %2, %3 in %4")
                          .arg(errors == 1 ? tr("1 error") : tr("%1 errors").arg(errors))
                          .arg(warnings == 1 ? tr("1 warning") : tr("%1 warnings").arg(warnings))
                          .arg(notes == 1 ? tr("1 note") : tr("%1 notes").arg(notes))
                          .arg(links == 1 ? tr("1 data link") : tr("%1 data links").arg(links)));
    connect(list_, &QTreeView::doubleClicked, this,
            [this](const QModelIndex &index) { activateRow(index.row()); });
    resize(sizeHint());
}

QString ExpertWindow::summaryText() const {
    return summary_->text();
}

void ExpertWindow::activateRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= items_.size() || !capture_)
        return;
    const std::uint32_t frame = items_[static_cast<std::size_t>(row)].frame;
    if (frame > 0)
        capture_->selectFrame(static_cast<int>(frame) - 1);
}

} // namespace qv
