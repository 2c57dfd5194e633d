#pragma once
// The rows of a list of numbered items (a capture's frames, a DRU-70 file's events) as the
// filters show them. Without filters every item is a row. With filters the rows are found in
// stretches, a few hundred rows at a time, looking at no more than a limited number of items
// each time, so that a view of a large file stays quick however much the filters hide.
#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace qv {

class FilteredRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    int rowCount(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The item of a row, and the row of an item (-1 when the filters hide it).
    std::uint32_t itemAt(int row) const;
    int rowOf(std::uint32_t item);
    // The row of item among the rows found so far; -1 when it has none yet.
    int loadedRowOf(std::uint32_t item) const;
    // The row of item, else of the shown item nearest to it (the later one of two as near); -1
    // when no item is shown.
    int nearestRow(std::uint32_t item);

protected:
    using QAbstractTableModel::QAbstractTableModel;

    // The rows start again: every item, or the items the filters show when filtered. Called
    // within a reset of the model.
    void restartRows(bool filtered);
    virtual std::uint32_t itemCount() const = 0;
    // Whether the filters show item; nothingAfter when no item after it can be shown.
    virtual bool itemShown(std::uint32_t item, bool &nothingAfter) = 0;
    // Around the look at a stretch of items.
    virtual void stretchStarts() {}
    virtual void stretchEnds() {}

private:
    // The next shown items: up to rows of them, looking at no more than limit items.
    std::vector<std::uint32_t> scan(int rows, std::uint32_t limit);

    bool filtered_ = false;
    std::vector<std::uint32_t> items_; // filtered: the items shown so far, in order
    std::uint32_t scanned_ = 0;        // filtered: the first item not looked at yet
    bool complete_ = true;
};

} // namespace qv
