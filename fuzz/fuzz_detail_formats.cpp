// The detail tree, its JSON document and the table writer on any sequence of detail lines and
// cells: lines of any kind in any order, texts of any bytes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/DetailFormats.h"
#include "cli/TableWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // Each line: kind, colour, offset, text length, text.
    std::vector<qv::DetailLine> lines;
    std::size_t at = 0;
    while (at + 4 <= size) {
        qv::DetailLine line;
        line.kind = static_cast<qv::DetailLineKind>(1 + data[at] % 6);
        line.colour = static_cast<qv::TextColour>(data[at + 1] % 8);
        line.frameOffset = data[at + 2] == 0xFF ? -1 : data[at + 2];
        line.byteCount = data[at + 2] & 3;
        const std::size_t length = std::min<std::size_t>(data[at + 3] % 24, size - at - 4);
        line.text.assign(reinterpret_cast<const char *>(data + at + 4), length);
        lines.push_back(std::move(line));
        at += 4 + length;
    }
    const std::string tree = qv::cli::detailTree(lines);
    const std::string json = qv::cli::detailJson(lines).dump(-1, ' ', true);
    const std::string raw = qv::cli::detailLines(lines);
    if (json.empty() || (lines.empty() != raw.empty()))
        __builtin_trap();

    static std::FILE *sink = std::fopen("/dev/null", "w");
    std::vector<std::string> titles = {"A", "B,\"C\""};
    for (qv::cli::Format format : {qv::cli::Format::Text, qv::cli::Format::Csv,
                                   qv::cli::Format::Json, qv::cli::Format::Jsonl}) {
        qv::cli::TableWriter table(format, titles, sink, format == qv::cli::Format::Text);
        for (const qv::DetailLine &line : lines) {
            table.cell(line.text);
            if (line.kind % 2 == 0)
                table.endRow();
        }
        table.endRow();
    }
    return 0;
}
