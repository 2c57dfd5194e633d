#pragma once
// Numbers and octets as people type them, and octets as the program writes them: one reading
// of a digit, a number and a hexadecimal string for the whole program.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The value of a hexadecimal digit of either case; -1 for any other character.
int hexDigitValue(char c);

// The number written in base (10 or 16) with its digits alone: nothing for an empty text, a sign,
// a blank or any other character, or a number above maxValue.
std::optional<std::uint32_t> parseDigits(std::string_view text, unsigned base,
                                         std::uint32_t maxValue = 0xFFFFFFFFu);

// A hexadecimal number, with or without its "0x".
std::optional<std::uint32_t> parseHexNumber(std::string_view text,
                                            std::uint32_t maxValue = 0xFFFFFFFFu);

// Octets written as pairs of hexadecimal digits ("A1 04 03", "a10403"). Any character of
// separators may stand between two pairs, never inside one; nothing for an empty text, a
// character that is neither, or a digit without its pair.
std::optional<std::vector<std::uint8_t>> parseHexOctets(std::string_view text,
                                                        std::string_view separators = " \t");

// The upper-case hexadecimal digit of a value of 0 to 15.
char hexDigit(unsigned value);

// value in upper-case hexadecimal, with at least minDigits digits (printf's "%0*X").
void appendHex(std::string &out, unsigned value, int minDigits = 2);

// The decimal digits of binary-coded decimal octets, high nibble first; nothing when a nibble is
// no digit.
std::optional<std::string> bcdDigits(const std::uint8_t *octets, std::size_t count);

// value in decimal with at least minDigits digits (leading zeros), as "%.0Nu" writes it, without
// printf: for the texts made for every row of a summary.
inline void appendDecimal(std::string &out, unsigned value, int minDigits = 1) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < minDigits && n < static_cast<int>(sizeof digits))
        digits[n++] = '0';
    while (n > 0)
        out.push_back(digits[--n]);
}

inline void assignDecimal(std::string &out, unsigned value) {
    out.clear();
    appendDecimal(out, value);
}

} // namespace qv
