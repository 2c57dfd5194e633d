#include "plm/PlmLines.h"

#include <cstdio>

#include "base/IniFile.h"

namespace qv {

using T = PlmFieldType;

const std::array<PlmFieldInfo, kPlmFieldCount> kPlmFields = {{
    {T::Text, kPlmLineNumber},    // 2
    {T::Integer, kPlmPower1},     // 3
    {T::Integer, kPlmPower1L},    // 4
    {T::Integer, kPlmPower2},     // 5
    {T::Integer, kPlmPower2L},    // 6
    {T::Integer, kPlmTxAct},      // 7
    {T::Integer, kPlmRxAct},      // 8
    {T::Integer, kPlmIsdnData},   // 9
    {T::Text, kPlmOpenPair},      // 10
    {T::Integer, kPlmOpenValue},  // 11
    {T::Text, kPlmShortPair},     // 12
    {T::Integer, kPlmShortValue}, // 13
    {T::Text, kPlmResistWire},    // 14
    {T::Integer, kPlmDcResist},   // 15
    {T::Integer, kPlmTxTerm},     // 16
    {T::Integer, kPlmRxTerm},     // 17
    {T::Text, kPlmWiresOpen},     // 18
    {T::Text, kPlmShort},         // 19
    {T::Text, kPlmOrder},         // 20
    {T::Text, kPlmSplitPairs},    // 21
    {T::Integer, kPlmVelocity},   // 22
    {T::Integer, kPlmImpedance},  // 23
    {T::Integer, kPlmCableType},  // 24
    {T::Integer, kPlmPairs},      // 25
    {T::Text, kPlmUsedPins},      // 26
    {T::Integer, kPlmWireResist}, // 27
}};

const std::array<PlmColumnInfo, kPlmColumnCount> kPlmColumns = {{
    {"Line num.", 9},      {"Velocity", 8},       {"Impedance", 9},       {"Pairs", 9},
    {"Cable Type", 10},    {"Used Pins", 9},      {"Wire Resist.", 12},   {"L. open pair", 12},
    {"L. short pair", 13}, {"Resist. Wire", 12},  {"Power1", 6},          {"Power1L", 7},
    {"Power2", 6},         {"Power2L", 7},        {"Tx Act.", 7},         {"Rx Act.", 7},
    {"ISDN data", 9},      {"L. open value", 13}, {"L. short value", 14}, {"DC Wire Resist.", 15},
    {"Tx Term.", 8},       {"Rx Term.", 8},       {"Wires open", 10},     {"Short ", 6},
    {"Order", 5},          {"Split pairs", 11},
}};

namespace {

struct Code {
    const char *code;
    const char *word;
};

constexpr Code kActivity[] = {{"0", kPlmNotMeasured}, {"2", "no"}, {"3", "yes"}};
constexpr Code kIsdnData[] = {{"7", kPlmNotMeasured}, {"0", "none"},   {"1", "no"},
                              {"2", "yes"},           {"3", "spikes"}, {"4", "low"}};
constexpr Code kImpedance[] = {{"0", "80"}, {"1", "100"}, {"2", "120"}, {"3", "150"}};
constexpr Code kCableType[] = {{"0", "flat"}, {"1", "tp"}, {"2", "quad"}, {"3", "custom"}};
constexpr Code kPairs[] = {{"0", "12,36,45,78"}, {"1", "36,45"}, {"2", "12,34,56,78"},
                           {"3", "36,46"},       {"4", "12,36"}, {"5", "none"}};

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string word(const PlmWords &words, const char *english) {
    return words ? words(english) : std::string(english);
}

// A code's word, the text itself when no code is the text. Impedances and pairs are numbers,
// not words of the interface language.
template <std::size_t N>
std::string coded(const Code (&codes)[N], std::string_view text, const PlmWords &words,
                  bool translate = true) {
    for (const Code &c : codes)
        if (text == c.code)
            return translate ? word(words, c.word) : std::string(c.word);
    return std::string(text);
}

// The tester sends a supply voltage in half volts, as a byte taken signed.
std::string powerText(std::string_view text, const PlmWords &words) {
    if (contains(text, "255"))
        return word(words, kPlmNotMeasured);
    long long v = IniFile::parseInt(text);
    if (v < 0 || v >= 128)
        v -= 255;
    return std::to_string(v / 2);
}

std::string terminatorText(std::string_view text, const PlmWords &words) {
    if (contains(text, "255"))
        return word(words, kPlmNotMeasured);
    if (contains(text, "254"))
        return word(words, "hi-Z");
    return std::string(text);
}

std::string lengthText(std::string_view text, const PlmWords &words) {
    return contains(text, "4095") ? word(words, kPlmNotMeasured) : std::string(text);
}

std::string resistanceText(std::string_view text, const PlmWords &words) {
    if (contains(text, "4095"))
        return word(words, kPlmNotMeasured);
    char out[32];
    std::snprintf(out, sizeof out, "%4.1f", IniFile::parseInt(text) * 0.1);
    return out;
}

} // namespace

std::string plmDisplayText(int field, std::string_view text, const PlmWords &words) {
    if (field < 0 || field >= kPlmFieldCount)
        return std::string(text);
    if (contains(text, "?"))
        return word(words, kPlmNotMeasured);
    switch (kPlmFields[static_cast<std::size_t>(field)].column) {
    case kPlmShort:
        return text.empty() ? word(words, "none") : std::string(text);
    case kPlmPower1:
    case kPlmPower1L:
    case kPlmPower2:
    case kPlmPower2L:
        return powerText(text, words);
    case kPlmTxAct:
    case kPlmRxAct:
        return coded(kActivity, text, words);
    case kPlmIsdnData:
        return coded(kIsdnData, text, words);
    case kPlmOpenValue:
    case kPlmShortValue:
        return lengthText(text, words);
    case kPlmDcResist:
        return resistanceText(text, words);
    case kPlmTxTerm:
    case kPlmRxTerm:
        return terminatorText(text, words);
    case kPlmImpedance:
        return coded(kImpedance, text, words, false);
    case kPlmCableType:
        return coded(kCableType, text, words);
    case kPlmPairs:
        return text == "5" ? word(words, "none") : coded(kPairs, text, words, false);
    default:
        return std::string(text);
    }
}

bool splitPlmFields(std::string_view line, int &project,
                    std::array<std::string_view, kPlmFieldCount> &fields) {
    std::size_t comma = line.find(',');
    if (comma == std::string_view::npos)
        return false;
    project = IniFile::parseInt(line.substr(0, comma));
    std::size_t at = comma + 1;
    for (int f = 0; f < kPlmFieldCount - 1; ++f) {
        comma = line.find(',', at);
        if (comma == std::string_view::npos)
            return false;
        fields[static_cast<std::size_t>(f)] = line.substr(at, comma - at);
        at = comma + 1;
    }
    fields[kPlmFieldCount - 1] = line.substr(at);
    return true;
}

bool parsePlmRawLine(std::string_view line, PlmRawLine &out) {
    std::array<std::string_view, kPlmFieldCount> fields;
    if (!splitPlmFields(line, out.project, fields))
        return false;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (kPlmFields[f].type == PlmFieldType::Text) {
            out.texts[f].assign(fields[f]);
            out.integers[f] = 0;
        } else {
            out.texts[f].clear();
            out.integers[f] = IniFile::parseInt(fields[f]);
        }
    }
    return true;
}

bool parsePlmDisplayLine(std::string_view line, PlmDisplayLine &out, const PlmWords &words) {
    std::array<std::string_view, kPlmFieldCount> fields;
    if (!splitPlmFields(line, out.project, fields))
        return false;
    for (std::size_t f = 0; f < fields.size(); ++f)
        out.cells[static_cast<std::size_t>(kPlmFields[f].column)] =
            plmDisplayText(static_cast<int>(f), fields[f], words);
    return true;
}

std::string formatPlmLine(int project, const PlmRawLine &line) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", project);
    std::string out = number;
    for (std::size_t f = 0; f < kPlmFields.size(); ++f) {
        out += ',';
        if (kPlmFields[f].type == PlmFieldType::Text)
            out += line.texts[f];
        else
            out += std::to_string(line.integers[f]);
    }
    out += "\r\n";
    return out;
}

bool PlmLineScanner::next(std::string_view &line) {
    const std::size_t end = text_.find("\r\n", at_);
    if (end == std::string_view::npos)
        return false;
    line = text_.substr(at_, end - at_);
    at_ = end + 2;
    return true;
}

} // namespace qv
