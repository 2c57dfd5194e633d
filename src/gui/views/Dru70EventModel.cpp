#include "views/Dru70EventModel.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>
#include <string>

#include "app/ColourTable.h"
#include "capture/CDru70Doc.h"
#include "capture/Dru70Columns.h"

namespace qv {

namespace {

// Rows are kept as they are made; a long scroll through a large file starts afresh.
constexpr int kCachedRows = 4096;
// A stretch of the filtered list: this many rows more, looking at no more events than
// kFetchEvents at a time.
constexpr int kFetchRows = 512;
constexpr std::uint32_t kFetchEvents = 65536;

// By column index, as Dru70Columns numbers them.
constexpr const char *kTitles[kDru70ColumnCount] = {
    QT_TRANSLATE_NOOP("qv::Dru70EventModel", "Number"),
    QT_TRANSLATE_NOOP("qv::Dru70EventModel", "Date"),
    QT_TRANSLATE_NOOP("qv::Dru70EventModel", "Time"),
    QT_TRANSLATE_NOOP("qv::Dru70EventModel", "NT - LT"),
    QT_TRANSLATE_NOOP("qv::Dru70EventModel", "Events"),
    QT_TRANSLATE_NOOP("qv::Dru70EventModel", "EOC"),
    QT_TRANSLATE_NOOP("qv::Dru70EventModel", "Comments"),
};

QColor toQColor(const Rgb &rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QString latin1(const std::string &text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString dru70ColumnTitle(int column) {
    if (column < 0 || column >= kDru70ColumnCount)
        return QStringLiteral("?");
    return QCoreApplication::translate("qv::Dru70EventModel",
                                       kTitles[static_cast<std::size_t>(column)]);
}

void Dru70Messages::show(const std::string &text, const std::string &caption, MessageIcon icon) {
    if (asides_ == 0)
        user_.show(text, caption, icon);
}

MessageAnswer Dru70Messages::ask(const std::string &text, const std::string &caption,
                                 MessageButtons buttons, MessageAnswer defaultAnswer) {
    return asides_ == 0 ? user_.ask(text, caption, buttons, defaultAnswer) : defaultAnswer;
}

Dru70Aside::Dru70Aside(CDru70Decode &reader, Dru70Messages &messages)
    : reader_(reader), messages_(messages) {
    if (messages_.asides_++ > 0)
        return;
    status_ = reader_.status();
    reader_.setStatus(nullptr);
    reader_.Hold(reader_.raw(), reader_.event());
}

Dru70Aside::~Dru70Aside() {
    if (--messages_.asides_ > 0)
        return;
    reader_.Restore();
    reader_.setStatus(status_);
}

Dru70EventModel::Dru70EventModel(CDru70Doc &document, Dru70Messages &messages,
                                 const Dru70Columns &columns, const ColourTable &colours,
                                 QObject *parent)
    : QAbstractTableModel(parent), document_(document), messages_(messages), layout_(columns),
      colours_(colours), columns_(columns.shownInDisplayOrder()) {
    refilter();
}

void Dru70EventModel::takeColumns() {
    beginResetModel();
    columns_ = layout_.shownInDisplayOrder();
    cache_.clear();
    endResetModel();
}

void Dru70EventModel::refilter() {
    beginResetModel();
    cache_.clear();
    const CDru70Decode *reader = document_.reader();
    filtered_ = reader && reader->filter().IsActive();
    events_.clear();
    scanned_ = 0;
    complete_ = !filtered_;
    foundEvent_ = -1;
    if (filtered_)
        events_ = scan(kFetchRows, kFetchEvents);
    endResetModel();
}

void Dru70EventModel::refreshRows() {
    cache_.clear();
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int Dru70EventModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid())
        return 0;
    const std::size_t rows = filtered_ ? events_.size() : document_.eventCount();
    return static_cast<int>(std::min<std::size_t>(rows, INT_MAX));
}

int Dru70EventModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

std::vector<std::uint32_t> Dru70EventModel::scan(int rows, std::uint32_t limit) {
    std::vector<std::uint32_t> found;
    CDru70Decode *reader = document_.reader();
    const std::uint32_t count = document_.eventCount();
    if (!reader) {
        complete_ = true;
        return found;
    }
    Dru70Aside aside(*reader, messages_);
    const std::uint32_t end = count - scanned_ > limit ? scanned_ + limit : count;
    while (scanned_ < end && found.size() < static_cast<std::size_t>(rows)) {
        const std::uint32_t event = scanned_++;
        if (reader->Fetch(event, event) == kDruFetchShown)
            found.push_back(event);
    }
    complete_ = scanned_ >= count;
    return found;
}

bool Dru70EventModel::canFetchMore(const QModelIndex &parent) const {
    return !parent.isValid() && !complete_;
}

void Dru70EventModel::fetchMore(const QModelIndex &parent) {
    if (parent.isValid() || complete_)
        return;
    const std::vector<std::uint32_t> found = scan(kFetchRows, kFetchEvents);
    if (found.empty())
        return;
    const int first = static_cast<int>(events_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(found.size()) - 1);
    events_.insert(events_.end(), found.begin(), found.end());
    endInsertRows();
}

std::uint32_t Dru70EventModel::eventAt(int row) const {
    if (row < 0)
        return 0;
    if (!filtered_)
        return static_cast<std::uint32_t>(row);
    return static_cast<std::size_t>(row) < events_.size() ? events_[static_cast<std::size_t>(row)]
                                                          : 0;
}

int Dru70EventModel::rowOf(std::uint32_t event) {
    if (!filtered_)
        return event < document_.eventCount() ? static_cast<int>(event) : -1;
    while (!complete_ && scanned_ <= event)
        fetchMore(QModelIndex());
    const auto it = std::lower_bound(events_.begin(), events_.end(), event);
    return it != events_.end() && *it == event ? static_cast<int>(it - events_.begin()) : -1;
}

int Dru70EventModel::nearestRow(std::uint32_t event) {
    if (!filtered_) {
        const std::uint32_t count = document_.eventCount();
        return count == 0 ? -1 : static_cast<int>(std::min(event, count - 1));
    }
    // The rows up to the first shown event after this one, when there is one.
    rowOf(event);
    while (!complete_ && (events_.empty() || events_.back() <= event))
        fetchMore(QModelIndex());
    const auto after = std::lower_bound(events_.begin(), events_.end(), event);
    if (after != events_.end() && *after == event)
        return static_cast<int>(after - events_.begin());
    const bool haveAfter = after != events_.end();
    const bool haveBefore = after != events_.begin();
    if (!haveAfter && !haveBefore)
        return -1;
    const auto chosen =
        !haveBefore || (haveAfter && *after - event <= event - *(after - 1)) ? after : after - 1;
    return static_cast<int>(chosen - events_.begin());
}

int Dru70EventModel::columnAt(int section) const {
    return section >= 0 && static_cast<std::size_t>(section) < columns_.size()
               ? columns_[static_cast<std::size_t>(section)]
               : -1;
}

int Dru70EventModel::sectionOf(int column) const {
    const auto it = std::find(columns_.begin(), columns_.end(), column);
    return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

void Dru70EventModel::markFound(std::int64_t event, int column) {
    auto repaint = [this](std::int64_t e) {
        if (e < 0)
            return;
        int r = -1;
        if (!filtered_) {
            r = e < rowCount() ? static_cast<int>(e) : -1;
        } else {
            const auto it =
                std::lower_bound(events_.begin(), events_.end(), static_cast<std::uint32_t>(e));
            if (it != events_.end() && *it == e)
                r = static_cast<int>(it - events_.begin());
        }
        if (r >= 0 && columnCount() > 0)
            emit dataChanged(index(r, 0), index(r, columnCount() - 1));
    };
    const std::int64_t before = foundEvent_;
    foundEvent_ = event;
    foundColumn_ = column;
    repaint(before);
    if (event != before)
        repaint(event);
}

const Dru70EventModel::Row &Dru70EventModel::row(int rowNumber) const {
    const std::uint32_t event = eventAt(rowNumber);
    if (auto it = cache_.constFind(event); it != cache_.cend())
        return *it;
    if (cache_.size() >= kCachedRows)
        cache_.clear();
    Row r;
    if (CDru70Decode *reader = document_.reader()) {
        Dru70Aside aside(*reader, messages_);
        const bool decoded = reader->Decode(event) == kDruOk;
        std::string cell;
        for (int column : columns_) {
            // A damaged event keeps its number; what cannot be read shows as "?".
            if (decoded)
                reader->Cell(column, false, cell);
            else
                cell = column == kDruNumber ? std::to_string(event) : "?";
            r.cells << latin1(cell);
        }
        if (decoded && colours_.usesColours()) {
            switch (reader->event().direction) {
            case 1: // from the network: LT to NT
                r.text = toQColor(colours_.colour(kTxtLtNt));
                r.background = toQColor(colours_.colour(kBkLtNt));
                break;
            case 2: // from the NT1: NT to LT
                r.text = toQColor(colours_.colour(kTxtNtLt));
                r.background = toQColor(colours_.colour(kBkNtLt));
                break;
            default:
                r.text = Qt::black;
                r.background = Qt::white;
                break;
            }
        }
    }
    return *cache_.insert(event, r);
}

QVariant Dru70EventModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const Row &r = row(index.row());
    const bool found = foundEvent_ >= 0 && eventAt(index.row()) == foundEvent_ &&
                       columnAt(index.column()) == foundColumn_;
    switch (role) {
    case Qt::DisplayRole:
        return r.cells.value(index.column());
    case Qt::ForegroundRole:
        if (found)
            return colours_.usesColours() ? toQColor(colours_.colour(kTxtFindItem))
                                          : QColor(Qt::white);
        return r.text.isValid() ? QVariant(r.text) : QVariant();
    case Qt::BackgroundRole:
        if (found)
            return colours_.usesColours() ? toQColor(colours_.colour(kBkgFindItem))
                                          : QColor(Qt::red);
        return r.background.isValid() ? QVariant(r.background) : QVariant();
    default:
        return {};
    }
}

QVariant Dru70EventModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return dru70ColumnTitle(columnAt(section));
}

} // namespace qv
