// Loads arbitrary List and Notation Files: the input is cut at 0xFF bytes into the List File and
// the tables 3, 4 and 5, loaded into an arena whose size the first byte chooses, and a few
// messages are decoded against what loaded.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "ScratchFolder.h"
#include "pdu/PduInterpreter.h"
#include "pdu/PduRender.h"

namespace {

const std::filesystem::path &folder() {
    return qv::fuzz::scratchFolder();
}

void ignore(void *, const char *, const char *) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2)
        return 0;
    const char *names[] = {"FUZZ.LST", "T3.NOT", "T4.NOT", "T5.NOT"};
    std::vector<std::string> parts(4);
    std::size_t part = 0;
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0xFF && part < 3)
            ++part;
        else
            parts[part].push_back(static_cast<char>(data[i]));
    }
    for (int k = 0; k < 4; ++k)
        std::ofstream(folder() / names[k], std::ios::binary) << parts[static_cast<std::size_t>(k)];

    static const std::size_t kSizes[] = {1500, 4000, 20000, 220000};
    const std::size_t arenaSize = kSizes[data[0] & 3];
    auto arena = std::make_unique<std::uint8_t[]>(arenaSize);
    auto engine = std::make_unique<qv::pdu::PduInterpreter>();
    engine->initialise(arena.get(), arenaSize, folder().c_str(), names[0], ignore, nullptr);
    const std::vector<std::vector<std::uint8_t>> messages = {
        {0x08, 0x05, 0x04, 0x03, 0x80, 0x90, 0xA3}, {0x00}, {0x41, 0x42, 0x43, 0x44}, {}};
    std::vector<qv::pdu::PduRow> rows;
    for (std::uint16_t table : {3, 4, 5, 9, 31, 32}) {
        for (const auto &m : messages) {
            const auto r = engine->decode(m.data(), static_cast<std::uint16_t>(m.size()), table, 3);
            if (r.cells[r.endCell] != qv::pdu::kCellEnd)
                __builtin_trap();
            rows.clear();
            qv::pdu::renderRows(r.cells, r.endCell, 0, 4, 2, rows, r.output);
        }
    }
    return 0;
}
