#pragma once
// Turns the interpreter's cell stream into the rows of the protocol detail: one row per decoded
// field or element header, with the frame offset and byte count of what it describes.
#include <cstdint>
#include <string>
#include <vector>

namespace qv::pdu {

struct PduRow {
    std::uint32_t rowNumber = 0;
    std::uint16_t frameOffset = 0;
    std::uint16_t byteCount = 0;
    std::string value;
    std::string fieldName;
    bool header = false;
};

inline constexpr const char* kDecodingErrorText = "DECODING ERROR";

// The row text of an engine error line, by the kind of error it names.
const char* errorCategory(const std::string& text);

// Renders cells[0..endCell] into rows appended to rows. l3Offset is the offset of the layer-3
// message in the frame and removedBytes the number of call-reference bytes taken out before the
// decode. Returns the row number after the last row.
std::uint32_t renderRows(const std::uint16_t* cells, std::uint16_t endCell, std::uint32_t firstRow,
                         std::uint16_t l3Offset, std::uint16_t removedBytes,
                         std::vector<PduRow>& rows);

// The output line by line as the cells hold it; a line that wraps ends with a backslash.
std::string rawLines(const std::uint16_t* cells, std::uint16_t endCell);

} // namespace qv::pdu
