// The filter's verdict over a long capture of calls: the off-line test in file order with call
// tracking on (a local-address criterion), and the real-time verdict with plain criteria.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "capture/LvtRecord.h"
#include "decode/DecodedFrame.h"
#include "filters/FrameFilter.h"

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
