// The link analysis and the statistics over the generated 1,000,000-frame mix capture, each a
// whole walk of the document with its decoder, against the plain walk the summary makes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "BenchSupport.h"
#include "analysis/LinkAnalysis.h"
#include "analysis/Statistics.h"
#include "app/DecoderContext.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "synth/Scenario.h"

namespace {

constexpr std::uint32_t kFrames = qv::bench::kMixFrames;

const std::string &mixCapture() {
    static const qv::bench::TemporaryCapture capture =
        qv::bench::writeMix(qv::synth::Layout::RealTime, "expert");
    return capture.path;
}

const qv::DecoderServices &services() {
    return qv::bench::benchServices();
}

enum class Walk { Summary, Expert, Statistics };

void walk(benchmark::State &state, Walk kind) {
    qv::StderrUserMessages messages;
    std::uint64_t frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qv::CDecodeDoc doc(messages, services());
        doc.openCapture(mixCapture(), {});
        state.ResumeTiming();
        qv::DecodableObject &d = *doc.decodable();
        switch (kind) {
        case Walk::Summary: {
            qv::ShownFrames shown(d);
            std::uint32_t n = 0, count = 0;
            while (shown.next(n))
                ++count;
            benchmark::DoNotOptimize(count);
            break;
        }
        case Walk::Expert: {
            qv::LinkAnalysis analysis;
            qv::FrameSource source(d);
            qv::analyseLinks(source, analysis);
            state.counters["items"] = static_cast<double>(analysis.items().size());
            break;
        }
        case Walk::Statistics: {
            qv::Statistics statistics;
            qv::FrameSource source(d);
            qv::collectStatistics(source, statistics);
            benchmark::DoNotOptimize(statistics.frames());
            break;
        }
        }
        frames += doc.frameCount();
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

void BM_SummaryWalkBaseline(benchmark::State &state) {
    walk(state, Walk::Summary);
}
void BM_ExpertWalk(benchmark::State &state) {
    walk(state, Walk::Expert);
}
void BM_StatisticsWalk(benchmark::State &state) {
    walk(state, Walk::Statistics);
}
BENCHMARK(BM_SummaryWalkBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ExpertWalk)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_StatisticsWalk)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
