#include "capture/Dru70Columns.h"

#include <algorithm>
#include <cstdio>

#include "base/IniFile.h"

namespace qv {

namespace {

struct ColumnDefault {
    const char *title;
    int chars;
    bool shown;
};

constexpr ColumnDefault kColumns[kDru70ColumnCount] = {
    {"Number", 9, true},  {"Date", 8, true}, {"Time", 9, true},      {"NT - LT", 8, true},
    {"Events", 20, true}, {"EOC", 9, false}, {"Comments", 55, true},
};

constexpr int kSmallestFirstColumn = 20;

const ColumnDefault &column(int c) {
    return kColumns[static_cast<std::size_t>(c)];
}

void key(char (&out)[16], const char *name, int column) {
    std::snprintf(out, sizeof out, "%s%02d", name, column);
}

} // namespace

const char *Dru70Columns::title(int c) {
    return c >= 0 && c < kDru70ColumnCount ? column(c).title : "?";
}

int Dru70Columns::defaultWidth(int c) {
    if (c < 0 || c >= kDru70ColumnCount)
        return 0;
    return (column(c).shown ? 1 : 0) * column(c).chars * kWidthPerChar;
}

int Dru70Columns::defaultChars(int c) {
    return c >= 0 && c < kDru70ColumnCount ? column(c).chars : 0;
}

void Dru70Columns::setDefaults() {
    for (int c = 0; c < kDru70ColumnCount; ++c) {
        width_[static_cast<std::size_t>(c)] = defaultWidth(c);
        position_[static_cast<std::size_t>(c)] = c;
    }
}

void Dru70Columns::keepRules() {
    std::array<bool, kDru70ColumnCount> taken{};
    bool duplicate = false;
    for (int c = 0; c < kDru70ColumnCount; ++c) {
        int &w = width_[static_cast<std::size_t>(c)];
        int &p = position_[static_cast<std::size_t>(c)];
        if (w < 0 || w > 999)
            w = defaultWidth(c);
        if (p < 0 || p >= kDru70ColumnCount)
            p = c;
        duplicate = duplicate || taken[static_cast<std::size_t>(p)];
        taken[static_cast<std::size_t>(p)] = true;
    }
    if (duplicate)
        for (int c = 0; c < kDru70ColumnCount; ++c)
            position_[static_cast<std::size_t>(c)] = c;
    width_[0] = std::max(width_[0], kSmallestFirstColumn);
}

void Dru70Columns::load(const IniFile &ini) {
    for (int c = 0; c < kDru70ColumnCount; ++c) {
        char size[16], order[16];
        key(size, "Size", c);
        key(order, "Order", c);
        width_[static_cast<std::size_t>(c)] =
            ini.readInt(kDru70FieldsSection, size, defaultWidth(c));
        position_[static_cast<std::size_t>(c)] = ini.readInt(kDru70FieldsSection, order, c);
    }
    keepRules();
}

void Dru70Columns::save(IniFile &ini) const {
    for (int c = 0; c < kDru70ColumnCount; ++c) {
        char size[16], order[16];
        key(size, "Size", c);
        key(order, "Order", c);
        ini.writeInt(kDru70FieldsSection, size, width_[static_cast<std::size_t>(c)]);
        ini.writeInt(kDru70FieldsSection, order, position_[static_cast<std::size_t>(c)]);
    }
}

void Dru70Columns::setWidth(int c, int width) {
    if (c < 0 || c >= kDru70ColumnCount)
        return;
    width_[static_cast<std::size_t>(c)] = std::clamp(width, c == 0 ? kSmallestFirstColumn : 0, 999);
}

void Dru70Columns::moveTo(int c, int target) {
    if (c < 0 || c >= kDru70ColumnCount || target < 0 || target >= kDru70ColumnCount)
        return;
    const int from = position_[static_cast<std::size_t>(c)];
    for (int &p : position_) {
        if (from < target && p > from && p <= target)
            --p;
        else if (from > target && p >= target && p < from)
            ++p;
    }
    position_[static_cast<std::size_t>(c)] = target;
}

std::vector<int> Dru70Columns::displayOrder() const {
    std::vector<int> order(kDru70ColumnCount);
    for (int c = 0; c < kDru70ColumnCount; ++c)
        order[static_cast<std::size_t>(position_[static_cast<std::size_t>(c)])] = c;
    return order;
}

std::vector<int> Dru70Columns::shownInDisplayOrder() const {
    std::vector<int> shown;
    for (int c : displayOrder())
        if (width(c) > 0)
            shown.push_back(c);
    return shown;
}

void Dru70Columns::fillFindRequest(Dru70FindRequest &request) const {
    const std::vector<int> order = displayOrder();
    for (std::size_t p = 0; p < order.size(); ++p) {
        request.columnAt[p] = order[p];
        request.widthAt[p] = width(order[p]);
    }
}

} // namespace qv
