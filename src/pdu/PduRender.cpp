#include "pdu/PduRender.h"

#include <cctype>

#include "pdu/PduOutput.h"

namespace qv::pdu {

namespace {

class LineCursor {
public:
    LineCursor(const std::uint16_t* cells, std::uint16_t end) : cells_(cells), end_(end) {}

    bool more() const { return index_ < end_; }
    // Moves past the next control cell.
    void skipLine() {
        while (index_ <= end_ && !isControlCell(cells_[index_]))
            ++index_;
        if (index_ <= end_)
            ++index_;
    }
    // The next line's text, normalised; the cursor ends past the cell that closed it. A wrap
    // ends a line that starts with a blank (a field line); any other line runs on over it.
    std::string extract() {
        const bool afterWrap = index_ > 0 && cells_[index_ - 1] == kCellWrap;
        std::string text;
        while (index_ <= end_) {
            const std::uint16_t cell = cells_[index_];
            if (cell == kCellLineEnd || cell == kCellEnd)
                break;
            if (cell == kCellWrap) {
                if (!text.empty() && text[0] == ' ')
                    break;
                ++index_;
                continue;
            }
            text.push_back(cellChar(cell));
            ++index_;
        }
        if (index_ <= end_)
            ++index_;
        if (afterWrap && (text.empty() || text[0] != ' '))
            text.insert(text.begin(), ' ');
        normalise(text);
        return text;
    }
    // True when the next line starts with a blank written by an error or notice (attribute 0).
    bool nextStartsWithPlainBlank() const {
        return index_ <= end_ && cells_[index_] == makeCell(' ', 0);
    }
    bool nextIsEmpty() const { return index_ >= end_ || isControlCell(cells_[index_]); }

private:
    static void normalise(std::string& text) {
        std::string out;
        out.reserve(text.size());
        for (char c : text)
            if (!(c == ' ' && !out.empty() && out.back() == ' '))
                out.push_back(c);
        if (!out.empty() && out.back() == ' ')
            out.pop_back();
        const std::size_t colon = out.find(':');
        if (colon != std::string::npos) {
            std::size_t at = colon;
            if (at > 0 && out[at - 1] == ' ') {
                out.erase(at - 1, 1);
                --at;
            }
            if (at + 1 < out.size() && out[at + 1] == ' ' && at + 2 < out.size())
                out.erase(at + 1, 1);
        }
        text.swap(out);
    }

    const std::uint16_t* cells_;
    std::uint16_t end_;
    std::uint16_t index_ = 0;
};

bool contains(const std::string& text, const char* key) {
    return text.find(key) != std::string::npos;
}

} // namespace

const char* errorCategory(const std::string& text) {
    if (contains(text, "STACK:"))
        return "Push on full stack or Pop on empty stack";
    if (contains(text, "IE:"))
        return "Missing data or uninterpreted data left";
    if (contains(text, "PNOT:"))
        return "Case missing or invalid table number";
    if (contains(text, "CMND:"))
        return "Invalid command number in a Notation File";
    if (contains(text, "FILE:"))
        return "Invalid filename in the List File";
    if (contains(text, "SYNTAX:"))
        return "Syntax error in a Notation File";
    return "Unable to decode";
}

std::uint32_t renderRows(const std::uint16_t* cells, std::uint16_t endCell, std::uint32_t firstRow,
                         std::uint16_t l3Offset, std::uint16_t removedBytes,
                         std::vector<PduRow>& rows) {
    if (!cells)
        return firstRow;
    LineCursor lines(cells, endCell);
    // The message type lines that open every decode are not rows.
    lines.skipLine();
    lines.skipLine();
    std::uint32_t row = firstRow;
    std::uint32_t offset = std::uint32_t(l3Offset) + removedBytes + 2;
    std::uint32_t elementLength = 0;
    auto add = [&](std::string value, std::string name, std::uint32_t at, std::uint32_t count,
                   bool header) {
        PduRow r;
        r.rowNumber = row++;
        r.frameOffset = static_cast<std::uint16_t>(at);
        r.byteCount = static_cast<std::uint16_t>(count);
        r.value = std::move(value);
        r.fieldName = std::move(name);
        r.header = header;
        rows.push_back(std::move(r));
    };
    auto error = [&](const std::string& text, std::uint32_t at, std::uint32_t count) {
        add(kDecodingErrorText, errorCategory(text), at, count, true);
    };
    while (lines.more()) {
        std::string text = lines.extract();
        if (text.empty())
            continue;
        if (text[0] == ' ') {
            text.erase(0, 1);
            std::string name, value;
            const std::size_t colon = text.find(':');
            if (colon == std::string::npos) {
                value = text;
            } else if (colon + 1 == text.size()) {
                name = text.substr(0, colon);
                value = lines.extract();
                if (!value.empty() && value[0] == ' ')
                    value.erase(0, 1);
            } else {
                name = text.substr(0, colon);
                value = text.substr(colon + 1);
            }
            if (!value.empty())
                value[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
            if (contains(value, "ERROR"))
                error(value, offset, elementLength);
            else
                add(value, name, offset, elementLength, false);
            continue;
        }
        const std::size_t lg = text.find("Lg =");
        if (lg == std::string::npos) {
            offset += elementLength;
            if (contains(text, "ERROR"))
                error(text, offset, 1);
            else
                add(text, "Information Element Identifier (Single Byte)", offset, 1, true);
            elementLength = 1;
            continue;
        }
        std::string name = text.substr(0, lg);
        if (!name.empty() && name.back() == ' ')
            name.pop_back();
        std::string length = text.substr(lg + 4);
        while (!length.empty() && length[0] == ' ')
            length.erase(0, 1);
        if (!lines.nextIsEmpty() && !lines.nextStartsWithPlainBlank()) {
            std::string more = lines.extract();
            if (!more.empty() && more[0] == ' ')
                more.erase(0, 1);
            name += ' ';
            name += more;
        }
        offset += elementLength;
        if (contains(name, "ERROR")) {
            error(name, offset, 1);
        } else {
            add(name, "Information Element Identifier", offset, 1, true);
            add(length, "Information Element Length", offset + 1, 1, true);
        }
        offset += 2;
        elementLength = 0;
        for (char c : length) {
            if (c < '0' || c > '9')
                break;
            elementLength = elementLength * 10 + static_cast<std::uint32_t>(c - '0');
            if (elementLength > 0xFFFF)
                elementLength = 0xFFFF;
        }
    }
    return row;
}

std::string rawLines(const std::uint16_t* cells, std::uint16_t endCell) {
    std::string text;
    if (!cells)
        return text;
    for (std::uint32_t i = 0; i <= endCell; ++i) {
        const std::uint16_t cell = cells[i];
        if (cell == kCellLineEnd)
            text += '\n';
        else if (cell == kCellWrap)
            text += "\\\n";
        else if (cell == kCellEnd)
            break;
        else
            text += cellChar(cell);
    }
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    return text;
}

} // namespace qv::pdu
