#include "views/SummaryModel.h"

#include <algorithm>

#include "app/ColourTable.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "decode/SummaryCells.h"
#include "decode/SummaryFieldTable.h"

namespace qv {

namespace {

// Rows are kept as they are made; a long scroll through a large capture starts afresh.
constexpr int kCachedRows = 4096;
// A stretch of the filtered summary: this many rows more, looking at no more frames than
// kFetchFrames at a time.
constexpr int kFetchRows = 512;
constexpr std::uint32_t kFetchFrames = 65536;

QColor toQColor(const Rgb &rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

SummaryModel::SummaryModel(CDecodeDoc &document, const SummaryFieldTable &columns,
                           const ColourTable &colours, QObject *parent)
    : QAbstractTableModel(parent), document_(document), table_(columns), colours_(colours),
      columns_(columns.visibleColumnsInDisplayOrder()) {
    refilter();
}

void SummaryModel::refilter() {
    beginResetModel();
    cache_.clear();
    // The rows are decoded from a source of their own, with the document's decoder and filters
    // as they are now: painting a row never moves the document's current frame.
    FrameSourceSpec spec = FrameSource::specOf(document_);
    spec.onOwnersThread = true;
    source_ = std::make_unique<FrameSource>(std::move(spec));
    if (!source_->open())
        source_.reset();
    previous_ = 0;
    filtered_ = document_.filtersActive();
    frames_.clear();
    scanned_ = 0;
    complete_ = !filtered_;
    if (filtered_)
        frames_ = scan(kFetchRows, kFetchFrames);
    endResetModel();
}

int SummaryModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid())
        return 0;
    return filtered_ ? static_cast<int>(frames_.size()) : static_cast<int>(document_.frameCount());
}

bool SummaryModel::shown(std::uint32_t frame) const {
    if (!source_)
        return false;
    const int answer = source_->capture().decodeTo(previous_, frame);
    if (answer == kDecodeToOutOfRange || answer == kDecodeToBeyondLastPassing)
        return false;
    previous_ = frame;
    return true;
}

std::vector<std::uint32_t> SummaryModel::scan(int rows, std::uint32_t limit) {
    std::vector<std::uint32_t> found;
    const std::uint32_t count = document_.frameCount();
    const std::uint32_t end = count - scanned_ > limit ? scanned_ + limit : count;
    while (scanned_ < end && found.size() < static_cast<std::size_t>(rows)) {
        const std::uint32_t frame = scanned_++;
        if (shown(frame)) {
            found.push_back(frame);
        } else if (source_ && source_->capture().endReached() &&
                   frame >= source_->capture().lastPassing()) {
            scanned_ = count; // nothing after it passes
        }
    }
    complete_ = scanned_ >= count;
    return found;
}

bool SummaryModel::canFetchMore(const QModelIndex &parent) const {
    return !parent.isValid() && !complete_;
}

void SummaryModel::fetchMore(const QModelIndex &parent) {
    if (parent.isValid() || complete_)
        return;
    const std::vector<std::uint32_t> found = scan(kFetchRows, kFetchFrames);
    if (found.empty())
        return;
    const int first = static_cast<int>(frames_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(found.size()) - 1);
    frames_.insert(frames_.end(), found.begin(), found.end());
    endInsertRows();
}

std::uint32_t SummaryModel::frameAt(int row) const {
    if (row < 0)
        return 0;
    if (!filtered_)
        return static_cast<std::uint32_t>(row);
    return static_cast<std::size_t>(row) < frames_.size() ? frames_[static_cast<std::size_t>(row)]
                                                          : 0;
}

int SummaryModel::rowOf(std::uint32_t frame) {
    if (!filtered_)
        return frame < document_.frameCount() ? static_cast<int>(frame) : -1;
    while (!complete_ && scanned_ <= frame)
        fetchMore(QModelIndex());
    const auto it = std::lower_bound(frames_.begin(), frames_.end(), frame);
    return it != frames_.end() && *it == frame ? static_cast<int>(it - frames_.begin()) : -1;
}

int SummaryModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const SummaryModel::Row &SummaryModel::row(int rowNumber) const {
    const int frame = static_cast<int>(frameAt(rowNumber));
    auto it = cache_.find(frame);
    if (it != cache_.end())
        return *it;
    if (cache_.size() >= kCachedRows)
        cache_.clear();
    Row r;
    const auto index = static_cast<std::uint32_t>(frame);
    const int answer =
        source_ ? source_->capture().decodeTo(previous_, index) : kDecodeToOutOfRange;
    if (answer != kDecodeToOutOfRange && answer != kDecodeToBeyondLastPassing) {
        previous_ = index;
        CDecoder &decoder = source_->decoder();
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
        return static_cast<qulonglong>(frameAt(section)) + 1;
    const SummaryField &field = table_.field(summaryColumn(section));
    return QString::fromLatin1(field.title.data(), static_cast<qsizetype>(field.title.size()));
}

} // namespace qv
