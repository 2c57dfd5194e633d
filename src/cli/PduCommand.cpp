// quorvane-cli pdu: the notation authors' workbench. Loads a notation folder, decodes one
// message as the interpreter receives it and prints the detail rows or the raw output lines.
#include "PduCommand.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/Installation.h"
#include "base/Numbers.h"
#include "base/UserMessages.h"
#include "pdu/PduInterpreter.h"
#include "pdu/PduRender.h"
#include "pdu/interface/PduInterpreterObject.h"

namespace qv::cli {

namespace {

constexpr std::size_t kArenaSize = 220000;

void printRows(const pdu::PduRowList &rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const pdu::PduRowView row = rows[i];
        std::printf("%u\t%u\t%c\t%.*s\t%.*s\n", row.frameOffset, row.byteCount,
                    row.header ? 'H' : 'F', static_cast<int>(row.fieldName.size()),
                    row.fieldName.data(), static_cast<int>(row.value.size()), row.value.data());
    }
}

// The message as a frame carries it, decoded as the frame decoder does: the call reference (or
// a V5 message's layer-3 address) is taken out first.
int decodeMessage(const std::string &folder, const std::string &list, bool v5,
                  const std::vector<std::uint8_t> &message) {
    StderrUserMessages messages;
    PduInterpreterObject object;
    if (!object.allocateArena(kArenaSize) || object.Initialise(folder, list, messages) != 0)
        return 1;
    pdu::PduRowList rows;
    const int r = v5 ? object.DecodeV5(message.data(), message.size(), rows, 0, 0)
                     : object.Decode(message.data(), message.size(), rows, 0, 0);
    if (r != 0)
        return 1;
    printRows(rows);
    return 0;
}

void printLoaderMessage(void *, const char *text, const char *caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

bool parseHex(const std::string &text, std::vector<std::uint8_t> &out) {
    std::optional<std::vector<std::uint8_t>> octets = parseHexOctets(text, " :-");
    if (!octets || octets->size() > 0xFFFF)
        return false;
    out = std::move(*octets);
    return true;
}

// A table or start value: decimal, or hexadecimal after "0x".
bool parseSmall(const std::string &text, std::uint16_t &out) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::optional<std::uint32_t> v =
        hex ? parseHexNumber(text, 0xFFFF) : parseDigits(text, 10, 0xFFFF);
    if (!v)
        return false;
    out = static_cast<std::uint16_t>(*v);
    return true;
}

} // namespace

int pdu(const std::vector<std::string> &args) {
    std::string folder, list, hex, protocol, home;
    std::uint16_t table = 3, startValue = 3;
    bool raw = false, message = false, v5 = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--raw") {
            raw = true;
        } else if (a == "--message") {
            message = true;
        } else if (a == "--v5") {
            v5 = message = true;
        } else if (a == "--protocol" && hasValue) {
            protocol = args[++i];
            message = true;
        } else if (a == "--home" && hasValue) {
            home = args[++i];
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
    if (!protocol.empty() || (v5 && folder.empty())) {
        const std::string code = v5 ? std::string("V5") : protocol;
        folder = (home.empty() ? Installation::executableFolder() : home) + "/ISDNNOT/" + code;
        list = code + "EN.LST";
    }
    std::vector<std::uint8_t> octets;
    if (folder.empty() || list.empty() || !parseHex(hex, octets))
        return 2;
    if (message && !raw)
        return decodeMessage(folder, list, v5, octets);
    auto arena = std::make_unique<std::uint8_t[]>(kArenaSize);
    auto interpreter = std::make_unique<pdu::PduInterpreter>();
    if (!interpreter->initialise(arena.get(), kArenaSize, folder.c_str(), list.c_str(),
                                 printLoaderMessage, nullptr)) {
        std::fprintf(stderr, "Can't open file %s. Please, check notation files path ...\n",
                     (folder + "/" + list).c_str());
        return 1;
    }
    const pdu::PduDecodeResult result = interpreter->decode(
        octets.data(), static_cast<std::uint16_t>(octets.size()), table, startValue);
    if (raw) {
        std::fputs(pdu::rawLines(result.cells, result.endCell).c_str(), stdout);
        return 0;
    }
    std::vector<pdu::PduRow> rows;
    pdu::renderRows(result.cells, result.endCell, 0, 0, 0, rows);
    for (const pdu::PduRow &row : rows)
        std::printf("%u\t%u\t%c\t%s\t%s\n", row.frameOffset, row.byteCount, row.header ? 'H' : 'F',
                    row.fieldName.c_str(), row.value.c_str());
    return 0;
}

} // namespace qv::cli
