// The call list over the generated 1,000,000-frame capture (mix scenario, stored layout), against
// the plain walk of the summary over the same file in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "BenchSupport.h"
#include "analysis/CallList.h"
#include "app/DecoderContext.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "synth/Scenario.h"

namespace {

constexpr std::uint32_t kFrames = qv::bench::kMixFrames;

const std::string &storedMix() {
    static const qv::bench::TemporaryCapture capture =
        qv::bench::writeMix(qv::synth::Layout::Stored, "calls");
    return capture.path;
}

const qv::DecoderServices &services() {
    return qv::bench::benchServices();
}

void rate(benchmark::State &state) {
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(kFrames) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

// The summary's walk: every frame decoded in file order.
void BM_StoredSummaryWalk(benchmark::State &state) {
    qv::StderrUserMessages messages;
    for (auto _ : state) {
        state.PauseTiming();
        qv::CDecodeDoc doc(messages, services());
        doc.openCapture(storedMix(), {});
        state.ResumeTiming();
        qv::ShownFrames shown(*doc.decodable());
        std::uint32_t count = 0;
        for (std::uint32_t n = 0; shown.next(n);)
            ++count;
        benchmark::DoNotOptimize(count);
    }
    rate(state);
}
BENCHMARK(BM_StoredSummaryWalk)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CallList(benchmark::State &state) {
    qv::StderrUserMessages messages;
    std::size_t calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qv::CDecodeDoc doc(messages, services());
        doc.openCapture(storedMix(), {});
        state.ResumeTiming();
        std::vector<qv::CallEntry> list;
        qv::FrameSource source(*doc.decodable());
        qv::buildCallList(source, list);
        calls = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["calls"] = static_cast<double>(calls);
    rate(state);
}
BENCHMARK(BM_CallList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
