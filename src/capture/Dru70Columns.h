#pragma once
// The columns of the DRU-70 event view: their titles and default widths, and the widths and
// display positions the user chose, kept in the settings section "Dru-70Fields".
#include <array>
#include <vector>

#include "capture/Dru70Decode.h"

namespace qv {

class IniFile;

inline constexpr const char *kDru70FieldsSection = "Dru-70Fields";

class Dru70Columns {
public:
    static constexpr int kWidthPerChar = 12;

    Dru70Columns() { setDefaults(); }

    static const char *title(int column);
    // Shown flag × characters × 12 pixels: "EOC" is hidden at first.
    static int defaultWidth(int column);
    // The width in characters of a column, shown or not: a column the user shows again takes
    // this many × 12 pixels.
    static int defaultChars(int column);

    // Reads "Size%02d" and "Order%02d": a width outside 0..999 takes its default, a position
    // outside 0..6 the column's own index, two columns at one position put every column back
    // in its own place; column 0 is never narrower than 20 pixels.
    void load(const IniFile &ini);
    // Writes all fourteen keys.
    void save(IniFile &ini) const;
    void setDefaults();

    int width(int column) const { return width_[static_cast<std::size_t>(column)]; }
    int position(int column) const { return position_[static_cast<std::size_t>(column)]; }
    void setWidth(int column, int width);
    // Moves column to position, the columns between moving up or down by one.
    void moveTo(int column, int position);
    // The columns by display position, and the shown ones (width > 0) among them.
    std::vector<int> displayOrder() const;
    std::vector<int> shownInDisplayOrder() const;
    // What the event search needs: the column and width at each display position.
    void fillFindRequest(Dru70FindRequest &request) const;

private:
    void keepRules();

    std::array<int, kDru70ColumnCount> width_{};
    std::array<int, kDru70ColumnCount> position_{};
};

} // namespace qv
