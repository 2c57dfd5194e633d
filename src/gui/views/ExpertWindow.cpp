#include "views/ExpertWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QStandardItemModel>

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "analysis/LinkAnalysis.h"
#include "app/BackgroundWork.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "views/CaptureWindow.h"
#include "views/ListModel.h"

namespace qv {

namespace {

enum Column { kSeverityColumn, kFrameColumn, kGroupColumn, kTextColumn };
constexpr int kSeverityRole = Qt::UserRole + 1;

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
    case ExpertGroup::BadFrame:
        return ExpertWindow::tr("Bad frame");
    case ExpertGroup::Layer1:
        return ExpertWindow::tr("Layer 1");
    case ExpertGroup::Clearing:
        return ExpertWindow::tr("Clearing");
    case ExpertGroup::Call:
        return ExpertWindow::tr("Call");
    case ExpertGroup::Tei:
        break;
    }
    return ExpertWindow::tr("TEI");
}

// The cells of a finding (item, the index of the finding) or of a group's heading (item -1).
QList<QStandardItem *> findingRow(Severity severity, std::uint32_t frame, const QString &group,
                                  const QString &text, int item) {
    QList<QStandardItem *> cells;
    for (const QString &shown :
         {severityName(severity), frame > 0 ? QString::number(frame) : QString(), group, text}) {
        auto *cell = new QStandardItem(shown);
        cell->setEditable(false);
        cell->setData(QColor(severityColour(severity)), Qt::BackgroundRole);
        cell->setData(item, ListModel::kRowRole);
        cell->setData(static_cast<int>(severity), kSeverityRole);
        cells << cell;
    }
    cells[kSeverityColumn]->setIcon(severityIcon(severity));
    // Sorted by rank, frame number and text.
    cells[kSeverityColumn]->setData(static_cast<int>(severity), ListModel::kSortRole);
    cells[kFrameColumn]->setData(frame, ListModel::kSortRole);
    cells[kFrameColumn]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cells[kGroupColumn]->setData(group, ListModel::kSortRole);
    cells[kTextColumn]->setData(text, ListModel::kSortRole);
    return cells;
}

} // namespace

bool ExpertWindow::SeverityFilter::filterAcceptsRow(int row, const QModelIndex &parent) const {
    // A group is shown when one of its findings is (recursive filtering asks the children).
    const QModelIndex index = sourceModel()->index(row, 0, parent);
    if (!parent.isValid())
        return false;
    return index.data(kSeverityRole).toInt() >= static_cast<int>(least_);
}

void ExpertWindow::SeverityFilter::setLeast(Severity least) {
    least_ = least;
    invalidateFilter();
}

ExpertWindow::ExpertWindow(CaptureWindow &capture, QWidget *parent)
    : QWidget(parent, Qt::Window), capture_(&capture) {
    CDecodeDoc &doc = capture.document();
    setWindowTitle(tr("Expert Information - %1").arg(QString::fromStdString(doc.pathName())));
    list_ = new QTreeView(this);
    list_->setUniformRowHeights(true);
    summary_ = new QLabel(this);
    severity_ = new QComboBox(this);
    severity_->setObjectName(QStringLiteral("severityFilter"));
    severity_->addItems({tr("All findings"), tr("Warnings and errors"), tr("Errors only")});
    auto *show = new QLabel(tr("Show:"), this);
    show->setBuddy(severity_);
    auto *bar = new QHBoxLayout;
    bar->addWidget(summary_, 1);
    bar->addWidget(show);
    bar->addWidget(severity_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(bar);

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
    // A branch per group, headed by its worst severity and its count, the findings under it in
    // frame order.
    auto *model = new QStandardItemModel(0, 4, this);
    model->setHorizontalHeaderLabels({tr("Severity"), tr("Frame"), tr("Group"), tr("Text")});
    std::map<ExpertGroup, QList<QStandardItem *>> groups;
    std::map<ExpertGroup, std::pair<Severity, int>> worst;
    for (std::size_t k = 0; k < items_.size(); ++k) {
        const ExpertItem &item = items_[k];
        auto &[severity, count] = worst.try_emplace(item.group, item.severity, 0).first->second;
        severity = std::max(severity, item.severity);
        ++count;
    }
    for (const auto &[group, seen] : worst) {
        QList<QStandardItem *> head =
            findingRow(seen.first, 0, groupName(group),
                       seen.second == 1 ? tr("1 finding") : tr("%1 findings").arg(seen.second), -1);
        for (QStandardItem *cell : head) {
            QFont bold = cell->font();
            bold.setBold(true);
            cell->setFont(bold);
        }
        model->appendRow(head);
        groups[group] = head;
    }
    for (std::size_t k = 0; k < items_.size(); ++k) {
        const ExpertItem &item = items_[k];
        groups[item.group].front()->appendRow(
            findingRow(item.severity, item.frame, groupName(item.group),
                       QString::fromStdString(item.text), static_cast<int>(k)));
    }
    // Findings of the chosen severity and above; a click on a heading sorts within the groups.
    shown_ = new SeverityFilter(this);
    shown_->setSourceModel(model);
    shown_->setSortRole(ListModel::kSortRole);
    list_->setModel(shown_);
    list_->setSortingEnabled(true);
    list_->sortByColumn(-1, Qt::AscendingOrder);
    list_->expandAll();
    for (int c = kSeverityColumn; c < kTextColumn; ++c)
        list_->resizeColumnToContents(c);
    connect(severity_, &QComboBox::currentIndexChanged, this, [this](int index) {
        shown_->setLeast(index == 2   ? Severity::Error
                         : index == 1 ? Severity::Warning
                                      : Severity::Note);
        list_->expandAll();
    });
    const std::size_t errors = analysis.count(Severity::Error);
    const std::size_t warnings = analysis.count(Severity::Warning);
    const std::size_t notes = analysis.count(Severity::Note);
    const std::size_t links = analysis.linkCount();
    summary_->setText(tr("%1, %2, %3 in %4")
                          .arg(errors == 1 ? tr("1 error") : tr("%1 errors").arg(errors))
                          .arg(warnings == 1 ? tr("1 warning") : tr("%1 warnings").arg(warnings))
                          .arg(notes == 1 ? tr("1 note") : tr("%1 notes").arg(notes))
                          .arg(links == 1 ? tr("1 data link") : tr("%1 data links").arg(links)));
    connect(list_, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) {
        activateRow(index.siblingAtColumn(0).data(ListModel::kRowRole).toInt());
    });
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
