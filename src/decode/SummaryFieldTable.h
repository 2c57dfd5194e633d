#pragma once
// The columns of the frame summary: which are shown, in what order and how wide. One table serves
// every document; it is read from and written to the "Lvt-Fields" section of the settings file.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "decode/SummaryColumn.h"

namespace qv {

class IniFile;

struct SummaryField {
    std::string title;
    int width = 0;    // display units; 0 hides the column
    int position = 0; // display position 0..42, a permutation over the whole table
};

// One row of the column selection: a column other than the number column, and whether the user
// wants it shown.
struct SummaryFieldChoice {
    int column = 0;
    bool shown = false;
};

class SummaryFieldTable {
public:
    static constexpr std::string_view kSection = "Lvt-Fields";
    static constexpr int kWidthPerChar = 12;
    // The direction column, headed "TE - NT", or "AN - LE" while V5 decoding is on.
    static constexpr int kDirectionColumn = 3;

    // English titles and the default widths and order.
    SummaryFieldTable();

    // Titles in language (0 English, otherwise French), widths and positions from the settings,
    // then the duplicate check and the relocation of the V5 columns and the time slot.
    void load(const IniFile &ini, int language);
    // Writes Size00..Size42 and Order00..Order42 as decimal numbers.
    void save(IniFile &ini) const;
    // Default widths and order; the titles are kept.
    void resetToDefaults();

    // Hides every column but the number column, which is always shown.
    void hideAll();
    // Takes the user's column selection: rows holds columns 1..42 once each, in the display
    // order wanted. Each column gets its row's place (the number column stays first); a column
    // left out, or a V5 column while V5 decoding is off, is hidden; a V5 column while V5
    // decoding is on is shown whatever its row says; a shown column without a width gets its
    // width in characters. False, and the table unchanged, when rows is not such a list.
    bool applySelection(const std::vector<SummaryFieldChoice> &rows, bool v5Decoding);

    // Column 3 is headed "AN - LE" while V5 decoding is on and "TE - NT" otherwise.
    void setV5Titles(bool v5);
    bool v5Titles() const { return v5_; }
    int language() const { return language_; }

    // The column shown at position, or -1 when no column is there.
    int columnAtPosition(int position) const;
    const SummaryField &field(int column) const { return fields_.at(column); }
    SummaryField &field(int column) { return fields_.at(column); }

    std::vector<int> visibleColumnsInDisplayOrder() const;
    std::vector<int> columnsInDisplayOrder() const;

    // Width in characters of every column, also of those hidden by default.
    static int defaultChars(int column);
    static bool shownByDefault(int column);
    // Width in display units a column gets from a fresh table: 0 when hidden by default.
    static int defaultWidth(int column);
    // The envelope function address, data link address, layer-3 address and time slot columns,
    // which only V5 decoding fills.
    static bool isV5Column(int column);
    // Heading of column in language; an unknown column has an empty heading.
    static std::string_view title(int column, int language, bool v5 = false);

private:
    void applyTitles();
    // Puts every column back at its own number when two share a position.
    void resolveDuplicatePositions();
    void relocateV5Columns(bool onlyFromOwnPosition);
    // Moves column to position target (below its current one), shifting those between up.
    void moveUp(int column, int target);

    std::array<SummaryField, kSummaryColumnCount> fields_;
    int language_ = 0;
    bool v5_ = false;
};

} // namespace qv
