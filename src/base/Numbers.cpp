#include "base/Numbers.h"

namespace qv {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::uint32_t> parseDigits(std::string_view text, unsigned base,
                                         std::uint32_t maxValue) {
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || static_cast<unsigned>(digit) >= base)
            return std::nullopt;
        value = value * base + static_cast<unsigned>(digit);
        if (value > maxValue)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::uint32_t> parseHexNumber(std::string_view text, std::uint32_t maxValue) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    return parseDigits(text, 16, maxValue);
}

std::optional<std::vector<std::uint8_t>> parseHexOctets(std::string_view text,
                                                        std::string_view separators) {
    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (separators.find(text[i]) != std::string_view::npos) {
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            return std::nullopt;
        const int high = hexDigitValue(text[i]), low = hexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out.push_back(static_cast<std::uint8_t>(high * 16 + low));
        i += 2;
    }
    if (out.empty())
        return std::nullopt;
    return out;
}

char hexDigit(unsigned value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

void appendHex(std::string &out, unsigned value, int minDigits) {
    char text[2 * sizeof(unsigned)];
    int n = 0;
    do {
        text[n++] = hexDigit(value);
        value >>= 4;
    } while (value != 0 || (n < minDigits && n < static_cast<int>(sizeof text)));
    while (n > 0)
        out.push_back(text[--n]);
}

std::optional<std::string> bcdDigits(const std::uint8_t *octets, std::size_t count) {
    std::string out;
    for (std::size_t k = 0; k < count; ++k) {
        const unsigned high = octets[k] >> 4, low = octets[k] & 0x0F;
        if (high > 9 || low > 9)
            return std::nullopt;
        out.push_back(static_cast<char>('0' + high));
        out.push_back(static_cast<char>('0' + low));
    }
    return out;
}

} // namespace qv
