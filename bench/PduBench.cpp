// The layer-3 interpreter on a 60-byte call set-up message: the decode alone, and the decode
// with the rendering of its output into detail rows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "pdu/PduInterpreter.h"
#include "pdu/PduRender.h"

namespace {

std::vector<std::uint8_t> setupMessage() {
    std::vector<std::uint8_t> m = {0x08, 0x05, 0xA1, 0x04, 0x03, 0x80,
                                   0x90, 0xA3, 0x18, 0x01, 0x89};
    auto element = [&](std::uint8_t id, std::vector<std::uint8_t> head, const std::string &text) {
        m.push_back(id);
        m.push_back(static_cast<std::uint8_t>(head.size() + text.size()));
        m.insert(m.end(), head.begin(), head.end());
        m.insert(m.end(), text.begin(), text.end());
    };
    element(0x6C, {0x01, 0x81}, "3545850900");
    element(0x70, {0x81}, "1111222333");
    element(0x28, {}, "Nenad Corbic Testing");
    return m;
}

struct Fixture {
    Fixture() : arena(std::make_unique<std::uint8_t[]>(220000)) {
        const std::string folder = std::string(QUORVANE_SOURCE_DIR) + "/tests/data/pdu/demo";
        ok = engine.initialise(arena.get(), 220000, folder.c_str(), "DEMO.LST");
    }
    std::unique_ptr<std::uint8_t[]> arena;
    qv::pdu::PduInterpreter engine;
    bool ok = false;
};

void BM_PduDecode(benchmark::State &state) {
    auto f = std::make_unique<Fixture>();
    const std::vector<std::uint8_t> m = setupMessage();
    if (!f->ok || m.size() != 60) {
        state.SkipWithError("demo tables or message not as expected");
        return;
    }
    for (auto _ : state) {
        auto r = f->engine.decode(m.data(), static_cast<std::uint16_t>(m.size()), 3, 3);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_PduDecode);

void BM_PduDecodeAndRender(benchmark::State &state) {
    auto f = std::make_unique<Fixture>();
    const std::vector<std::uint8_t> m = setupMessage();
    qv::pdu::PduRowList rows;
    const auto check = f->engine.decode(m.data(), static_cast<std::uint16_t>(m.size()), 3, 3);
    if (!f->ok || m.size() != 60 || check.error != -1) {
        state.SkipWithError("the message does not decode cleanly");
        return;
    }
    for (auto _ : state) {
        auto r = f->engine.decode(m.data(), static_cast<std::uint16_t>(m.size()), 3, 3);
        rows.clear();
        qv::pdu::renderRows(r.cells, r.endCell, 0, 4, 2, rows);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_PduDecodeAndRender);

} // namespace
