#include "decode/SummaryFieldTable.h"

#include "base/IniFile.h"

#include <algorithm>
#include <cstdio>

namespace qv {
namespace {

// Every summary column: English heading, French heading (nullptr when it is the English one),
// width in characters, and whether a fresh table shows it.
struct ColumnInfo {
    const char *english;
    const char *french;
    int chars;
    bool shown;
};

constexpr ColumnInfo kColumns[kSummaryColumnCount] = {
    {"Number", "Numero", 9, true},
    {"Date", nullptr, 8, true},
    {"Time", "Temps", 9, true},
    {"TE - NT", nullptr, 8, true},
    {"Type", nullptr, 6, true},
    {"SAPI", nullptr, 4, true},
    {"C/R", nullptr, 3, false},
    {"EA1", nullptr, 3, false},
    {"TEI", nullptr, 3, false},
    {"EA2", nullptr, 3, false},
    {"N(S)", nullptr, 4, false},
    {"N(R)", nullptr, 4, false},
    {"P/F", nullptr, 3, false},
    {"MEI", nullptr, 3, false},
    {"RI", nullptr, 6, false},
    {"AI", nullptr, 2, false},
    {"Multiple AI", nullptr, 11, false},
    {"AI.Ext", nullptr, 6, false},
    {"Rej.Ctrl.", nullptr, 9, false},
    {"V(S)", nullptr, 4, false},
    {"V(R)", nullptr, 4, false},
    {"FRMR.CR", nullptr, 7, false},
    {"FRMR.Cause", nullptr, 12, false},
    {"PD", "D.P", 3, false},
    {"CRlen", "Lg.RA", 5, false},
    {"CRflg", "FanRA", 5, false},
    {"CR", "R.A", 5, false},
    {"LCN", "NVL", 5, false},
    {"Msg.Type", "Type Msg", 18, true},
    {"Calling Addr", "Adr.Appelant", 24, true},
    {"Called Addr", "Adr.Appelee", 17, true},
    {"Channel", "Canal", 7, false},
    {"Bearer Cap", "Fonct.Support", 16, false},
    {"HLC", "Service", 15, false},
    {"Service Ind", "Ind.service", 21, false},
    {"Cause", nullptr, 23, true},
    {"Diagnostic", nullptr, 32, false},
    {"FCS", nullptr, 11, false},
    {"Size", "Taille", 4, false},
    {"EFA", nullptr, 4, false},
    {"DLA", nullptr, 4, false},
    {"L3 Addr.", "Addr. L3", 9, false},
    {"TS", nullptr, 4, false},
};

constexpr int kFirstV5Column = 39;
constexpr std::string_view kV5DirectionTitle = "AN - LE";

// The V5 columns and the time slot are brought forward next to the addressing columns, in this
// order: a later move shifts the columns placed by an earlier one.
struct Relocation {
    int column;
    int target;
};
constexpr Relocation kRelocations[] = {{39, 5}, {40, 6}, {41, 7}, {42, 1}};

// The number column cannot be hidden, so it needs a usable minimum width.
constexpr int kMinNumberWidth = 20;
constexpr int kMaxWidth = 999;

bool validColumn(int column) {
    return column >= 0 && column < kSummaryColumnCount;
}

std::string keyName(const char *prefix, int column) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%s%02d", prefix, column);
    return buffer;
}

// A value that does not begin with a decimal number is as unusable as a missing one, rather
// than being taken for 0 (which would hide a column or collide with the number column).
bool startsWithNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return false;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

int readSetting(const IniFile &ini, const std::string &key, int low, int high, int fallback) {
    if (!ini.hasKey(SummaryFieldTable::kSection, key))
        return fallback;
    std::string text = ini.readString(SummaryFieldTable::kSection, key);
    if (!startsWithNumber(text))
        return fallback;
    int value = IniFile::parseInt(text);
    return value >= low && value <= high ? value : fallback;
}

} // namespace

SummaryFieldTable::SummaryFieldTable() {
    applyTitles();
    resetToDefaults();
}

void SummaryFieldTable::load(const IniFile &ini, int language) {
    language_ = language;
    applyTitles();
    for (int column = 0; column < kSummaryColumnCount; ++column) {
        SummaryField &f = fields_[column];
        int minWidth = column == 0 ? kMinNumberWidth : 0;
        int fallbackWidth = column == 0 ? defaultChars(0) * kWidthPerChar : defaultWidth(column);
        f.width = readSetting(ini, keyName("Size", column), minWidth, kMaxWidth, fallbackWidth);
        // Order00 is left in the file for older versions; the number column always comes first.
        f.position = column == 0 ? 0
                                 : readSetting(ini, keyName("Order", column), 0,
                                               kSummaryColumnCount - 1, column);
    }
    resolveDuplicatePositions();
    relocateV5Columns(true);
}

