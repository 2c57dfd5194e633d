// The call list of generated captures whose calls are known: parties, overlap sending, TEIs,
// times, furthest state, clearing and the frames of each call.
#include <algorithm>

#include <gtest/gtest.h>

#include "analysis/CallList.h"
#include "app/DecoderContext.h"
#include "capture/CDecodeDoc.h"
#include "capture/CaptureTestSupport.h"
#include "capture/FrameSource.h"
#include "synth/Scenario.h"
#include "synth/Traffic.h"

namespace qv::test {
namespace {

using synth::Side;
using synth::Traffic;

// The records of a call: from index first to the end of the capture as it was then.
struct Span {
    std::size_t first = 0, last = 0;
};

std::int64_t timeKey(const LvtRecord &r) {
    return ((((r.day() * 24ll + r.hour()) * 60 + r.minute()) * 60 + r.second()) * 1000) +
           r.millisecond();
}

CaptureDateTime at(std::uint16_t hour) {
    return {12, 3, synth::kScenarioStartYear, hour, 0, 0};
}

const DecoderServices &decoding() {
    static DecoderContext context;
    static bool started = [] {
        RecordingUserMessages messages;
        return context.start(Installation::fromCommandLine({}), Settings(), "EDSS", messages);
    }();
    EXPECT_TRUE(started);
    return context.services();
}

// I and UI frames with a message or packet on SAPI 0 or 16.
bool isLayer3(const LvtRecord &r) {
    const std::uint8_t sapi = r.data[0] >> 2, control = r.data[2];
    const bool info = (control & 1) == 0 || (control & 0xEF) == 0x03;
    return r.kind == kFrameRecord && (sapi == 0 || sapi == 16) && info && r.dataLength > 4;
}

// The first and the last record index of the layer-3 frames in [from, to).
Span layer3Span(const std::vector<LvtRecord> &records, std::size_t from, std::size_t to) {
    Span s{to, from};
    for (std::size_t k = from; k < to; ++k) {
        if (isLayer3(records[k])) {
            s.first = std::min(s.first, k);
            s.last = k;
        }
    }
    return s;
}

class CallListTest : public ::testing::Test {
protected:
    // Calls 1 to 3 one after another (2 with overlap sending, 3 offered on TEI 127 and taken on
    // TEI 66), 4 and 5 at the same time on TEIs 68 and 67, 6 unanswered, 7 ended by a RESTART,
    // 8 an X.25 virtual call.
    void SetUp() override {
        Traffic t(7, at(9));
        t.layer1(2);
        for (std::uint8_t tei : {64, 65, 66, 67, 68, 69}) {
            t.teiAssignment(tei);
            t.establish(0, tei);
        }
        const auto call = [&](auto &&make) {
            const std::size_t before = t.records().size();
            make();
            spans.push_back(layer3Span(t.records(), before, t.records().size()));
            t.advance(3000);
        };
        call([&] { t.call(64, 1, "0301234567", "0897654321", false, true); });
        call([&] { t.call(65, 2, "0401112233", "0897654321", true, true); });
        call([&] { t.incomingCall(66, 3, "0897654321", "0301234567"); });

        // Two calls at once: the second starts while the first is still dialling.
        Traffic a(8, at(10)), b(9, at(10));
        a.call(68, 4, "0301234567", "069555777", true, true);
        b.advance(700);
        b.call(67, 5, "0401999888", "0301234567", false, true);
        std::vector<std::pair<LvtRecord, int>> both;
        for (const LvtRecord &r : a.records())
            both.push_back({r, 4});
        for (const LvtRecord &r : b.records())
            both.push_back({r, 5});
        std::stable_sort(both.begin(), both.end(), [](const auto &x, const auto &y) {
            return timeKey(x.first) < timeKey(y.first);
        });
        const std::size_t parallelFrom = t.records().size();
        for (const auto &[r, owner] : both)
            t.records().push_back(r);
        for (int owner : {4, 5}) {
            Span s{t.records().size(), 0};
            for (std::size_t k = 0; k < both.size(); ++k)
                if (both[k].second == owner && isLayer3(both[k].first)) {
                    s.first = std::min(s.first, parallelFrom + k);
                    s.last = parallelFrom + k;
                }
            spans.push_back(s);
        }

        Traffic last(10, at(11));
        last.call(69, 6, "069555777", "0401112233", false, false);
        last.advance(2000);
        // A call answered and then restarted by the network: RESTART of the whole interface.
        last.information(0, 69, Side::Te,
                         {0x08, 0x01, 0x07, 0x05, 0x04, 0x03, 0x80, 0x90, 0xA3, 0x70, 0x04, 0x81,
                          0x35, 0x35, 0x35});
        last.information(0, 69, Side::Nt, {0x08, 0x01, 0x87, 0x02, 0x18, 0x01, 0x8A});
        last.information(0, 69, Side::Nt, {0x08, 0x01, 0x87, 0x07});
        last.advance(4000);
        last.information(0, 69, Side::Nt, {0x08, 0x01, 0x00, 0x46, 0x79, 0x01, 0x87});
        restartRecord = last.records().size() - 2;
        last.information(0, 69, Side::Te, {0x08, 0x01, 0x80, 0x4E, 0x79, 0x01, 0x87});
        last.advance(1000);
        last.x25Call(70, 5, 3);
        const std::size_t lastFrom = t.records().size();
        restartRecord += lastFrom;
        t.records().insert(t.records().end(), last.records().begin(), last.records().end());
        const std::vector<LvtRecord> &all = t.records();
        // Call 6 ends with its RELEASE COMPLETE; the restarted call starts two I frames later.
        Span unanswered = layer3Span(all, lastFrom, restartRecord);
        const std::size_t restartedFirst =
            std::find_if(all.begin() + static_cast<long>(lastFrom), all.end(),
                         [](const LvtRecord &r) {
                             return r.dataLength > 7 && r.data[6] == 0x07 && r.data[7] == 0x05;
                         }) -
            all.begin();
        unanswered.last = layer3Span(all, lastFrom, restartedFirst).last;
        spans.push_back(unanswered);
        spans.push_back({restartedFirst, restartRecord});
        const std::size_t x25From = restartRecord + 4; // past RESTART ACKNOWLEDGE and its RR
        spans.push_back(layer3Span(all, x25From, all.size()));

        records = all;
        std::string error;
        path = dir.file("calls.lvt");
        ASSERT_TRUE(synth::writeCapture(path, synth::Layout::Stored, records,
                                        synth::kScenarioStartYear, error))
            << error;
        ASSERT_TRUE(doc.openCapture(path, {}));
        ASSERT_TRUE(buildCallList(*FrameSource::of(doc), list));
    }

