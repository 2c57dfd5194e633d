// Decodes arbitrary messages against a fixed, realistic table set: the first two bytes choose
// the start table and start value. Every decode must end, with an end cell, and render.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pdu/PduInterpreter.h"
#include "pdu/PduRender.h"

namespace {

qv::pdu::PduInterpreter &interpreter() {
    static std::unique_ptr<std::uint8_t[]> arena = std::make_unique<std::uint8_t[]>(220000);
    static std::unique_ptr<qv::pdu::PduInterpreter> engine = [] {
        auto e = std::make_unique<qv::pdu::PduInterpreter>();
        const std::string folder = std::string(QUORVANE_SOURCE_DIR) + "/tests/data/pdu/demo";
        if (!e->initialise(arena.get(), 220000, folder.c_str(), "DEMO.LST"))
            __builtin_trap();
        return e;
    }();
    return *engine;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2 || size > 0xFFFF)
        return 0;
    const std::uint16_t table = (data[0] & 0x80) ? data[0] & 0x3F : 3;
    const std::uint16_t startValue = (data[1] & 0x80) ? data[1] & 0x7F : 3;
    const auto r =
        interpreter().decode(data + 2, static_cast<std::uint16_t>(size - 2), table, startValue);
    if (r.cells[r.endCell] != qv::pdu::kCellEnd)
        __builtin_trap();
    static std::vector<qv::pdu::PduRow> rows;
    rows.clear();
    qv::pdu::renderRows(r.cells, r.endCell, 0, 4, 2, rows, r.output);
    qv::pdu::rawLines(r.cells, r.endCell);
    return 0;
}
