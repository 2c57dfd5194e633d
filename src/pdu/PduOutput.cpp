#include "pdu/PduOutput.h"

#include <algorithm>

namespace qv::pdu {

std::uint16_t PduOutput::octetBefore(std::size_t cell) const {
    // The marks are in the order of the output: the last one at or before cell.
    const std::uint16_t *end = markCells_ + markCount_;
    const std::uint16_t *after = std::upper_bound(
        markCells_, end, static_cast<std::uint16_t>(std::min<std::size_t>(cell, 0xFFFF)));
    return after == markCells_ ? kNoOctet : markOctets_[after - markCells_ - 1];
}

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

} // namespace

void PduOutput::writeTruncationTail() {
    // The tail always stands at the same place, so the buffer ends with the notice whatever
    // is written after it.
    position_ = kOutputCells - kTruncationNotice.size() - 3;
    put(kCellWrap);
    for (char c : kTruncationNotice)
        put(makeCell(c, 0));
    put(kCellEnd);
    column_ = 1;
}

void PduOutput::writeEach(const std::uint8_t *bytes, std::size_t count, std::uint8_t attribute) {
    const auto high = static_cast<std::uint16_t>(attribute << 8);
    while (count > 0) {
        if (truncated()) {
            writeTruncationTail();
            return;
        }
        if (column_ >= kLineWidth) {
            put(kCellWrap);
            column_ = 0;
        }
        // As many as fit on this line and before the truncation margin.
        std::size_t take = static_cast<std::size_t>(kLineWidth - column_);
        const std::size_t margin = kOutputCells - kLineWidth - position_;
        if (take > margin)
            take = margin;
        if (take > count)
            take = count;
        if (take == 0)
            take = 1;
        for (std::size_t i = 0; i < take; ++i)
            cells_[position_ + i] = static_cast<std::uint16_t>(bytes[i] | high);
        position_ += take;
        column_ += static_cast<int>(take);
        bytes += take;
        count -= take;
    }
}

void PduOutput::endLine() {
    if (column_ != 0 && !truncated()) {
        put(kCellLineEnd);
        column_ = 0;
    }
}

std::uint16_t PduOutput::finish() {
    if (position_ > 0 && cells_[position_ - 1] == kCellWrap) {
        cells_[position_ - 1] = kCellEnd;
    } else if (position_ == 0 || cells_[position_ - 1] != kCellEnd) {
        if (position_ >= kOutputCells)
            position_ = kOutputCells - 1;
        put(kCellEnd);
    }
    return static_cast<std::uint16_t>(position_ - 1);
}

void PduOutput::fiveDigits(unsigned value, std::uint8_t attribute) {
    char field[6] = {' ', ' ', ' ', ' ', ' ', ' '};
    value %= 100000;
    int at = 5;
    do {
        field[at--] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && at > 0);
    write(std::string_view(field, 6), attribute);
}

void PduOutput::unsignedDecimal(std::uint32_t value, std::uint8_t attribute) {
    char digits[10];
    int n = 0;
    do {
        digits[9 - n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    write(std::string_view(digits + 10 - n, static_cast<std::size_t>(n)), attribute);
}

void PduOutput::dotted(const std::uint8_t *bytes, int count, std::uint8_t attribute) {
    char text[16];
    int n = 0;
    text[n++] = ' ';
    for (int i = 0; i < count; ++i) {
        if (i)
            text[n++] = '.';
        const unsigned v = bytes[i];
        if (v >= 100)
            text[n++] = static_cast<char>('0' + v / 100);
        if (v >= 10)
            text[n++] = static_cast<char>('0' + v / 10 % 10);
        text[n++] = static_cast<char>('0' + v % 10);
    }
    // The dotted text fills 15 characters; when it is 15 long by itself it has no leading blank.
    const char *start = text;
    if (n - 1 == 15) {
        ++start;
        --n;
    }
    char field[15];
    for (int i = 0; i < 15; ++i)
        field[i] = i < n ? start[i] : ' ';
    write(std::string_view(field, 15), attribute);
}

void PduOutput::bitPicture(std::uint8_t value, std::uint8_t attribute) {
    const unsigned bcd = (value / 100u) << 8 | (value / 10u % 10u) << 4 | value % 10u;
    const int groups = bcd < 0x80 ? 2 : 3;
    char text[2 + 3 * 5];
    int n = 0;
    text[n++] = ' ';
    text[n++] = ' ';
    for (int g = groups - 1; g >= 0; --g) {
        const unsigned nibble = (bcd >> (4 * g)) & 0xF;
        for (int bit = 3; bit >= 0; --bit)
            text[n++] = (nibble >> bit) & 1 ? '1' : '0';
        if (g > 0)
            text[n++] = ' ';
    }
    write(std::string_view(text, static_cast<std::size_t>(n)), attribute);
}

void PduOutput::hexByte(std::uint8_t value, std::uint8_t attribute) {
    const char text[3] = {' ', kHexDigits[value >> 4], kHexDigits[value & 15]};
    write(std::string_view(text, 3), attribute);
}

} // namespace qv::pdu
