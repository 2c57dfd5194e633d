#pragma once
// The rows of a list of numbered items (a capture's frames, a DRU-70 file's events) as the
// filters show them. Without filters every item is a row. With filters the rows are found either
// by a scan on a worker thread of the model's own (when the model can give one): the rows found
// so far are there at once, more come while the scan runs, and the view never waits for it; or
// in stretches, a few hundred rows at a time, looking at no more than a limited number of items
// each time, as the view scrolls towards the end.
#include <QAbstractTableModel>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace qv {

// What a background scan hands to the model it works for. Only the scan's thread writes; the
// model takes what was found from its own thread.
class RowScanFeed {
public:
    // Item is shown; items come in order.
    void found(std::uint32_t item);
    // Every item before end has been looked at.
    void reached(std::uint32_t end);
    // The model asks the scan to end: it should return soon after.
    bool stopped() const { return stop_.load(std::memory_order_relaxed); }

private:
    friend class FilteredRowsModel;
    std::mutex mutex_;
    std::vector<std::uint32_t> pending_; // found, not taken yet
    std::uint32_t reached_ = 0;
    bool done_ = false;
    std::atomic<bool> stop_{false};
};

class FilteredRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ~FilteredRowsModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The item of a row, and the row of an item (-1 when the filters hide it, or when the
    // background scan has not come to it yet: see decided).
    std::uint32_t itemAt(int row) const;
    int rowOf(std::uint32_t item);
    // The row of item among the rows found so far; -1 when it has none yet.
    int loadedRowOf(std::uint32_t item) const;
    // The row of item, else of the shown item nearest to it (the later one of two as near); -1
    // when no item is shown.
    int nearestRow(std::uint32_t item);

    // Whether the filters hide some items, and how many items there are in all.
    bool filtered() const { return filtered_; }
    std::uint32_t totalItems() const { return itemCount(); }
    // Whether a background scan is still finding rows; how far it has come (0..1).
    bool scanning() const { return scan_ != nullptr; }
    double scanFraction() const;
    // Whether it is known yet if item is shown (always, but for items a scan has yet to reach).
    bool decided(std::uint32_t item) const { return !scan_ || item < scanned_; }

signals:
    // The background scan found rows or came further; also when it ends.
    void scanAdvanced();

protected:
    using QAbstractTableModel::QAbstractTableModel;

    // The work of a background scan, run on a thread of its own: reports each shown item and how
    // far it has come to feed, and returns at the end or once feed is stopped. It owns what it
    // reads.
    using RowScan = std::function<void(RowScanFeed &feed)>;

    // The rows start again: every item, or the items the filters show when filtered. Called
    // within a reset of the model.
    void restartRows(bool filtered);
    // Ends a running scan, keeping the rows it found; the next restart starts afresh.
    void stopScan();
    virtual std::uint32_t itemCount() const = 0;
    // The background scan of the filtered rows; none (the default) finds rows in stretches.
    virtual RowScan backgroundScan() { return {}; }
    // Whether the filters show item; nothingAfter when no item after it can be shown. Used
    // without a background scan.
    virtual bool itemShown(std::uint32_t, bool &) { return false; }
    // Around the look at a stretch of items.
    virtual void stretchStarts() {}
    virtual void stretchEnds() {}

private:
    // The next shown items: up to rows of them, looking at no more than limit items.
    std::vector<std::uint32_t> scan(int rows, std::uint32_t limit);
    // Takes the rows the background scan found since the last time.
    void takeScanned();

    bool filtered_ = false;
    std::vector<std::uint32_t> items_; // filtered: the items shown so far, in order
    std::uint32_t scanned_ = 0;        // filtered: the first item not looked at yet
    bool complete_ = true;

    struct BackgroundScan {
        std::shared_ptr<RowScanFeed> feed;
        std::thread thread;
    };
    std::unique_ptr<BackgroundScan> scan_;
    QTimer *scanTimer_ = nullptr;
};

} // namespace qv
