// The capture document walked with address criteria over generated captures whose calls are
// known: the frames shown are those of the calls the criteria name, frame by frame, whichever
// way the views move.
#include <algorithm>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "app/DecoderContext.h"
#include "capture/CDecodeDoc.h"
#include "capture/CaptureTestSupport.h"
#include "filters/OffLineFrameFilter.h"
#include "synth/Scenario.h"
#include "synth/Traffic.h"

namespace qv::test {
namespace {

using synth::Side;
using synth::Traffic;

// A record with the call it belongs to (-1: none).
struct Owned {
    LvtRecord record;
    int call;
};

void take(Traffic &t, std::size_t from, int call, std::vector<Owned> &out) {
    for (std::size_t k = from; k < t.records().size(); ++k)
        out.push_back({t.records()[k], call});
}

std::uint64_t timeKey(const LvtRecord &r) {
    return ((((r.day() * 24ull + r.hour()) * 60 + r.minute()) * 60 + r.second()) * 1000) +
           r.millisecond();
}

CaptureDateTime at(std::uint16_t hour) {
    return {12, 3, synth::kScenarioStartYear, hour, 0, 0};
}

// Six calls: 0 to 2 one after another (1 with overlap sending, 2 offered by the network on TEI
// 127 and taken on TEI 66), 3 and 4 at the same time on TEIs 68 and 67 (3 with overlap
// sending), 5 unanswered.
std::vector<Owned> knownCalls() {
    std::vector<Owned> out;
    Traffic first(7, at(9));
    first.layer1(2);
    for (std::uint8_t tei : {64, 65, 66}) {
        first.teiAssignment(tei);
        first.establish(0, tei);
    }
    take(first, 0, -1, out);
    const auto call = [&](int id, auto &&make) {
        const std::size_t before = first.records().size();
        make();
        take(first, before, id, out);
        first.advance(3000);
    };
    call(0, [&] { first.call(64, 1, "0301234567", "0897654321", false, true); });
    call(1, [&] { first.call(65, 2, "0401112233", "0897654321", true, true); });
    call(2, [&] { first.incomingCall(66, 3, "0897654321", "0301234567"); });

    Traffic a(8, at(10)), b(9, at(10));
    a.establish(0, 68);
    b.establish(0, 67);
    const std::size_t aFrom = a.records().size(), bFrom = b.records().size();
    a.call(68, 4, "0301234567", "069555777", true, true);
    b.advance(700);
    b.call(67, 5, "0401999888", "0301234567", false, true);
    std::vector<Owned> parallel;
    take(a, 0, -1, parallel);
    take(b, 0, -1, parallel);
    for (std::size_t k = aFrom; k < a.records().size(); ++k)
        parallel[k].call = 3;
    for (std::size_t k = bFrom; k < b.records().size(); ++k)
        parallel[a.records().size() + k].call = 4;
    std::stable_sort(parallel.begin(), parallel.end(), [](const Owned &x, const Owned &y) {
        return timeKey(x.record) < timeKey(y.record);
    });
    out.insert(out.end(), parallel.begin(), parallel.end());

    Traffic last(10, at(11));
    last.establish(0, 69);
    take(last, 0, -1, out);
    const std::size_t before = last.records().size();
    last.call(69, 6, "069555777", "0401112233", false, false);
    take(last, before, 5, out);
    return out;
}

// Call-control messages: I frames and UI frames on SAPI 0 with more than their header.
bool isCallControl(const LvtRecord &r) {
    if (r.kind != kFrameRecord || r.dataLength < 5 || (r.data[0] >> 2) != 0)
        return false;
    const std::uint8_t control = r.data[2];
    return (control & 1) == 0 || ((control & 0xEF) == 0x03 && r.dataLength > 3);
}

// The decoding objects of the program, which give the decoders the numbers of the calls.
const DecoderServices &decoding() {
    static DecoderContext context;
    static bool started = [] {
        RecordingUserMessages messages;
        return context.start(Installation::fromCommandLine({}), Settings(), "EDSS", messages);
    }();
    EXPECT_TRUE(started);
    return context.services();
}

class FilteredWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls = knownCalls();
        std::vector<LvtRecord> records;
        for (const Owned &o : calls)
            records.push_back(o.record);
        std::string error;
        path = dir.file("calls.lvt");
        ASSERT_TRUE(synth::writeCapture(path, synth::Layout::Stored, records,
                                        synth::kScenarioStartYear, error))
            << error;
        ASSERT_TRUE(doc.openCapture(path, {}));
    }

