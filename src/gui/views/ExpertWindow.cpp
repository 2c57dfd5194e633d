#include "views/ExpertWindow.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>

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

// The findings under their groups, made row by row as the view asks: a capture may have tens of
// thousands of them. A group's rows are the indexes of its findings in frame order.
class FindingsModel : public QAbstractItemModel {
public:
    struct Group {
        ExpertGroup group;
        Severity worst;
        std::vector<int> items;
    };
    FindingsModel(const std::vector<ExpertItem> &items, std::vector<Group> groups, QObject *parent)
        : QAbstractItemModel(parent), items_(items), groups_(std::move(groups)) {}

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override {
        if (column < 0 || column > kTextColumn || row < 0)
            return {};
        if (!parent.isValid())
            return row < static_cast<int>(groups_.size()) ? createIndex(row, column, kTop)
                                                          : QModelIndex();
        if (parent.internalId() != kTop || parent.column() != 0 ||
            row >= static_cast<int>(groups_[static_cast<std::size_t>(parent.row())].items.size()))
            return {};
        return createIndex(row, column, static_cast<quintptr>(parent.row()));
    }
    QModelIndex parent(const QModelIndex &child) const override {
        if (!child.isValid() || child.internalId() == kTop)
            return {};
        return createIndex(static_cast<int>(child.internalId()), 0, kTop);
    }
    int rowCount(const QModelIndex &parent = {}) const override {
        if (!parent.isValid())
            return static_cast<int>(groups_.size());
        if (parent.internalId() == kTop && parent.column() == 0)
            return static_cast<int>(groups_[static_cast<std::size_t>(parent.row())].items.size());
        return 0;
    }
    int columnCount(const QModelIndex & = {}) const override { return kTextColumn + 1; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        const QString titles[] = {ExpertWindow::tr("Severity"), ExpertWindow::tr("Frame"),
                                  ExpertWindow::tr("Group"), ExpertWindow::tr("Text")};
        return section >= 0 && section <= kTextColumn ? titles[section] : QString();
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid())
            return {};
        const bool heading = index.internalId() == kTop;
        const Group &group = groups_[heading ? static_cast<std::size_t>(index.row())
                                             : static_cast<std::size_t>(index.internalId())];
        const int item = heading ? -1 : group.items[static_cast<std::size_t>(index.row())];
        const ExpertItem *finding = item >= 0 ? &items_[static_cast<std::size_t>(item)] : nullptr;
        const Severity severity = finding ? finding->severity : group.worst;
        const int column = index.column();
        auto shown = [&]() -> QString {
            switch (column) {
            case kSeverityColumn:
                return severityName(severity);
            case kFrameColumn:
                return finding ? QString::number(finding->frame) : QString();
            case kGroupColumn:
                return groupName(group.group);
            default:
                if (finding)
                    return QString::fromStdString(finding->text);
                return group.items.size() == 1
                           ? ExpertWindow::tr("1 finding")
                           : ExpertWindow::tr("%1 findings").arg(group.items.size());
            }
        };
        switch (role) {
        case Qt::DisplayRole:
            return shown();
        case Qt::DecorationRole:
            return column == kSeverityColumn ? QVariant(severityIcon(severity)) : QVariant();
        case Qt::BackgroundRole:
            return severityColour(severity);
        case Qt::TextAlignmentRole:
            return column == kFrameColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                          : QVariant();
        case Qt::FontRole: {
            if (!heading)
                return {};
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        case ListModel::kRowRole:
            return item;
        case kSeverityRole:
            return static_cast<int>(severity);
        case ListModel::kSortRole:
            // Sorted by rank, frame number and text.
            return column == kSeverityColumn ? QVariant(static_cast<int>(severity))
                   : column == kFrameColumn  ? QVariant(finding ? finding->frame : 0u)
                                             : QVariant(shown());
        default:
            return {};
        }
    }

private:
    static constexpr quintptr kTop = ~quintptr(0);
    const std::vector<ExpertItem> &items_;
    std::vector<Group> groups_;
};

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
    std::map<ExpertGroup, FindingsModel::Group> groups;
    for (std::size_t k = 0; k < items_.size(); ++k) {
        const ExpertItem &item = items_[k];
        auto [at, fresh] =
            groups.try_emplace(item.group, FindingsModel::Group{item.group, item.severity, {}});
        at->second.worst = std::max(at->second.worst, item.severity);
        at->second.items.push_back(static_cast<int>(k));
    }
    std::vector<FindingsModel::Group> ordered;
    for (auto &[group, entry] : groups)
        ordered.push_back(std::move(entry));
    auto *model = new FindingsModel(items_, std::move(ordered), this);
    // Findings of the chosen severity and above; a click on a heading sorts within the groups.
    shown_ = new SeverityFilter(this);
    shown_->setSourceModel(model);
    shown_->setSortRole(ListModel::kSortRole);
    list_->setModel(shown_);
    // In the order found until a heading is clicked: no sort of a long list on opening.
    list_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    list_->setSortingEnabled(true);
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
