// quorvane-cli pdu: the notation authors' workbench. Loads a notation folder, decodes one
// message as the interpreter receives it and prints the detail rows or the raw output lines.
#include "PduCommand.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "pdu/PduInterpreter.h"
#include "pdu/PduRender.h"

namespace qv::cli {

namespace {

constexpr std::size_t kArenaSize = 220000;

void printLoaderMessage(void*, const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

bool parseHex(const std::string& text, std::vector<std::uint8_t>& out) {
    std::string digits;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits.push_back(c);
        else if (c != ' ' && c != ':' && c != '-')
            return false;
    }
    if (digits.size() % 2 != 0 || digits.size() / 2 > 0xFFFF)
        return false;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::strtoul(digits.substr(i, 2).c_str(), nullptr, 16)));
    return true;
}

bool parseSmall(const std::string& text, std::uint16_t& out) {
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || *end || v > 0xFFFF)
        return false;
    out = static_cast<std::uint16_t>(v);
    return true;
}

} // namespace

int pdu(const std::vector<std::string>& args) {
    std::string folder, list, hex;
    std::uint16_t table = 3, startValue = 3;
    bool raw = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--raw") {
            raw = true;
        } else if (a == "--notation" && hasValue) {
            folder = args[++i];
        } else if (a == "--list" && hasValue) {
            list = args[++i];
        } else if (a == "--table" && hasValue) {
            if (!parseSmall(args[++i], table))
                return 2;
        } else if (a == "--start-value" && hasValue) {
            if (!parseSmall(args[++i], startValue))
                return 2;
        } else if (!a.empty() && a[0] != '-') {
            hex += a;
        } else {
            return 2;
        }
    }
    std::vector<std::uint8_t> message;
    if (folder.empty() || list.empty() || !parseHex(hex, message))
        return 2;
    auto arena = std::make_unique<std::uint8_t[]>(kArenaSize);
    auto interpreter = std::make_unique<pdu::PduInterpreter>();
    if (!interpreter->initialise(arena.get(), kArenaSize, folder.c_str(), list.c_str(),
                                 printLoaderMessage, nullptr)) {
        std::fprintf(stderr, "Can't open file %s. Please, check notation files path ...\n",
                     (folder + "/" + list).c_str());
        return 1;
    }
    const pdu::PduDecodeResult result = interpreter->decode(
        message.data(), static_cast<std::uint16_t>(message.size()), table, startValue);
    if (raw) {
        std::fputs(pdu::rawLines(result.cells, result.endCell).c_str(), stdout);
        return 0;
    }
    std::vector<pdu::PduRow> rows;
    pdu::renderRows(result.cells, result.endCell, 0, 0, 0, rows);
    for (const pdu::PduRow& row : rows)
        std::printf("%u\t%u\t%c\t%s\t%s\n", row.frameOffset, row.byteCount, row.header ? 'H' : 'F',
                    row.fieldName.c_str(), row.value.c_str());
    return 0;
}

} // namespace qv::cli
