#pragma once
// The widths of the 26 columns of the PLM-45 project window, kept in the settings section
// "Plm-45Fields"; a width of 0 hides a column. The columns keep their order.
#include <array>
#include <vector>

#include "plm/PlmLines.h"

namespace qv {

class IniFile;

inline constexpr const char *kPlmFieldsSection = "Plm-45Fields";

class PlmColumns {
public:
    static constexpr int kWidthPerChar = 10;

    PlmColumns() { setDefaults(); }

    static const char *title(int column);
    // Characters × 10 pixels; every column is shown at first.
    static int defaultWidth(int column);

    // Reads "Size%02d": a width outside 0..999 takes its default; column 0 is never narrower
    // than 20 pixels.
    void load(const IniFile &ini);
    void save(IniFile &ini) const;
    void setDefaults();

    int width(int column) const;
    bool shown(int column) const { return width(column) > 0; }
    void setWidth(int column, int width);
    // Shown at its default width unless it already has one; hidden at width 0. Column 0 stays.
    void setShown(int column, bool shown);
    std::vector<int> shownColumns() const;

    bool operator==(const PlmColumns &) const = default;

private:
    std::array<int, kPlmColumnCount> width_{};
};

} // namespace qv
