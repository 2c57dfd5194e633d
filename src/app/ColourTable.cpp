#include "app/ColourTable.h"

#include <cstdio>

namespace qv {

namespace {

struct ColourEntry {
    const char *key;
    Rgb colour;
};

constexpr ColourEntry kColours[kColourCount] = {
    {"TxtL1TEtoNT", {0, 0, 0}},       {"TxtL1NTtoTE", {0, 0, 0}},
    {"TxtL2TEtoNT", {128, 0, 64}},    {"TxtL2NTtoTE", {128, 0, 64}},
    {"TxtL3RNISTEtoNT", {0, 0, 128}}, {"TxtL3RNISNTtoTE", {0, 0, 128}},
    {"TxtL3X25TEtoNT", {0, 128, 0}},  {"TxtL3X25NTtoTE", {0, 128, 0}},
    {"TxtLTtoNT", {0, 0, 0}},         {"TxtNTtoLT", {0, 0, 0}},
    {"BkTEtoNT", {192, 192, 192}},    {"BkNTtoTE", {255, 255, 255}},
    {"BkLTtoNT", {255, 255, 255}},    {"BkNTtoLT", {192, 192, 192}},
    {"TxtFindItem", {255, 255, 255}}, {"BkgFindItem", {255, 0, 0}},
};

} // namespace

ColourTable::ColourTable() {
    resetColours();
}

void ColourTable::resetColours() {
    for (int k = 0; k < kColourCount; ++k)
        colours_[static_cast<std::size_t>(k)] = kColours[k].colour;
}

std::string_view ColourTable::keyName(int key) {
    return kColours[key].key;
}
Rgb ColourTable::defaultColour(int key) {
    return kColours[key].colour;
}

bool ColourTable::parse(std::string_view text, Rgb &out) {
    int values[3];
    std::size_t at = 0;
    for (int &v : values) {
        if (at >= text.size() || text[at] < '0' || text[at] > '9')
            return false;
        v = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            v = v * 10 + (text[at] - '0');
            if (v > 255)
                return false;
            ++at;
        }
        if (at >= text.size() || text[at] != ',')
            return false;
        ++at;
    }
    out = {values[0], values[1], values[2]};
    return true;
}

std::string ColourTable::format(const Rgb &rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "%d,%d,%d,", rgb.red, rgb.green, rgb.blue);
    return text;
}

void ColourTable::load(const IniFile &ini) {
    used_ = ini.readInt(kColourSection, "UsedColors", 1) != 0;
    for (int k = 0; k < kColourCount; ++k) {
        Rgb rgb = kColours[k].colour;
        // The value is read into a 13-character buffer, as the colours always were.
        parse(ini.readString(kColourSection, kColours[k].key, "", 12), rgb);
        colours_[static_cast<std::size_t>(k)] = rgb;
    }
}

void ColourTable::save(IniFile &ini) const {
    if (used_)
        for (int k = 0; k < kColourCount; ++k)
            ini.writeString(kColourSection, kColours[k].key, format(colour(k)));
    ini.writeString(kColourSection, "UsedColors", used_ ? "1" : "0");
}

void ColourTable::rowColours(int category, Rgb &text, Rgb &background) const {
    if (category == 0) {
        text = {0, 0, 0};
        background = {255, 255, 255};
        return;
    }
    const int layer = category < 0 ? -category : category;
    const std::uint8_t direction = category < 0 ? kDirectionNtTe : kDirectionTeNt;
    text = colour(static_cast<int>(qv::textColour(layer, direction)));
    background = colour(category > 0 ? kBkTeNt : kBkNtTe);
}

} // namespace qv
