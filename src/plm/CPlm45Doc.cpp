#include "plm/CPlm45Doc.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <new>

#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/CaptureFileReader.h"

namespace qv {

const std::array<const char *, kPlmColumnCount> kPlmPrintLabels = {
    "Line number:",
    "Velocity (%)",
    "Characteristic Impedance (ohms):",
    "Pairs:",
    "Cable Type:",
    "Used Pins:",
    "Wire resistance (ohms/km):",
    "Length open pair:",
    "Length short pair:",
    "Resistance Wire:",
    "Power 1 value (V) S0 PS1:",
    "Power 1+load value (V):",
    "Power 2 value (V) S0 PS2:",
    "Power 2+load value (V):",
    "Tx Activity:",
    "Rx Activity:",
    "ISDN data:",
    "Length open value (m):",
    "Length short value (m):",
    "DC Wire Resistance (ohms):",
    "Tx Terminator (ohms):",
    "Rx Terminator (ohms):",
    "Wires open:",
    "Short:",
    "Order:",
    "Split pairs:",
};

namespace {

enum class Read { Done, Unreadable, TooLarge };

Read readWhole(const std::string &path, std::string &out) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return Read::Unreadable;
    char block[65536];
    Read result = Read::Done;
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, f);
        if (out.size() + n > CPlm45Doc::kLargestFile) {
            result = Read::TooLarge;
            break;
        }
        out.append(block, n);
        if (n < sizeof block) {
            if (std::ferror(f))
                result = Read::Unreadable;
            break;
        }
    }
    std::fclose(f);
    return result;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

bool parsePlmFile(std::string_view text, std::vector<PlmDisplayLine> &out, const PlmWords &words) {
    out.clear();
    PlmLineScanner scanner(text);
    std::string_view line;
    PlmDisplayLine display;
    while (scanner.next(line)) {
        if (!parsePlmDisplayLine(line, display, words))
            return false;
        out.push_back(display);
    }
    return !out.empty();
}

CPlm45Doc::CPlm45Doc(UserMessages &messages, PlmWords words)
    : messages_(messages), words_(std::move(words)) {}

bool CPlm45Doc::Open(const std::string &path) {
    std::string text;
    std::vector<PlmDisplayLine> lines;
    const Read read = readWhole(path, text);
    if (read == Read::Unreadable) {
        messages_.error(kMsgUnableToOpen);
        return false;
    }
    try {
        if (read == Read::TooLarge) {
            messages_.error(kMsgPlmTooLarge);
            return false;
        }
        if (!parsePlmFile(text, lines, words_)) {
            messages_.error(kMsgPlmFileFormat);
            return false;
        }
    } catch (const std::bad_alloc &) {
        messages_.error(kMsgPlmFileFormat);
        return false;
    }
    path_ = path;
    lines_ = std::move(lines);
    return true;
}

bool CPlm45Doc::SaveAs(const std::string &path) {
    if (path_.empty() || !copyCaptureFile(path_, path)) {
        messages_.error(kMsgSaveAsFailed);
        return false;
    }
    path_ = path;
    return true;
}

int CPlm45Doc::Find(const std::string &text, int fromLine, int toLine, bool forward,
                    int startColumn, bool matchCase, const PlmColumns &columns, int &line,
                    int &column) const {
    if (lines_.empty())
        return 0;
    if (text.empty())
        return -1;
    const int last = lineCount() - 1;
    fromLine = std::clamp(fromLine, 0, last);
    toLine = std::clamp(toLine, 0, last);
    const std::string wanted = matchCase ? std::string() : upper(text);
    const auto matches = [&](const std::string &cell) {
        return cell.find(text) != std::string::npos ||
               (!matchCase && upper(cell).find(wanted) != std::string::npos);
    };
    const int step = forward ? 1 : -1;
    for (int l = fromLine; forward ? l <= toLine : l >= toLine; l += step) {
        int c = l == fromLine ? startColumn : (forward ? 0 : kPlmColumnCount - 1);
        for (; c >= 0 && c < kPlmColumnCount; c += step) {
            if (columns.shown(c) &&
                matches(lines_[static_cast<std::size_t>(l)].cells[static_cast<std::size_t>(c)])) {
                line = l;
                column = c;
                return 1;
            }
        }
    }
    return -1;
}

bool CPlm45Doc::Copy(const std::vector<int> &rows, const PlmColumns &columns, PlmCopy &out) const {
    out = {};
    const std::vector<int> shown = columns.shownColumns();
    try {
        for (int row : rows) {
            if (row < 0 || row >= lineCount())
                continue;
            if (out.rows == kCopyLimit) {
                out.limited = true;
                break;
            }
            const PlmDisplayLine &l = lines_[static_cast<std::size_t>(row)];
            for (std::size_t k = 0; k < shown.size(); ++k) {
                if (k)
                    out.text += '\t';
                out.text += l.cells[static_cast<std::size_t>(shown[k])];
            }
            out.text += '\n';
            ++out.rows;
        }
    } catch (const std::bad_alloc &) {
        out = {};
        messages_.error(kMsgPlmCopyMemory);
        return false;
    }
    if (out.limited) {
        char text[128];
        std::snprintf(text, sizeof text, kMsgPlmCopyLimit, static_cast<int>(kCopyLimit));
        messages_.show(text, kProgramCaption, MessageIcon::Exclamation);
    }
    return true;
}

PrintDocument CPlm45Doc::Print(const std::vector<int> &rows, const PlmColumns &columns) const {
    std::size_t labelWidth = 0;
    for (const char *label : kPlmPrintLabels)
        labelWidth = std::max(labelWidth, std::string_view(label).size());
    PrintDocument print;
    char title[64];
    std::snprintf(title, sizeof title, "PLM-45 project %02d", projectNumber());
    print.title = title;
    for (int row : rows) {
        if (row < 0 || row >= lineCount())
            continue;
        const PlmDisplayLine &l = lines_[static_cast<std::size_t>(row)];
        PrintBlock block;
        block.frame = static_cast<std::uint32_t>(row);
        for (std::size_t h = 0; h < std::size(kPlmPrintHeadings); ++h) {
            const int first = kPlmPrintHeadings[h].firstColumn;
            const int end = h + 1 < std::size(kPlmPrintHeadings)
                                ? kPlmPrintHeadings[h + 1].firstColumn
                                : kPlmColumnCount;
            bool headed = false;
            for (int c = first; c < end; ++c) {
                if (!columns.shown(c))
                    continue;
                if (!headed)
                    block.lines.push_back(kPlmPrintHeadings[h].title);
                headed = true;
                std::string text = "  ";
                text += kPlmPrintLabels[static_cast<std::size_t>(c)];
                text.resize(labelWidth + 3, ' ');
                text += l.cells[static_cast<std::size_t>(c)];
                block.lines.push_back(std::move(text));
            }
        }
        block.lines.emplace_back();
        print.blocks.push_back(std::move(block));
    }
    return print;
}

} // namespace qv