void SummaryFieldTable::save(IniFile &ini) const {
    for (int column = 0; column < kSummaryColumnCount; ++column) {
        ini.writeInt(kSection, keyName("Size", column), fields_[column].width);
        ini.writeInt(kSection, keyName("Order", column), fields_[column].position);
    }
}

void SummaryFieldTable::resetToDefaults() {
    for (int column = 0; column < kSummaryColumnCount; ++column) {
        fields_[column].width = defaultWidth(column);
        fields_[column].position = column;
    }
    relocateV5Columns(false);
}

void SummaryFieldTable::hideAll() {
    for (int column = 1; column < kSummaryColumnCount; ++column)
        fields_[column].width = 0;
}

bool SummaryFieldTable::applySelection(const std::vector<SummaryFieldChoice> &rows,
                                       bool v5Decoding) {
    if (rows.size() != kSummaryColumnCount - 1)
        return false;
    std::array<bool, kSummaryColumnCount> listed{};
    for (const SummaryFieldChoice &row : rows) {
        if (row.column < 1 || row.column >= kSummaryColumnCount || listed[row.column])
            return false;
        listed[row.column] = true;
    }
    fields_[0].position = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const int column = rows[row].column;
        SummaryField &f = fields_[column];
        f.position = static_cast<int>(row) + 1;
        const bool shown = isV5Column(column) ? v5Decoding : rows[row].shown;
        if (!shown)
            f.width = 0;
        else if (f.width == 0)
            f.width = defaultChars(column) * kWidthPerChar;
    }
    return true;
}

void SummaryFieldTable::setV5Titles(bool v5) {
    v5_ = v5;
    applyTitles();
}

int SummaryFieldTable::columnAtPosition(int position) const {
    for (int column = 0; column < kSummaryColumnCount; ++column)
        if (fields_[column].position == position)
            return column;
    return -1;
}

std::vector<int> SummaryFieldTable::columnsInDisplayOrder() const {
    std::vector<int> columns(kSummaryColumnCount);
    for (int column = 0; column < kSummaryColumnCount; ++column)
        columns[column] = column;
    std::stable_sort(columns.begin(), columns.end(),
                     [this](int a, int b) { return fields_[a].position < fields_[b].position; });
    return columns;
}

std::vector<int> SummaryFieldTable::visibleColumnsInDisplayOrder() const {
    std::vector<int> columns = columnsInDisplayOrder();
    std::erase_if(columns, [this](int column) { return fields_[column].width == 0; });
    return columns;
}

int SummaryFieldTable::defaultChars(int column) {
    return validColumn(column) ? kColumns[column].chars : 0;
}

bool SummaryFieldTable::isV5Column(int column) {
    return column >= kFirstV5Column && column < kSummaryColumnCount;
}

bool SummaryFieldTable::shownByDefault(int column) {
    return validColumn(column) && kColumns[column].shown;
}

int SummaryFieldTable::defaultWidth(int column) {
    return shownByDefault(column) ? defaultChars(column) * kWidthPerChar : 0;
}

std::string_view SummaryFieldTable::title(int column, int language, bool v5) {
    if (!validColumn(column))
        return {};
    if (column == kDirectionColumn && v5)
        return kV5DirectionTitle;
    const ColumnInfo &info = kColumns[column];
    return language != 0 && info.french != nullptr ? info.french : info.english;
}

void SummaryFieldTable::applyTitles() {
    for (int column = 0; column < kSummaryColumnCount; ++column)
        fields_[column].title = std::string(title(column, language_, v5_));
}

void SummaryFieldTable::resolveDuplicatePositions() {
    std::array<bool, kSummaryColumnCount> taken{};
    for (const SummaryField &f : fields_) {
        if (taken[f.position]) {
            for (int column = 0; column < kSummaryColumnCount; ++column)
                fields_[column].position = column;
            return;
        }
        taken[f.position] = true;
    }
}

void SummaryFieldTable::relocateV5Columns(bool onlyFromOwnPosition) {
    for (const Relocation &r : kRelocations)
        if (!onlyFromOwnPosition || fields_[r.column].position == r.column)
            moveUp(r.column, r.target);
}

void SummaryFieldTable::moveUp(int column, int target) {
    for (int p = fields_[column].position; p > target; --p) {
        int neighbour = columnAtPosition(p - 1);
        fields_[neighbour].position = p;
        fields_[column].position = p - 1;
    }
}

} // namespace qv