    // Frames the criteria should show: everything but the call-control messages of the calls
    // not named.
    std::vector<bool> expected(const std::set<int> &kept) const {
        std::vector<bool> shown;
        for (const Owned &o : calls)
            shown.push_back(!isCallControl(o.record) || kept.count(o.call) != 0);
        return shown;
    }

    void use(const std::string &local, const std::string &remote) {
        FilterCriteria c;
        c.localAddressSet = !local.empty();
        c.localAddress = local;
        c.remoteAddressSet = !remote.empty();
        c.remoteAddress = remote;
        doc.applyOffLineFilters(std::make_unique<OffLineFrameFilter>(c));
    }

    bool shown(std::uint32_t from, std::uint32_t to) {
        return isShown(doc.decodable()->decodeTo(from, to));
    }

    // The summary's fill from the first frame on, as the views and the command line make it.
    std::vector<bool> forward() {
        std::vector<bool> out(calls.size(), false);
        std::uint32_t previous = 0;
        for (std::uint32_t n = 0; n < calls.size(); ++n)
            if ((out[n] = shown(previous, n)))
                previous = n;
        return out;
    }

    static std::string mismatch(const std::vector<bool> &got, const std::vector<bool> &want) {
        for (std::size_t n = 0; n < want.size(); ++n)
            if (got[n] != want[n])
                return "frame " + std::to_string(n + 1) + (want[n] ? " hidden" : " shown");
        return {};
    }

    std::vector<Owned> calls;
    TempDir dir;
    std::string path;
    RecordingUserMessages messages;
    CDecodeDoc doc{messages, decoding()};
};

TEST_F(FilteredWalkTest, AddressCriteriaShowExactlyTheFramesOfTheCallsTheyName) {
    struct Case {
        const char *local;
        const char *remote;
        std::set<int> calls;
    };
    const Case cases[] = {
        {"0301234567", "", {0, 2, 3}}, // caller of 0 and 3, called party of the offered 2
        {"", "*4321", {0, 1, 2}},      // 1 dials its number digit by digit
        {"0401*", "0897654321", {1}},  // both must hold
        {"", "0301234567", {4}},       // the parallel call to that number
        {"", "069555777", {3}},        // overlap sending, beside call 4
        {"*777", "", {5}},             // the unanswered call
        {"5555", "", {}},              // no call at all
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.local) + " / " + c.remote);
        use(c.local, c.remote);
        const std::vector<bool> want = expected(c.calls);
        EXPECT_EQ(mismatch(forward(), want), "");

        // Back from the end, one frame at a time, the frames keep their answers.
        std::vector<bool> back(calls.size(), false);
        for (std::uint32_t n = static_cast<std::uint32_t>(calls.size()); n-- > 0;)
            back[n] = shown(std::min<std::uint32_t>(n + 1, calls.size() - 1), n);
        EXPECT_EQ(mismatch(back, want), "");
    }
}

TEST_F(FilteredWalkTest, JumpsGiveTheAnswersOfTheWalkInOrder) {
    use("", "*4321");
    const std::vector<bool> want = expected({0, 1, 2});
    std::mt19937 rng(3);
    std::vector<bool> got(calls.size(), false);
    std::vector<bool> asked(calls.size(), false);
    std::uint32_t from = 0;
    for (int k = 0; k < 400; ++k) {
        const std::uint32_t to = rng() % calls.size();
        got[to] = shown(from, to);
        asked[to] = true;
        from = to;
    }
    for (std::size_t n = 0; n < calls.size(); ++n) {
        if (asked[n]) {
            EXPECT_EQ(got[n], want[n]) << "frame " << n + 1;
        }
    }
    // A frame jumped to is the decoder's frame afterwards, whatever was read ahead.
    ASSERT_TRUE(shown(from, 3));
    EXPECT_EQ(doc.decoder()->frameNumber(), 3u);
}

} // namespace
} // namespace qv::test
