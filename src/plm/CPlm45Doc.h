#pragma once
// An open .plm file: the display lines of one PLM-45 project, with Save As, find, the text
// copied from a selection and the print of lines.
#include <cstddef>
#include <string>
#include <vector>

#include "capture/FramePrint.h"
#include "plm/PlmColumns.h"
#include "plm/PlmLines.h"

namespace qv {

class UserMessages;

inline constexpr const char *kMsgPlmFileFormat = "Error: file format";
inline constexpr const char *kMsgPlmTooLarge =
    "Error: the file is larger than 64 MB, more than a PLM-45 project can be";
inline constexpr const char *kMsgPlmCopyMemory =
    "Insufficient memory to copy the selection\nPlease limit your selection";
inline constexpr const char *kMsgPlmClipboardBusy =
    "The Clipboard is not free to copy the selection\n";
inline constexpr const char *kMsgPlmCopyLimit =
    "Too many frames are selected. Only the first %d frames are copied";
inline constexpr const char *kPlmFileFilter = "PLM-45 files (*.plm)";

// The print's headings, each over the columns from its first one on.
struct PlmPrintHeading {
    const char *title;
    int firstColumn;
};
inline constexpr PlmPrintHeading kPlmPrintHeadings[] = {
    {"CONFIGURATION PARAMETERS", kPlmLineNumber},
    {"MEASUREMENT PARAMETERS", kPlmOpenPair},
    {"MEASUREMENT", kPlmPower1},
};
// The print's label of each column.
extern const std::array<const char *, kPlmColumnCount> kPlmPrintLabels;

// What Copy puts on the clipboard.
struct PlmCopy {
    std::string text;
    std::size_t rows = 0;
    bool limited = false; // more rows were selected than are copied
};

class CPlm45Doc {
public:
    // The most rows one Copy takes.
    static constexpr std::size_t kCopyLimit = 10000;
    // A project of the tester's is a few kilobytes; a file this large is not one.
    static constexpr std::size_t kLargestFile = 64u << 20;

    explicit CPlm45Doc(UserMessages &messages, PlmWords words = {});

    // Reads the file's display lines; false, after its message, when the file cannot be read,
    // is larger than kLargestFile or a line lacks a comma ("Error: file format").
    bool Open(const std::string &path);
    // Copies the open file to path and goes on with the copy; false after "Problem while
    // saving file!".
    bool SaveAs(const std::string &path);

    // Looks for text in the shown columns, lines fromLine to toLine in the direction given,
    // starting in the first line at startColumn. 1 with the line and column found, -1 when
    // nothing matches, 0 when the document has no line.
    int Find(const std::string &text, int fromLine, int toLine, bool forward, int startColumn,
             bool matchCase, const PlmColumns &columns, int &line, int &column) const;

    // The rows, in the order given, as tab-separated shown columns, one row a line; at most
    // kCopyLimit rows, the user told when more were selected. False, after its message, when
    // memory ran out.
    bool Copy(const std::vector<int> &rows, const PlmColumns &columns, PlmCopy &out) const;

    // A block per line of rows: the headings and, under them, each shown column's label and
    // text.
    PrintDocument Print(const std::vector<int> &rows, const PlmColumns &columns) const;

    const std::string &pathName() const { return path_; }
    int projectNumber() const { return lines_.empty() ? 0 : lines_.front().project; }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    const PlmDisplayLine &line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    const std::vector<PlmDisplayLine> &lines() const { return lines_; }

private:
    UserMessages &messages_;
    PlmWords words_;
    std::string path_;
    std::vector<PlmDisplayLine> lines_;
};

// The display lines of a .plm file's text; false when a line lacks a comma or no line ends in
// CR LF. What follows the last CR LF is not read.
bool parsePlmFile(std::string_view text, std::vector<PlmDisplayLine> &out,
                  const PlmWords &words = {});

} // namespace qv
