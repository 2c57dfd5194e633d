#include "pdu/PduRender.h"

#include <cctype>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "pdu/PduOutput.h"

namespace qv::pdu {

namespace {

// One line of the output as characters, in a fixed buffer: a line cannot be longer than the
// output itself.
struct Line {
    char text[kOutputCells + 32]; // room for a 16-character store at the end
    std::size_t length = 0;
    bool maybeError = false; // an 'E' was copied: the line may carry an engine error
    std::size_t colon = std::string_view::npos; // where the first ':' is

    std::string_view view() const { return {text, length}; }
    bool startsWithBlank() const { return length > 0 && text[0] == ' '; }
};

class LineCursor {
public:
    LineCursor(const std::uint16_t *cells, std::uint16_t end) : cells_(cells), end_(end) {}

    bool more() const { return index_ < end_; }
    // The cell the next line starts at.
    std::uint16_t position() const { return index_; }
    // Moves past the next control cell; the characters passed go to text.
    void skipLine(std::string &text) {
        text.clear();
        while (index_ <= end_ && !isControlCell(cells_[index_]))
            text.push_back(cellChar(cells_[index_++]));
        if (index_ <= end_)
            ++index_;
    }
    // The next line's text, normalised; the cursor ends past the cell that closed it. A wrap
    // ends a line that starts with a blank (a field line); any other line runs on over it.
    // Blank runs become one blank, one trailing blank goes, and so do the blank before the
    // first ":" and the one after it unless the ":" ends the line.
    void extract(Line &line) {
        char *out = line.text;
        std::size_t n = 0;
        std::uint16_t first = index_;
        while (first <= end_ && cells_[first] == kCellWrap)
            ++first;
        const bool hasText = first <= end_ && !isControlCell(cells_[first]);
        const bool afterWrap = index_ > 0 && cells_[index_ - 1] == kCellWrap;
        if (afterWrap && hasText && cellChar(cells_[first]) != ' ')
            out[n++] = ' ';
        const bool fieldLine = n > 0 || (hasText && cellChar(cells_[first]) == ' ');
        // A blank is kept unless the character taken before it is a blank: that reduces every
        // run to one blank without waiting on what was kept.
        char previous = n > 0 ? out[n - 1] : '\0';
        std::uint16_t stop = first;
        bool letters = false;
        std::size_t colon = std::string_view::npos;
        const std::uint32_t last = end_;
        auto take = [&](char c) {
            out[n] = c;
            if (c == ':' && colon == std::string_view::npos)
                colon = n;
            n += (c != ' ') | (previous != ' ');
            previous = c;
        };
        while (stop <= last) {
#if defined(__SSE2__)
            // Up to sixteen cells at a time before the next possible control cell. A blank
            // that follows a blank is dropped; every stretch of kept characters is copied with
            // one store, and a chunk rarely holds more than two of them.
            if (static_cast<std::uint32_t>(stop) + 16 <= last + 1) {
                const __m128i low = _mm_set1_epi16(0x00FF);
                const __m128i a = _mm_and_si128(
                    _mm_loadu_si128(reinterpret_cast<const __m128i *>(cells_ + stop)), low);
                const __m128i b = _mm_and_si128(
                    _mm_loadu_si128(reinterpret_cast<const __m128i *>(cells_ + stop + 8)), low);
                const __m128i packed = _mm_packus_epi16(a, b);
                auto mask = [&](char c) {
                    return static_cast<unsigned>(
                        _mm_movemask_epi8(_mm_cmpeq_epi8(packed, _mm_set1_epi8(c))));
                };
                // Only control cells carry the character 0x02 with a high byte of 0xF0..0xF2;
                // any character 0x02 stops the chunk before it for the exact test below.
                const unsigned p = static_cast<unsigned>(__builtin_ctz(mask(0x02) | 0x10000));
                if (p > 0) {
                    const unsigned valid = (1u << p) - 1;
                    const unsigned blanks = mask(' ') & valid;
                    const unsigned keep =
                        valid & ~(blanks & ((blanks << 1) | (previous == ' ' ? 1u : 0u)));
                    const unsigned colons = mask(':') & valid;
                    letters = letters || (mask('E') & valid) != 0;
                    alignas(16) char chunk[32];
                    _mm_store_si128(reinterpret_cast<__m128i *>(chunk), packed);
                    _mm_store_si128(reinterpret_cast<__m128i *>(chunk + 16), packed);
                    // A colon is never dropped: it is found in the stretch that holds it.
                    const unsigned at = colons && colon == std::string_view::npos
                                            ? static_cast<unsigned>(__builtin_ctz(colons))
                                            : 16u;
                    for (unsigned k = keep; k != 0;) {
                        const unsigned from = static_cast<unsigned>(__builtin_ctz(k));
                        const unsigned count = static_cast<unsigned>(__builtin_ctz(~(k >> from)));
                        std::memcpy(out + n, chunk + from, 16);
                        if (at - from < count)
                            colon = n + (at - from);
                        n += count;
                        k &= ~(((1u << count) - 1) << from);
                    }
                    previous = chunk[p - 1];
                    stop = static_cast<std::uint16_t>(stop + p);
                    if (p == 16)
                        continue;
                }
                if (stop > last)
                    break;
            }
#endif
            const std::uint16_t cell = cells_[stop];
            const char c = cellChar(cell);
            // Control cells all carry the character 0x02; text can too, with its own attribute.
            if (c == 0x02 && isControlCell(cell)) {
                if (cell != kCellWrap || fieldLine)
                    break;
                ++stop;
                continue;
            }
            take(c);
            letters = letters || c == 'E';
            ++stop;
        }
        line.maybeError = letters;
        index_ = stop <= end_ ? static_cast<std::uint16_t>(stop + 1) : stop;
        if (n > 0 && out[n - 1] == ' ')
            --n;
        line.colon = std::string_view::npos;
        if (colon != std::string_view::npos && colon < n) {
            std::size_t at = colon;
            if (at > 0 && out[at - 1] == ' ') {
                std::memmove(out + at - 1, out + at, n - at);
                --n;
                --at;
            }
            if (at + 2 < n && out[at + 1] == ' ') {
                std::memmove(out + at + 1, out + at + 2, n - at - 2);
                --n;
            }
            line.colon = at;
        }
        line.length = n;
    }
    // True when the next line starts with a blank written by an error or notice (attribute 0).
    bool nextStartsWithPlainBlank() const {
        return index_ <= end_ && cells_[index_] == makeCell(' ', 0);
    }
    bool nextIsEmpty() const {
        return index_ >= end_ || isControlCell(cells_[index_]);
    }

private:
    const std::uint16_t *cells_;
    std::uint16_t end_;
    std::uint16_t index_ = 0;
};

bool contains(std::string_view text, std::string_view key) {
    return text.find(key) != std::string_view::npos;
}

// Whether an engine error line is in text.
bool hasError(std::string_view text) {
    const char *p = text.data();
    const char *end = p + text.size();
    while (end - p >= 5) {
        p = static_cast<const char *>(std::memchr(p, 'E', static_cast<std::size_t>(end - p - 4)));
        if (!p)
            return false;
        if (std::memcmp(p, "ERROR", 5) == 0)
            return true;
        ++p;
    }
    return false;
}

} // namespace

const char *errorCategory(const std::string &text) {
    const std::string_view t = text;
    if (contains(t, "STACK:"))
        return "Push on full stack or Pop on empty stack";
    if (contains(t, "IE:"))
        return "Missing data or uninterpreted data left";
    if (contains(t, "PNOT:"))
        return "Case missing or invalid table number";
    if (contains(t, "CMND:"))
        return "Invalid command number in a Notation File";
    if (contains(t, "FILE:"))
        return "Invalid filename in the List File";
    if (contains(t, "SYNTAX:"))
        return "Syntax error in a Notation File";
    return "Unable to decode";
}

std::uint32_t renderRows(const std::uint16_t *cells, std::uint16_t endCell, std::uint32_t firstRow,
                         std::uint16_t l3Offset, std::uint16_t removedBytes, PduRowList &rows,
                         const PduOutput *marks) {
    if (!cells)
        return firstRow;
    LineCursor lines(cells, endCell);
    std::uint32_t row = firstRow;
    std::uint32_t offset = std::uint32_t(l3Offset) + removedBytes + 2;
    std::uint32_t elementLength = 0;
    // The last octet a field of the current element was about (its length octet at first).
    std::uint32_t lastFieldOctet = 0;
    // The octets of a field whose value line ends before cell lineEnd: those read since the
    // field before it, up to the last one read before its line ended (a value written octet by
    // octet, such as digits, reads its octets while its line is being written).
    auto fieldOctets = [&](std::uint16_t lineEnd, std::uint32_t &at, std::uint32_t &count) {
        at = offset;
        count = elementLength;
        if (!marks)
            return;
        const std::uint16_t read = marks->octetBefore(lineEnd > 0 ? lineEnd - 1u : 0u);
        if (read == PduOutput::kNoOctet || read == 0)
            return;
        const std::uint32_t octet = std::uint32_t(l3Offset) + removedBytes + read;
        if (octet < offset || octet >= offset + elementLength)
            return;
        const std::uint32_t first = std::min(std::max(lastFieldOctet + 1, offset), octet);
        at = first;
        count = octet - first + 1;
        lastFieldOctet = octet;
    };
    auto add = [&](std::string_view value, std::string_view name, std::uint32_t at,
                   std::uint32_t count, bool header, bool capitalise = false) {
        rows.add(row++, at, count, value, name, header, capitalise);
    };
    auto addHeader = [&](std::string_view value, const char *name, std::uint32_t at) {
        rows.add(row++, at, 1, value, name, true, false, true);
    };
    std::string category;
    auto addError = [&](std::string_view text, std::uint32_t at, std::uint32_t count) {
        category.assign(text);
        rows.add(row++, at, count, kDecodingErrorText, errorCategory(category), true, false, true);
    };
    // The message type lines that open every decode are not rows; an error met there (a start
    // table that cannot be read, a message type no table knows) is. Only a line the engine's
    // error opens is one: a message type may be called "PROTOCOL ERROR".
    // The decode ends at its error, so the rest of the output is the error's text.
    for (int k = 0; k < 2; ++k) {
        lines.skipLine(category);
        if (category.rfind("ERROR: ", 0) == 0) {
            std::string more;
            while (lines.more()) {
                lines.skipLine(more);
                category += ' ';
                category += more;
            }
            addError(category, offset, 1);
            return row;
        }
    }
    Line line, next;
    while (lines.more()) {
        lines.extract(line);
        std::uint16_t valueEnd = lines.position();
        if (line.length == 0)
            continue;
        if (line.startsWithBlank()) {
            const std::string_view text = line.view().substr(1);
            std::string_view name, value;
            const std::size_t colon =
                line.colon == std::string_view::npos ? line.colon : line.colon - 1;
            bool maybeError = line.maybeError;
            if (colon == std::string_view::npos) {
                value = text;
            } else if (colon + 1 == text.size()) {
                name = text.substr(0, colon);
                lines.extract(next);
                valueEnd = lines.position();
                value = next.view();
                maybeError = next.maybeError;
                if (!value.empty() && value.front() == ' ')
                    value.remove_prefix(1);
            } else {
                name = text.substr(0, colon);
                value = text.substr(colon + 1);
            }
            if (maybeError && hasError(value)) {
                addError(value, offset, elementLength);
                continue;
            }
            std::uint32_t at = 0, count = 0;
            fieldOctets(valueEnd, at, count);
            add(value, name, at, count, false, true);
            continue;
        }
        const std::string_view text = line.view();
        const std::size_t lg = text.find("Lg =");
        if (lg == std::string_view::npos) {
            offset += elementLength;
            if (line.maybeError && hasError(text))
                addError(text, offset, 1);
            else
                addHeader(text, "Information Element Identifier (Single Byte)", offset);
            elementLength = 1;
            continue;
        }
        std::string_view name = text.substr(0, lg);
        if (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        std::string_view length = text.substr(lg + 4);
        while (!length.empty() && length.front() == ' ')
            length.remove_prefix(1);
        offset += elementLength;
        bool maybeError = line.maybeError;
        if (!lines.nextIsEmpty() && !lines.nextStartsWithPlainBlank()) {
            lines.extract(next);
            maybeError = maybeError || next.maybeError;
            std::string_view more = next.view();
            if (!more.empty() && more.front() == ' ')
                more.remove_prefix(1);
            category.assign(name);
            category += ' ';
            category.append(more);
            name = category;
        }
        if (maybeError && hasError(name)) {
            addError(name, offset, 1);
        } else {
            addHeader(name, "Information Element Identifier", offset);
            addHeader(length, "Information Element Length", offset + 1);
        }
        offset += 2;
        lastFieldOctet = offset - 1;
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

std::uint32_t renderRows(const std::uint16_t *cells, std::uint16_t endCell, std::uint32_t firstRow,
                         std::uint16_t l3Offset, std::uint16_t removedBytes,
                         std::vector<PduRow> &rows, const PduOutput *marks) {
    PduRowList list;
    const std::uint32_t next =
        renderRows(cells, endCell, firstRow, l3Offset, removedBytes, list, marks);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const PduRowView v = list[i];
        rows.push_back({v.rowNumber, v.frameOffset, v.byteCount, std::string(v.value),
                        std::string(v.fieldName), v.header});
    }
    return next;
}

void PduRowList::add(std::uint32_t rowNumber, std::uint32_t frameOffset, std::uint32_t byteCount,
                     std::string_view value, std::string_view fieldName, bool header,
                     bool capitalise, bool staticName) {
    Entry e;
    e.rowNumber = rowNumber;
    e.frameOffset = static_cast<std::uint16_t>(frameOffset);
    e.byteCount = static_cast<std::uint16_t>(byteCount);
    e.header = header;
    e.valueAt = static_cast<std::uint32_t>(text_.size());
    e.valueLength = static_cast<std::uint32_t>(value.size());
    text_.append(value);
    // The notation files are ASCII: only a to z are raised.
    if (capitalise && !value.empty() && text_[e.valueAt] >= 'a' && text_[e.valueAt] <= 'z')
        text_[e.valueAt] = static_cast<char>(text_[e.valueAt] - 'a' + 'A');
    e.nameLength = static_cast<std::uint32_t>(fieldName.size());
    if (staticName) {
        e.staticName = fieldName.data();
        e.nameAt = 0;
    } else {
        e.staticName = nullptr;
        e.nameAt = static_cast<std::uint32_t>(text_.size());
        text_.append(fieldName);
    }
    entries_.push_back(e);
}

std::string rawLines(const std::uint16_t *cells, std::uint16_t endCell) {
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
