#include "views/FilteredRowsModel.h"

#include <algorithm>
#include <climits>

namespace qv {

namespace {

// A stretch of the filtered rows: this many rows more, looking at no more items than
// kFetchItems at a time.
constexpr int kFetchRows = 512;
constexpr std::uint32_t kFetchItems = 65536;

} // namespace

void FilteredRowsModel::restartRows(bool filtered) {
    filtered_ = filtered;
    items_.clear();
    scanned_ = 0;
    complete_ = !filtered_;
    if (filtered_)
        items_ = scan(kFetchRows, kFetchItems);
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
    return !parent.isValid() && !complete_;
}

void FilteredRowsModel::fetchMore(const QModelIndex &parent) {
    if (parent.isValid() || complete_)
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
    while (filtered_ && !complete_ && scanned_ <= item)
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
    while (!complete_ && (items_.empty() || items_.back() <= item))
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
