#include "decode/HexaTrace.h"

#include <cstdio>

#include "decode/CDecoder.h"

namespace qv {

std::string hexaTrace(const CDecoder& decoder, std::string_view lineEnd) {
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

} // namespace qv
