#pragma once
// The lines of a PLM-45 project: as the tester sends them and as a .plm file keeps them
// (PlmRawLine, 27 comma-separated fields), and as the project window shows them
// (PlmDisplayLine, 26 texts made by the display rules).
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr int kPlmColumnCount = 26;
// Fields 2 to 27 of a line: field 1 is the project number.
inline constexpr int kPlmFieldCount = 26;

enum class PlmFieldType { Integer, Text };

// The display columns, in their order.
enum PlmColumn {
    kPlmLineNumber = 0,
    kPlmVelocity,
    kPlmImpedance,
    kPlmPairs,
    kPlmCableType,
    kPlmUsedPins,
    kPlmWireResist,
    kPlmOpenPair,
    kPlmShortPair,
    kPlmResistWire,
    kPlmPower1,
    kPlmPower1L,
    kPlmPower2,
    kPlmPower2L,
    kPlmTxAct,
    kPlmRxAct,
    kPlmIsdnData,
    kPlmOpenValue,
    kPlmShortValue,
    kPlmDcResist,
    kPlmTxTerm,
    kPlmRxTerm,
    kPlmWiresOpen,
    kPlmShort,
    kPlmOrder,
    kPlmSplitPairs,
};

// Field 2 + index of a line: its type and the column it feeds.
struct PlmFieldInfo {
    PlmFieldType type;
    PlmColumn column;
};
extern const std::array<PlmFieldInfo, kPlmFieldCount> kPlmFields;

struct PlmColumnInfo {
    const char *title;
    int chars; // default width in characters
};
extern const std::array<PlmColumnInfo, kPlmColumnCount> kPlmColumns;

// A line as received or saved. A field keeps the member of its type: texts as received,
// integers as parsed.
struct PlmRawLine {
    int project = 0; // field 1
    std::array<std::string, kPlmFieldCount> texts;
    std::array<int, kPlmFieldCount> integers{};

    bool operator==(const PlmRawLine &) const = default;
};

struct PlmDisplayLine {
    int project = 0; // field 1
    std::array<std::string, kPlmColumnCount> cells;
};

// The words the display rules produce ("not meas.", "yes", "hi-Z"...), in the interface
// language: given the English word, the one to show. Without one the English words are shown.
using PlmWords = std::function<std::string(const char *english)>;

inline constexpr const char *kPlmNotMeasured = "not meas.";
// Every word the display rules produce, for the translators.
inline constexpr const char *kPlmDisplayWords[] = {
    kPlmNotMeasured, "no", "yes", "none", "spikes", "low", "hi-Z", "flat", "tp", "quad", "custom",
};

// The 27 fields of a line without its CR LF: 26 commas separate them, the last field runs to
// the end of the line (commas in it included). False when a comma is missing.
bool splitPlmFields(std::string_view line, int &project,
                    std::array<std::string_view, kPlmFieldCount> &fields);

// The line in the types of the field table; false when a comma is missing.
bool parsePlmRawLine(std::string_view line, PlmRawLine &out);

// The display text of field 2 + index for its text as received.
std::string plmDisplayText(int field, std::string_view text, const PlmWords &words = {});

// The display line of a line of a .plm file; false when a comma is missing.
bool parsePlmDisplayLine(std::string_view line, PlmDisplayLine &out, const PlmWords &words = {});

// The line as a .plm file keeps it, ended by CR LF: the project number as "%02d" in place of
// field 1.
std::string formatPlmLine(int project, const PlmRawLine &line);

// The CR LF-ended lines of text in turn, without their line ends; what follows the last CR LF
// is not a line.
class PlmLineScanner {
public:
    explicit PlmLineScanner(std::string_view text) : text_(text) {}
    bool next(std::string_view &line);
    // Where the scan stands: the first character not yet taken.
    std::size_t position() const { return at_; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace qv
