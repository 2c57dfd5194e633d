#include "decode/HexaTrace.h"

#include <algorithm>
#include <cstdio>

#include "decode/CDecoder.h"

namespace qv {

std::string hexaTrace(const CDecoder &decoder, std::string_view lineEnd) {
    std::string trace, hex, ascii;
    for (int line = 0; decoder.hexaLine(line, hex, ascii) >= 0; ++line) {
        char offset[16];
        std::snprintf(offset, sizeof offset, "%04X:    ", static_cast<unsigned>(line * 16));
        trace.append(offset);
        trace.append(hex);
        if (hex.size() < 48)
            trace.append(48 - hex.size(), ' ');
        trace.push_back('\t');
        trace.append(ascii);
        trace.append(lineEnd);
    }
    return trace;
}

bool parseHexValue(std::string_view text, std::vector<std::uint8_t> &out) {
    out.clear();
    auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            return false;
        const int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        out.push_back(static_cast<std::uint8_t>(high * 16 + low));
        i += 2;
    }
    return !out.empty();
}

int findOctets(const std::uint8_t *octets, std::size_t count,
               const std::vector<std::uint8_t> &pattern, int from, bool forward) {
    if (pattern.empty() || pattern.size() > count || !octets)
        return -1;
    const int lastStart = static_cast<int>(count - pattern.size());
    auto matches = [&](int at) { return std::equal(pattern.begin(), pattern.end(), octets + at); };
    if (forward) {
        for (int at = std::max(from, 0); at <= lastStart; ++at)
            if (matches(at))
                return at;
    } else {
        for (int at = std::min(from, lastStart); at >= 0; --at)
            if (matches(at))
                return at;
    }
    return -1;
}

} // namespace qv
