// quorvane-cli pdu: the notation authors' workbench. Loads a notation folder, decodes one
// message as the interpreter receives it and prints the detail rows or the raw output lines.
#include "PduCommand.h"

#include "CliEnvironment.h"

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
    CliMessages messages;
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

struct PduOptions {
    std::string folder, list, protocol, home;
    std::vector<std::string> hex;
    std::uint16_t table = 3, startValue = 3;
    bool raw = false, message = false, v5 = false;
};

int pdu(const PduOptions &o) {
    std::string folder = o.folder, list = o.list, hex;
    const std::string &protocol = o.protocol, &home = o.home;
    const bool v5 = o.v5, raw = o.raw, message = o.message || o.v5 || !o.protocol.empty();
    const std::uint16_t table = o.table, startValue = o.startValue;
    for (const std::string &word : o.hex)
        hex += word;
    if (!protocol.empty() || (v5 && folder.empty())) {
        const std::string code = v5 ? std::string("V5") : protocol;
        folder = Installation::fromHomeOption(home).notationRoot() + "/" + code;
        list = code + "EN.LST";
    }
    if (folder.empty() || list.empty()) {
        std::fprintf(stderr, "pdu: give --notation DIR and --list FILE.LST, or --protocol CODE "
                             "or --v5\n");
        return kBadUsage;
    }
    std::vector<std::uint8_t> octets;
    if (!parseHex(hex, octets)) {
        std::fprintf(stderr,
                     "pdu: %s is not a message in hexadecimal octets (\"08 01 05\", "
                     "\"080105\")\n",
                     hex.c_str());
        return kBadUsage;
    }
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
    pdu::renderRows(result.cells, result.endCell, 0, 0, 0, rows, result.output);
    for (const pdu::PduRow &row : rows)
        std::printf("%u\t%u\t%c\t%s\t%s\n", row.frameOffset, row.byteCount, row.header ? 'H' : 'F',
                    row.fieldName.c_str(), row.value.c_str());
    return 0;
}

} // namespace

void addPduCommand(Commands &commands) {
    auto o = commands.options<PduOptions>();
    CLI::App *c = commands.add("pdu", "One message decoded by notation files (for their authors).",
                               kDevelopmentGroup, [o] { return pdu(*o); });
    c->footer("The rows of the decode or the raw output lines, as the interpreter receives the "
              "message; with --protocol, --v5 or --message as a frame carries it.");
    c->add_option("HEX", o->hex, "the message in hexadecimal octets")->required()->type_name("HEX");
    c->add_option("--notation", o->folder, "the notation folder")->type_name("DIR");
    c->add_option("--list", o->list, "the List File of the folder")->type_name("FILE.LST");
    // A table or start value: decimal, or hexadecimal after "0x".
    const auto small = [](const char *name, std::uint16_t &target) {
        return [name, &target](const std::string &text) {
            const bool hex =
                text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
            const std::optional<std::uint32_t> v =
                hex ? parseHexNumber(text, 0xFFFF) : parseDigits(text, 10, 0xFFFF);
            if (!v)
                throw CLI::ValidationError(name, text + " is not 0..65535 (or 0x0..0xFFFF)");
            target = static_cast<std::uint16_t>(*v);
        };
    };
    c->add_option_function<std::string>("--table", small("--table", o->table),
                                        "the table the decode starts in (default 3)")
        ->type_name("N");
    c->add_option_function<std::string>("--start-value", small("--start-value", o->startValue),
                                        "the start value (default 3)")
        ->type_name("V");
    c->add_flag("--raw", o->raw, "the interpreter's raw output lines");
    c->add_flag("--message", o->message,
                "the message as a frame carries it, from its protocol discriminator");
    c->add_option("--protocol", o->protocol,
                  "the installed notation folder of variant CODE (implies --message)")
        ->type_name("CODE");
    c->add_flag("--v5", o->v5, "the installed V5 notation folder (implies --message)");
    addHomeOption(*c, o->home);
}

} // namespace qv::cli
