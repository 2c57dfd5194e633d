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
