#pragma once
// Turns the interpreter's cell stream into the rows of the protocol detail: one row per decoded
// field or element header, with the frame offset and byte count of what it describes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pdu/PduOutput.h"

namespace qv::pdu {

struct PduRow {
    std::uint32_t rowNumber = 0;
    std::uint16_t frameOffset = 0;
    std::uint16_t byteCount = 0;
    std::string value;
    std::string fieldName;
    bool header = false;
};

inline constexpr const char *kDecodingErrorText = "DECODING ERROR";

// A row of a rendering as PduRowList keeps it: its texts point into the list.
struct PduRowView {
    std::uint32_t rowNumber = 0;
    std::uint16_t frameOffset = 0;
    std::uint16_t byteCount = 0;
    std::string_view value;
    std::string_view fieldName;
    bool header = false;
};

// The rows of one rendering, their texts in one buffer. clear() keeps the buffers, so that
// rendering message after message into the same list soon allocates nothing.
class PduRowList {
public:
    void clear() {
        entries_.clear();
        text_.clear();
    }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    PduRowView operator[](std::size_t i) const {
        const Entry &e = entries_[i];
        return {e.rowNumber,
                e.frameOffset,
                e.byteCount,
                std::string_view(text_).substr(e.valueAt, e.valueLength),
                e.staticName ? std::string_view(e.staticName, e.nameLength)
                             : std::string_view(text_).substr(e.nameAt, e.nameLength),
                e.header};
    }
    // A field name without a buffer position (kStaticName) is a text of the program itself.
    void add(std::uint32_t rowNumber, std::uint32_t frameOffset, std::uint32_t byteCount,
             std::string_view value, std::string_view fieldName, bool header,
             bool capitalise = false, bool staticName = false);

private:
    struct Entry {
        std::uint32_t rowNumber;
        std::uint16_t frameOffset;
        std::uint16_t byteCount;
        std::uint32_t valueAt, valueLength, nameAt, nameLength;
        const char *staticName;
        bool header;
    };
    std::vector<Entry> entries_;
    std::string text_;
};

// The row text of an engine error line, by the kind of error it names.
const char *errorCategory(const std::string &text);

// Renders cells[0..endCell] into rows appended to rows. l3Offset is the offset of the layer-3
// message in the frame and removedBytes the number of call-reference bytes taken out before the
// decode. Returns the row number after the last row. With the output's octet marks, a field of
// an element names the octets read for it (those read since the field before it, up to the one
// read last before its line); without them, or where they fall outside the element, the whole
// of the element's contents.
std::uint32_t renderRows(const std::uint16_t *cells, std::uint16_t endCell, std::uint32_t firstRow,
                         std::uint16_t l3Offset, std::uint16_t removedBytes, PduRowList &rows,
                         const PduOutput *marks = nullptr);
std::uint32_t renderRows(const std::uint16_t *cells, std::uint16_t endCell, std::uint32_t firstRow,
                         std::uint16_t l3Offset, std::uint16_t removedBytes,
                         std::vector<PduRow> &rows, const PduOutput *marks = nullptr);

// The output line by line as the cells hold it; a line that wraps ends with a backslash.
std::string rawLines(const std::uint16_t *cells, std::uint16_t endCell);

} // namespace qv::pdu
