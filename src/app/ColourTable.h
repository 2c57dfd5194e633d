#pragma once
// The colours of the summary rows and detail lines, by layer and direction, kept in the
// section "Colors" of the settings file as "%d,%d,%d,".
#include <array>
#include <string>
#include <string_view>

#include "base/IniFile.h"
#include "decode/DecodedFrame.h"

namespace qv {

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb &) const = default;
};

enum ColourKey : int {
    kTxtL1TeNt,
    kTxtL1NtTe,
    kTxtL2TeNt,
    kTxtL2NtTe,
    kTxtL3IsdnTeNt,
    kTxtL3IsdnNtTe,
    kTxtL3X25TeNt,
    kTxtL3X25NtTe,
    kTxtLtNt,
    kTxtNtLt,
    kBkTeNt,
    kBkNtTe,
    kBkLtNt,
    kBkNtLt,
    kTxtFindItem,
    kBkgFindItem,
    kColourCount
};

inline constexpr const char *kColourSection = "Colors";

class ColourTable {
public:
    ColourTable();
    // Reads the 16 colours when "UsedColors" is not 0 (missing or bad values take the
    // defaults); with colours off, usesColours() is false and the views take the system's.
    void load(const IniFile &ini);
    void save(IniFile &ini) const;

    bool usesColours() const { return used_; }
    const Rgb &colour(int key) const { return colours_[static_cast<std::size_t>(key)]; }
    void setColour(int key, Rgb rgb) { colours_[static_cast<std::size_t>(key)] = rgb; }
    void setUsesColours(bool used) { used_ = used; }
    // Every colour back to the program's own; whether colours are used is left as it is.
    void resetColours();

    static std::string_view keyName(int key);
    static Rgb defaultColour(int key);
    // "12,34,56," is red 12, green 34, blue 56; false for anything else.
    static bool parse(std::string_view text, Rgb &out);
    static std::string format(const Rgb &rgb);

    // The colours of a summary row of layer category (negative for NT->TE; 0 none): text and
    // background. A category of 0 has black text on white.
    void rowColours(int category, Rgb &text, Rgb &background) const;
    // The text colour of a detail line.
    const Rgb &textColour(TextColour which) const { return colour(static_cast<int>(which)); }

private:
    std::array<Rgb, kColourCount> colours_;
    bool used_ = true;
};

} // namespace qv
