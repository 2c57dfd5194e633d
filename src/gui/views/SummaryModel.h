#pragma once
// The frame summary as a Qt model over a capture document: a row per frame the filters show,
// the visible columns of the summary table in display order, texts made when a row is first
// shown and then kept. Without filters row n is frame n; with filters the rows are the frames
// shown, found in the background while the view shows those found so far, and the row header
// keeps each frame's own number.
#include <QColor>
#include <QHash>
#include <QStringList>

#include <memory>
#include <vector>

#include "capture/FrameSource.h"
#include "views/FilteredRowsModel.h"

namespace qv {

class CDecodeDoc;
class CDecoder;
class ColourTable;

// Whether the decoder's frame was received bad: a bad FCS, an abort, an overflow.
bool badFrame(const CDecoder &decoder);
class SummaryFieldTable;

class SummaryModel : public FilteredRowsModel {
    Q_OBJECT
public:
    SummaryModel(CDecodeDoc &document, const SummaryFieldTable &columns, const ColourTable &colours,
                 QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The frame of a row.
    std::uint32_t frameAt(int row) const { return itemAt(row); }
    // Starts again after the document's filters changed.
    void refilter();

    // The summary column shown at view column section.
    int summaryColumn(int section) const { return columns_[static_cast<std::size_t>(section)]; }

private:
    struct Row {
        QStringList cells;
        QColor text, background;
        bool shown = false;
    };
    const Row &row(int rowNumber) const;
    std::uint32_t itemCount() const override;
    // The filtered rows are found by a walk over a source of the scan's own.
    RowScan backgroundScan() override;

    CDecodeDoc &document_;
    std::unique_ptr<FrameSource> source_;
    const SummaryFieldTable &table_;
    const ColourTable &colours_;
    bool v5_; // the capture is decoded as V5
    std::vector<int> columns_;
    mutable QHash<int, Row> cache_;
    mutable std::uint32_t previous_ = 0;
};

} // namespace qv
