#include "views/SummaryModel.h"

#include "app/ColourTable.h"
#include "capture/CDecodeDoc.h"
#include "decode/SummaryCells.h"
#include "decode/SummaryFieldTable.h"

namespace qv {

namespace {

// Rows are kept as they are made; a long scroll through a large capture starts afresh.
constexpr int kCachedRows = 4096;

QColor toQColor(const Rgb &rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

} // namespace

SummaryModel::SummaryModel(CDecodeDoc &document, const SummaryFieldTable &columns,
                           const ColourTable &colours, QObject *parent)
    : QAbstractTableModel(parent), document_(document), table_(columns), colours_(colours),
      columns_(columns.visibleColumnsInDisplayOrder()) {}

int SummaryModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(document_.frameCount());
}

int SummaryModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const SummaryModel::Row &SummaryModel::row(int frame) const {
    auto it = cache_.find(frame);
    if (it != cache_.end())
        return *it;
    if (cache_.size() >= kCachedRows)
        cache_.clear();
    Row r;
    DecodableObject *decodable = document_.decodable();
    const auto index = static_cast<std::uint32_t>(frame);
    // Painting rows is not moving the current frame: the status bar keeps its frame number.
    DocumentStatus *status = decodable ? decodable->status() : nullptr;
    if (decodable)
        decodable->setStatus(nullptr);
    const int answer = decodable ? decodable->decodeTo(previous_, index) : kDecodeToOutOfRange;
    if (decodable)
        decodable->setStatus(status);
    if (answer != kDecodeToOutOfRange && answer != kDecodeToBeyondLastPassing) {
        previous_ = index;
        CDecoder &decoder = *decodable->decoder();
        std::string cell;
        for (int column : columns_) {
            summaryCellText(decoder, column, index, cell);
            r.cells << QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size()));
        }
        if (colours_.usesColours()) {
            Rgb text, background;
            colours_.rowColours(decoder.LayerCategory(), text, background);
            r.text = toQColor(text);
            r.background = toQColor(background);
        }
        r.shown = true;
    }
    return *cache_.insert(frame, r);
}

QVariant SummaryModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const Row &r = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return r.shown ? r.cells.value(index.column()) : QString();
    case Qt::ForegroundRole:
        return r.text.isValid() ? QVariant(r.text) : QVariant();
    case Qt::BackgroundRole:
        return r.background.isValid() ? QVariant(r.background) : QVariant();
    default:
        return {};
    }
}

QVariant SummaryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const SummaryField &field = table_.field(summaryColumn(section));
    return QString::fromLatin1(field.title.data(), static_cast<qsizetype>(field.title.size()));
}

} // namespace qv
