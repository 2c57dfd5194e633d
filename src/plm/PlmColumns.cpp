#include "plm/PlmColumns.h"

#include <algorithm>
#include <cstdio>

#include "base/IniFile.h"

namespace qv {

namespace {

constexpr int kSmallestFirstColumn = 20;

bool valid(int column) {
    return column >= 0 && column < kPlmColumnCount;
}

std::string sizeKey(int column) {
    char key[16];
    std::snprintf(key, sizeof key, "Size%02d", column);
    return key;
}

} // namespace

const char *PlmColumns::title(int column) {
    return valid(column) ? kPlmColumns[static_cast<std::size_t>(column)].title : "?";
}

int PlmColumns::defaultWidth(int column) {
    return valid(column) ? kPlmColumns[static_cast<std::size_t>(column)].chars * kWidthPerChar : 0;
}

void PlmColumns::setDefaults() {
    for (int c = 0; c < kPlmColumnCount; ++c)
        width_[static_cast<std::size_t>(c)] = defaultWidth(c);
}

void PlmColumns::load(const IniFile &ini) {
    for (int c = 0; c < kPlmColumnCount; ++c) {
        int w = ini.readInt(kPlmFieldsSection, sizeKey(c), defaultWidth(c));
        if (w < 0 || w > 999)
            w = defaultWidth(c);
        width_[static_cast<std::size_t>(c)] = w;
    }
    width_[0] = std::max(width_[0], kSmallestFirstColumn);
}

void PlmColumns::save(IniFile &ini) const {
    for (int c = 0; c < kPlmColumnCount; ++c)
        ini.writeInt(kPlmFieldsSection, sizeKey(c), width_[static_cast<std::size_t>(c)]);
}

int PlmColumns::width(int column) const {
    return valid(column) ? width_[static_cast<std::size_t>(column)] : 0;
}

void PlmColumns::setWidth(int column, int width) {
    if (valid(column))
        width_[static_cast<std::size_t>(column)] =
            std::clamp(width, column == 0 ? kSmallestFirstColumn : 0, 999);
}

void PlmColumns::setShown(int column, bool shown) {
    if (!valid(column) || column == 0 || shown == this->shown(column))
        return;
    setWidth(column, shown ? defaultWidth(column) : 0);
}

std::vector<int> PlmColumns::shownColumns() const {
    std::vector<int> columns;
    for (int c = 0; c < kPlmColumnCount; ++c)
        if (shown(c))
            columns.push_back(c);
    return columns;
}

} // namespace qv
