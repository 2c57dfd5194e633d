#include "views/FilteredRowsModel.h"

#include <algorithm>
#include <climits>

namespace qv {

namespace {

// A stretch of the filtered rows: this many rows more, looking at no more items than
// kFetchItems at a time.
constexpr int kFetchRows = 512;
constexpr std::uint32_t kFetchItems = 65536;
// How often the rows a background scan found join the view.
constexpr int kScanTakeMs = 50;

} // namespace

void RowScanFeed::found(std::uint32_t item) {
    std::lock_guard lock(mutex_);
    pending_.push_back(item);
    reached_ = std::max(reached_, item + 1);
}

void RowScanFeed::reached(std::uint32_t end) {
    std::lock_guard lock(mutex_);
    reached_ = std::max(reached_, end);
}

FilteredRowsModel::~FilteredRowsModel() {
    stopScan();
}

void FilteredRowsModel::stopScan() {
    if (!scan_)
        return;
    scan_->feed->stop_.store(true, std::memory_order_relaxed);
    if (scan_->thread.joinable())
        scan_->thread.join();
    scan_.reset();
    if (scanTimer_)
        scanTimer_->stop();
}

void FilteredRowsModel::restartRows(bool filtered) {
    stopScan();
    filtered_ = filtered;
    items_.clear();
    scanned_ = 0;
    complete_ = !filtered_;
    if (!filtered_)
        return;
    if (RowScan work = backgroundScan()) {
        // The scan's rows join the model from this thread, a batch at a time.
        scan_ = std::make_unique<BackgroundScan>();
        scan_->feed = std::make_shared<RowScanFeed>();
        scan_->thread = std::thread([feed = scan_->feed, work = std::move(work)] {
            work(*feed);
            std::lock_guard lock(feed->mutex_);
            feed->done_ = true;
        });
        if (!scanTimer_) {
            scanTimer_ = new QTimer(this);
            scanTimer_->setInterval(kScanTakeMs);
            connect(scanTimer_, &QTimer::timeout, this, [this] { takeScanned(); });
        }
        scanTimer_->start();
        return;
    }
    items_ = scan(kFetchRows, kFetchItems);
}

void FilteredRowsModel::takeScanned() {
    if (!scan_)
        return;
    std::vector<std::uint32_t> found;
    std::uint32_t reached = 0;
    bool done = false;
    {
        RowScanFeed &feed = *scan_->feed;
        std::lock_guard lock(feed.mutex_);
        found.swap(feed.pending_);
        reached = feed.reached_;
        done = feed.done_;
    }
    if (!found.empty()) {
        const int first = static_cast<int>(items_.size());
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(found.size()) - 1);
        items_.insert(items_.end(), found.begin(), found.end());
        endInsertRows();
    }
    scanned_ = std::max(scanned_, reached);
    if (done) {
        // A scan that ended early (an unreadable file) leaves the rows it found: nothing more
        // will be found after them.
        if (scan_->thread.joinable())
            scan_->thread.join();
        scan_.reset();
        scanTimer_->stop();
        scanned_ = itemCount();
        complete_ = true;
    }
    emit scanAdvanced();
}

double FilteredRowsModel::scanFraction() const {
    const std::uint32_t count = itemCount();
    if (!scan_ || count == 0)
        return 1.0;
    return static_cast<double>(scanned_) / count;
}

int FilteredRowsModel::rowCount(const QModelIndex &parent) const {

    if (parent.isValid())
        return 0;
    const std::size_t rows = filtered_ ? items_.size() : itemCount();
    return static_cast<int>(std::min<std::size_t>(rows, INT_MAX));
}

std::vector<std::uint32_t> FilteredRowsModel::scan(int rows, std::uint32_t limit) {
    std::vector<std::uint32_t> found;
    const std::uint32_t count = itemCount();
    const std::uint32_t end = count - scanned_ > limit ? scanned_ + limit : count;
    stretchStarts();
    while (scanned_ < end && found.size() < static_cast<std::size_t>(rows)) {
        const std::uint32_t item = scanned_++;
        bool nothingAfter = false;
        if (itemShown(item, nothingAfter))
            found.push_back(item);
        if (nothingAfter)
            scanned_ = count;
    }
    stretchEnds();
    complete_ = scanned_ >= count;
    return found;
}

bool FilteredRowsModel::canFetchMore(const QModelIndex &parent) const {
    return !parent.isValid() && !complete_ && !scan_;
}

void FilteredRowsModel::fetchMore(const QModelIndex &parent) {
    if (parent.isValid() || complete_ || scan_)
        return;
    const std::vector<std::uint32_t> found = scan(kFetchRows, kFetchItems);
    if (found.empty())
        return;
    const int first = static_cast<int>(items_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(found.size()) - 1);
    items_.insert(items_.end(), found.begin(), found.end());
    endInsertRows();
}

std::uint32_t FilteredRowsModel::itemAt(int row) const {
    if (row < 0)
        return 0;
    if (!filtered_)
        return static_cast<std::uint32_t>(row);
    return static_cast<std::size_t>(row) < items_.size() ? items_[static_cast<std::size_t>(row)]
                                                         : 0;
}

int FilteredRowsModel::rowOf(std::uint32_t item) {
    while (filtered_ && !scan_ && !complete_ && scanned_ <= item)
        fetchMore(QModelIndex());
    return loadedRowOf(item);
}

int FilteredRowsModel::loadedRowOf(std::uint32_t item) const {
    if (!filtered_)
        return item < itemCount() ? static_cast<int>(item) : -1;
    const auto it = std::lower_bound(items_.begin(), items_.end(), item);
    return it != items_.end() && *it == item ? static_cast<int>(it - items_.begin()) : -1;
}

int FilteredRowsModel::nearestRow(std::uint32_t item) {
    if (!filtered_) {
        const std::uint32_t count = itemCount();
        return count == 0 ? -1 : static_cast<int>(std::min(item, count - 1));
    }
    // The rows up to the first shown item after this one, when there is one.
    rowOf(item);
    while (!scan_ && !complete_ && (items_.empty() || items_.back() <= item))
        fetchMore(QModelIndex());
    const auto after = std::lower_bound(items_.begin(), items_.end(), item);
    if (after != items_.end() && *after == item)
        return static_cast<int>(after - items_.begin());
    const bool haveAfter = after != items_.end();
    const bool haveBefore = after != items_.begin();
    if (!haveAfter && !haveBefore)
        return -1;
    const auto chosen =
        !haveBefore || (haveAfter && *after - item <= item - *(after - 1)) ? after : after - 1;
    return static_cast<int>(chosen - items_.begin());
}

} // namespace qv
