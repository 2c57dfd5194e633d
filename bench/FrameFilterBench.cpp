// The filter's verdict over a long capture of calls: the off-line test in file order with call
// tracking on (a local-address criterion), and the real-time verdict with plain criteria.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "app/DecoderContext.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "decode/DecodedFrame.h"
#include "decode/LvtRecord.h"
#include "filters/FrameFilter.h"
#include "filters/OffLineFrameFilter.h"
#include "synth/Scenario.h"

namespace {

struct Capture {
    std::vector<qv::DecodedFrame> frames;
    std::vector<int> categories;
};

// Calls on 8 terminals: SETUP, CALL PROC, ALERTING, CONNECT, CONNECT ACK, DISCONNECT, RELEASE,
// RELEASE COMPLETE, each message followed by its RR; every third call from a wanted number.
Capture makeCapture(std::size_t frameCount) {
    Capture c;
    c.frames.reserve(frameCount);
    c.categories.reserve(frameCount);
    static constexpr struct {
        std::uint8_t type;
        bool fromUser;
    } kCall[] = {{0x05, true}, {0x02, false}, {0x01, false}, {0x07, false},
                 {0x0F, true}, {0x45, true},  {0x4D, false}, {0x5A, true}};
    std::uint32_t time = 0;
    for (std::uint32_t call = 0; c.frames.size() < frameCount; ++call) {
        const std::uint32_t tei = 64 + call % 8;
        const auto ref = static_cast<std::uint16_t>(1 + call % 127);
        for (const auto &step : kCall) {
            qv::DecodedFrame f;
            f.tei = tei;
            f.direction = step.fromUser ? qv::kDirectionTeNt : qv::kDirectionNtTe;
            f.format = qv::kFormatI;
            f.control = qv::kCtrlI;
            f.l3Kind = qv::kL3CallControl;
            f.crLength = 1;
            f.crFlag = step.fromUser ? 0 : 1;
            f.callRef = ref;
            f.messageType = step.type;
            f.timeMs = time += 40;
            if (step.type == 0x05) {
                f.callingAddress = call % 3 == 0 ? "1234567" : "7654321";
                f.calledAddress = "0800123456";
            }
            qv::DecodedFrame rr;
            rr.tei = tei;
            rr.direction = step.fromUser ? qv::kDirectionNtTe : qv::kDirectionTeNt;
            rr.format = qv::kFormatS;
            rr.control = qv::kCtrlRR;
            rr.timeMs = time += 10;
            const int sign = step.fromUser ? 1 : -1;
            c.frames.push_back(std::move(f));
            c.categories.push_back(3 * sign);
            c.frames.push_back(std::move(rr));
            c.categories.push_back(-2 * sign);
        }
    }
    c.frames.resize(frameCount);
    c.categories.resize(frameCount);
    return c;
}

const Capture &capture() {
    static const Capture c = makeCapture(1'000'000);
    return c;
}

void BM_OffLineTestWithCallTracking(benchmark::State &state) {
    const Capture &c = capture();
    qv::FilterCriteria criteria;
    criteria.localAddressSet = true;
    criteria.localAddress = "1234*";
    criteria.keepRR = false;
    qv::LvtRecord record;
    record.kind = qv::kFrameRecord;
    std::size_t kept = 0;
    for (auto _ : state) {
        qv::FrameFilter filter(qv::FilterKind::OffLine, criteria);
        for (std::uint32_t n = 0; n < c.frames.size(); ++n)
            kept += filter.offLineTest(c.frames[n], record, c.categories[n], n) == 0;
    }
    benchmark::DoNotOptimize(kept);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.frames.size()));
}
BENCHMARK(BM_OffLineTestWithCallTracking)->Unit(benchmark::kMillisecond);

void BM_RealTimeVerdict(benchmark::State &state) {
    const Capture &c = capture();
    qv::FilterCriteria criteria;
    criteria.teiSet = true;
    criteria.tei = 65;
    qv::FrameFilter filter(qv::FilterKind::RealTime, criteria);
    qv::LvtRecord record;
    record.kind = qv::kFrameRecord;
    std::size_t kept = 0;
    for (auto _ : state)
        for (std::uint32_t n = 0; n < c.frames.size(); ++n)
            kept += filter.Verdict(c.frames[n], record, c.categories[n], n) == 0;
    benchmark::DoNotOptimize(kept);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.frames.size()));
}
BENCHMARK(BM_RealTimeVerdict)->Unit(benchmark::kMillisecond);

} // namespace

// The document's walk over the generated 1,000,000-frame capture, as the summary makes it:
// every frame decoded and tested in file order with call tracking on (local-address
// criterion), against the same walk without a filter.
namespace {

struct TemporaryCapture {
    std::string path;
    ~TemporaryCapture() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

const std::string &mixCapture() {
    static const TemporaryCapture capture = [] {
        TemporaryCapture c{(std::filesystem::temp_directory_path() /
                            ("qv-bench-walk-" + std::to_string(::getpid()) + ".lvt"))
                               .string()};
        std::string error;
        qv::synth::writeCapture(c.path, qv::synth::Layout::RealTime,
                                qv::synth::builtinScenario("mix", 1000000, 1),
                                qv::synth::kScenarioStartYear, error);
        return c;
    }();
    return capture.path;
}

const qv::DecoderServices &walkServices() {
    static qv::DecoderContext context;
    static const bool started = [] {
        qv::StderrUserMessages messages;
        return context.start(qv::Installation::fromCommandLine({}), qv::Settings(), "EDSS",
                             messages);
    }();
    (void)started;
    return context.services();
}

void walk(benchmark::State &state, bool filtered, const char *local = "0301234567") {
    qv::StderrUserMessages messages;
    for (auto _ : state) {
        state.PauseTiming();
        qv::CDecodeDoc doc(messages, walkServices());
        doc.openCapture(mixCapture(), {});
        if (filtered) {
            qv::FilterCriteria c;
            c.localAddressSet = true;
            c.localAddress = local;
            c.remoteAddressSet = true;
            c.remoteAddress = "*4321";
            doc.applyOffLineFilters(std::make_unique<qv::OffLineFrameFilter>(c));
        }
        state.ResumeTiming();
        qv::DecodableObject &d = *doc.decodable();
        std::uint32_t previous = 0, shown = 0;
        for (std::uint32_t n = 0; n < doc.frameCount(); ++n) {
            const qv::WalkAnswer answer = d.decodeTo(previous, n);
            if (answer == qv::WalkAnswer::BeyondLastShown)
                break;
            if (answer != qv::WalkAnswer::Hidden) {
                previous = n;
                ++shown;
            }
        }
        benchmark::DoNotOptimize(shown);
        state.counters["shown"] = shown;
    }
    state.counters["frames/s"] = benchmark::Counter(
        1000000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DocumentWalk(benchmark::State &state) {
    walk(state, false);
}
void BM_DocumentWalkCallTracking(benchmark::State &state) {
    walk(state, true);
}
// No call matches: every call-control frame is dropped.
void BM_DocumentWalkCallTrackingNoMatch(benchmark::State &state) {
    walk(state, true, "5555");
}
BENCHMARK(BM_DocumentWalk)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DocumentWalkCallTracking)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DocumentWalkCallTrackingNoMatch)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
