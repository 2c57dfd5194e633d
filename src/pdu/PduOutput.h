#pragma once
// The interpreter's output: a fixed buffer of display cells (a character and an attribute),
// with its own line breaking at 30 columns and a truncation notice when the buffer is full.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qv::pdu {

inline constexpr std::size_t kOutputCells = 5120;
inline constexpr int kLineWidth = 30;
inline constexpr std::uint16_t kCellLineEnd = 0xF202;
inline constexpr std::uint16_t kCellWrap = 0xF102;
inline constexpr std::uint16_t kCellEnd = 0xF002;
inline constexpr std::string_view kTruncationNotice = "**Decoding too large: display truncated**";

inline std::uint16_t makeCell(char c, std::uint8_t attribute) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(c) | attribute << 8);
}
inline char cellChar(std::uint16_t cell) {
    return static_cast<char>(cell & 0xFF);
}
inline std::uint8_t cellAttribute(std::uint16_t cell) {
    return static_cast<std::uint8_t>(cell >> 8);
}
inline bool isControlCell(std::uint16_t cell) {
    return cell == kCellLineEnd || cell == kCellWrap || cell == kCellEnd;
}

class PduOutput {
public:
    void begin() {
        position_ = 0;
        column_ = 0;
        markCount_ = 0;
    }
    // The message octet the decode has just read: what is written from here on is about it
    // (and those read before it since the last line).
    void markOctet(std::uint16_t octet) {
        if (markCount_ < kMaxMarks) {
            markCells_[markCount_] = static_cast<std::uint16_t>(position_);
            markOctets_[markCount_] = octet;
            ++markCount_;
        }
    }
    // The octet read last before cell was written; kNoOctet when none was read before it.
    static constexpr std::uint16_t kNoOctet = 0xFFFF;
    std::uint16_t octetBefore(std::size_t cell) const;
    // Writes one piece: it is never split, and it starts a new line when it would pass the width.
    void write(std::string_view text, std::uint8_t attribute) {
        if (truncated()) {
            writeTruncationTail();
            return;
        }
        const int n = static_cast<int>(text.size());
        if (column_ != 0 && column_ + n > kLineWidth) {
            put(kCellWrap);
            column_ = 0;
        }
        // A piece longer than the margin the truncation rule keeps is cut at it.
        std::size_t count = text.size();
        if (count > kOutputCells - 2 - position_)
            count = kOutputCells - 2 - position_;
        std::uint16_t *out = cells_ + position_;
        const auto high = static_cast<std::uint16_t>(attribute << 8);
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<std::uint16_t>(static_cast<std::uint8_t>(text[i]) | high);
        position_ += count;
        column_ += n;
    }
    void write(char c, std::uint8_t attribute) { write(std::string_view(&c, 1), attribute); }
    // The same as writing each byte as a piece of its own, a line at a time.
    void writeEach(const std::uint8_t *bytes, std::size_t count, std::uint8_t attribute);
    void endLine();
    // Closes the output with an end cell; returns its index.
    std::uint16_t finish();

    const std::uint16_t *cells() const { return cells_; }
    std::size_t position() const { return position_; }
    int column() const { return column_; }
    bool truncated() const { return position_ + kLineWidth >= kOutputCells; }

    // Number fields.
    void fiveDigits(unsigned value, std::uint8_t attribute);
    void unsignedDecimal(std::uint32_t value, std::uint8_t attribute);
    void dotted(const std::uint8_t *bytes, int count, std::uint8_t attribute);
    void bitPicture(std::uint8_t value, std::uint8_t attribute);
    void hexByte(std::uint8_t value, std::uint8_t attribute); // " XX"

private:
    void put(std::uint16_t cell) { cells_[position_++] = cell; }
    void writeTruncationTail();

    std::uint16_t cells_[kOutputCells];
    std::size_t position_ = 0;
    int column_ = 0;
    // Where each octet read stood in the output: octet markOctets_[k] was read when
    // markCells_[k] cells had been written. Marks past the table's end are not kept.
    static constexpr std::size_t kMaxMarks = 4096;
    std::uint16_t markCells_[kMaxMarks];
    std::uint16_t markOctets_[kMaxMarks];
    std::size_t markCount_ = 0;
};

} // namespace qv::pdu
