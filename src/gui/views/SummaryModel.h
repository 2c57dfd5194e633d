#pragma once
// The frame summary as a Qt model over a capture document: a row per frame, the visible columns
// of the summary table in display order, texts made when a row is first shown and then kept.
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QStringList>

#include <vector>

namespace qv {

class CDecodeDoc;
class ColourTable;
class SummaryFieldTable;

class SummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SummaryModel(CDecodeDoc &document, const SummaryFieldTable &columns,
                 const ColourTable &colours, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The summary column shown at view column section.
    int summaryColumn(int section) const { return columns_[static_cast<std::size_t>(section)]; }

private:
    struct Row {
        QStringList cells;
        QColor text, background;
        bool shown = false;
    };
    const Row &row(int frame) const;

    CDecodeDoc &document_;
    const SummaryFieldTable &table_;
    const ColourTable &colours_;
    std::vector<int> columns_;
    mutable QHash<int, Row> cache_;
    mutable std::uint32_t previous_ = 0;
};

} // namespace qv
