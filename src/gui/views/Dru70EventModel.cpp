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
    : FilteredRowsModel(parent), document_(document), messages_(messages), layout_(columns),
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
    foundEvent_ = -1;
    restartRows(reader && reader->filter().IsActive());
    endResetModel();
}

void Dru70EventModel::refreshRows() {
    cache_.clear();
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int Dru70EventModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

std::uint32_t Dru70EventModel::itemCount() const {
    return document_.reader() ? document_.eventCount() : 0;
}

void Dru70EventModel::stretchStarts() {
    if (CDru70Decode *reader = document_.reader())
        aside_.emplace(*reader, messages_);
}

void Dru70EventModel::stretchEnds() {
    aside_.reset();
}

bool Dru70EventModel::itemShown(std::uint32_t event, bool &) {
    CDru70Decode *reader = document_.reader();
    return reader && reader->Fetch(event, event) == kDruFetchShown;
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
        const int r = loadedRowOf(static_cast<std::uint32_t>(e));
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