    std::int64_t spanMs(const Span &s) const {
        return timeKey(records[s.last]) - timeKey(records[s.first]);
    }

    TempDir dir;
    RecordingUserMessages messages;
    CDecodeDoc doc{messages, decoding()};
    std::string path;
    std::vector<LvtRecord> records;
    std::vector<Span> spans;
    std::size_t restartRecord = 0;
    std::vector<CallEntry> list;
};

// A call as one line: link, parties, bearer, furthest state, end and cause.
std::string described(const CallEntry &c) {
    std::string out =
        std::string(c.x25 ? "X.25" : "ISDN") + " TEI " + std::to_string(c.tei) + " ref " +
        std::to_string(c.callRef) + (c.origin == kDirectionTeNt ? " from TE " : " from NT ") +
        c.calling + " -> " + c.called + " overlap " + std::to_string(c.overlapDigits) + " " +
        c.bearer + " B" + std::to_string(c.channel) + " | " + std::string(callPhaseText(c.phase)) +
        (c.answered ? " answered, " : ", ") + std::string(callEndText(c.ending)) +
        (c.clearedBy == kDirectionTeNt ? " by TE" : " by NT");
    if (c.hasCause)
        out += ", cause " + std::to_string(c.cause) + " " + c.causeText;
    return out;
}

TEST_F(CallListTest, EveryCallWithItsPartiesStateEndAndFrames) {
    const std::vector<std::string> expected = {
        "ISDN TEI 64 ref 1 from TE 0301234567 -> 0897654321 overlap 0 Speech B1 | released "
        "answered, released by TE, cause 16 Normal call clearing",
        "ISDN TEI 65 ref 2 from TE 0401112233 -> 0897654321 overlap 10 Speech B1 | released "
        "answered, released by TE, cause 16 Normal call clearing",
        "ISDN TEI 66 ref 3 from NT 0897654321 -> 0301234567 overlap 0 Speech B2 | released "
        "answered, released by NT, cause 16 Normal call clearing",
        "ISDN TEI 68 ref 4 from TE 0301234567 -> 069555777 overlap 9 Speech B1 | released "
        "answered, released by TE, cause 16 Normal call clearing",
        "ISDN TEI 67 ref 5 from TE 0401999888 -> 0301234567 overlap 0 Speech B1 | released "
        "answered, released by TE, cause 16 Normal call clearing",
        "ISDN TEI 69 ref 6 from TE 069555777 -> 0401112233 overlap 0 Speech B1 | released, "
        "released by NT, cause 19 Alerted, no answer",
        "ISDN TEI 69 ref 7 from TE  -> 555 overlap 0 Speech B2 | connected answered, restart by NT",
        "X.25 TEI 70 ref 5 from TE 26245 -> 4711 overlap 0  B0 | released answered, released by "
        "TE, cause 0 DTE originated",
    };
    ASSERT_EQ(list.size(), expected.size());
    for (std::size_t k = 0; k < list.size(); ++k) {
        const CallEntry &c = list[k];
        SCOPED_TRACE("call " + std::to_string(k + 1));
        EXPECT_EQ(c.number, k + 1);
        EXPECT_EQ(described(c), expected[k]);
        EXPECT_EQ(c.firstFrame, spans[k].first);
        EXPECT_EQ(c.lastFrame, spans[k].last);
        EXPECT_EQ(c.durationMs(), spanMs(spans[k]));
        EXPECT_EQ(c.frames.size(), c.frameCount);
        EXPECT_EQ(c.frames.front(), c.firstFrame);
    }
    // en-bloc: SETUP, CALL PROC, ALERTING, CONNECT, CONNECT ACK, DISCONNECT, RELEASE, RELEASE
    // COMPLETE; overlap adds SETUP ACK and one INFORMATION per digit and one to end the number.
    EXPECT_EQ(list[0].frameCount, 8u);
    EXPECT_EQ(list[1].frameCount, 8u + 1 + 10 + 1);
    EXPECT_EQ(list[5].frameCount, 6u);
    EXPECT_EQ(list[6].frameCount, 3u) << "the RESTART is no message of the call";
    EXPECT_EQ(list[6].lastFrame, restartRecord);
    EXPECT_TRUE(list[7].hasDiagnostic);
    EXPECT_EQ(list[7].diagnostic, 0u);
    EXPECT_EQ(list[7].dataPackets, 3u);
    EXPECT_EQ(list[0].connectedMs() > 30000, true) << "three 10 s link checks while connected";
    EXPECT_EQ(list[5].connectedMs(), 0);
}

TEST(CallTimeTest, TextsAndDurationsAcrossTheYear) {
    LvtRecord a, b;
    a.month = 12;
    a.setTime(31, 23, 59, 50, 0);
    b.month = 1;
    b.setTime(1, 0, 0, 20, 400);
    const CallTime from{2026, a.month, a.timeHigh, a.timeLow};
    const CallTime to{2027, b.month, b.timeHigh, b.timeLow};
    EXPECT_EQ(callTimeText(from), "31/12/2026 23:59:50.000");
    EXPECT_EQ(callTimeText(to), "01/01/2027 00:00:20.400");
    EXPECT_EQ(millisecondsBetween(from, to), 30400);
    EXPECT_EQ(millisecondsBetween(to, from), 0);
    EXPECT_EQ(callDurationText(30400), "0:00:30.400");
    EXPECT_EQ(callDurationText(3723004), "1:02:03.004");
}

} // namespace
} // namespace qv::test
