#include "views/SummaryModel.h"

#include <algorithm>

#include "app/ColourTable.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "decode/CDecoder.h"
#include "decode/LvtRecord.h"
#include "decode/SummaryCells.h"
#include "decode/SummaryFieldTable.h"

namespace qv {

namespace {

// Rows are kept as they are made; a long scroll through a large capture starts afresh.
constexpr int kCachedRows = 4096;

const QColor kBadFrameText(0x90, 0, 0);
const QColor kBadFrameBackground(0xFF, 0xD8, 0xD8);

QColor toQColor(const Rgb &rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The columns a window shows: those of the table, the V5 columns only on a capture decoded as
// V5 (only V5 decoding fills them), and there every one of them.
std::vector<int> shownColumns(const SummaryFieldTable &table, bool v5) {
    std::vector<int> shown;
    for (int column : table.columnsInDisplayOrder())
        if (SummaryFieldTable::isV5Column(column) ? v5 : table.field(column).width != 0)
            shown.push_back(column);
    return shown;
}

bool decodedAsV5(CDecodeDoc &document) {
    const DecodableObject *capture = document.decodable();
    return capture && capture->decoderKind() == DecoderKind::V5;
}

} // namespace

bool badFrame(const CDecoder &decoder) {
    const LvtRecord &record = decoder.currentRecord();
    return record.isOverflowMark() || (record.kind == kFrameRecord && record.status != 0) ||
           decoder.frame().error == kBadFcs;
}

SummaryModel::SummaryModel(CDecodeDoc &document, const SummaryFieldTable &columns,
                           const ColourTable &colours, QObject *parent)
    : FilteredRowsModel(parent), document_(document), table_(columns), colours_(colours),
      v5_(decodedAsV5(document)), columns_(shownColumns(columns, v5_)) {
    refilter();
}

void SummaryModel::refilter() {
    beginResetModel();
    cache_.clear();
    // The rows are decoded from a source of their own, with the document's decoder and filters
    // as they are now: painting a row never moves the document's current frame.
    FrameSourceSetup setup = FrameSource::setupOf(document_);
    setup.onOwnersThread = true;
    source_ = std::make_unique<FrameSource>(std::move(setup));
    if (!source_->open())
        source_.reset();
    previous_ = 0;
    restartRows(document_.filtersActive());
    endResetModel();
}

FilteredRowsModel::RowScan SummaryModel::backgroundScan() {
    // The scan reads a source of its own, with the filters as they are now.
    auto setup = std::make_shared<FrameSourceSetup>(FrameSource::setupOf(document_));
    return [setup](RowScanFeed &feed) {
        FrameSource source(std::move(*setup));
        if (!source.open())
            return;
        source.forEachShown(
            [&feed](std::uint32_t frame) {
                feed.found(frame);
                return !feed.stopped();
            },
            [&feed](std::uint64_t done, std::uint64_t) {
                feed.reached(static_cast<std::uint32_t>(done));
                return !feed.stopped();
            });
    };
}

std::uint32_t SummaryModel::itemCount() const {
    return document_.frameCount();
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
    if (source_ && isShown(source_->capture().decodeTo(previous_, index))) {
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
        // A frame received bad (FCS, abort, overflow) stands out whatever the colours.
        if (badFrame(decoder)) {
            r.text = kBadFrameText;
            r.background = kBadFrameBackground;
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
    // The direction column is headed for the capture's own kind of link.
    const int column = summaryColumn(section);
    const std::string_view title = column == SummaryFieldTable::kDirectionColumn
                                       ? SummaryFieldTable::title(column, table_.language(), v5_)
                                       : std::string_view(table_.field(column).title);
    return QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size()));
}

} // namespace qv
