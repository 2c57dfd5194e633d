#pragma once
// Decimal text without printf, for the texts made for every row of a summary.
#include <string>

namespace qv {

// Appends value in decimal with at least minDigits digits (leading zeros), as "%.0Nu" does.
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
