// Capture statistics over captures written from scenarios and opened as documents: exact counts
// on a small hand-made capture and on the generated calls and errors, and tables that add up to
// the frame count on the generated mix.
#include "analysis/Statistics.h"

#include <gtest/gtest.h>

#include <numeric>

#include "app/DecoderContext.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "capture/CDecodeDoc.h"
#include "capture/CaptureTestSupport.h"
#include "capture/FrameSource.h"
#include "support/Pinned.h"
#include "synth/Scenario.h"

namespace qv {
namespace {

Statistics statisticsOf(const std::vector<LvtRecord> &records) {
    test::TempDir dir;
    const std::string path = dir.file("capture.lvt");
    std::string error;
    EXPECT_TRUE(
        synth::writeCapture(path, synth::Layout::Stored, records, synth::kScenarioStartYear, error))
        << error;
    RecordingUserMessages messages;
    DecoderContext context;
    EXPECT_TRUE(context.start(Installation::fromCommandLine({}), Settings(), "EDSS", messages));
    CDecodeDoc doc(messages, context.services());
    EXPECT_TRUE(doc.openCapture(path, {}));
    Statistics statistics;
    EXPECT_TRUE(collectStatistics(*FrameSource::of(doc), statistics));
    return statistics;
}

Statistics statisticsOf(const std::string &scenario) {
    synth::ParsedScenario parsed;
    std::string error;
    EXPECT_TRUE(synth::parseScenarioText(scenario, parsed, error)) << error;
    return statisticsOf(parsed.records);
}

std::uint64_t total(const Statistics &s, const std::string &key) {
    for (const StatisticsTable &t : s.tables())
        if (t.key == key)
            return std::accumulate(
                t.rows.begin(), t.rows.end(), std::uint64_t{0},
                [](std::uint64_t sum, const StatisticsTable::Row &r) { return sum + r.count; });
    return 0;
}

// A call set up and cleared on TEI 66, with a bad frame and a layer-1 event among it.
constexpr const char *kSmall =
    "12/03/2026 09:30:00.000 l1 4 nt\n"
    "12/03/2026 09:30:00.500 frame good te FC FF 03 0F 12 34 01 FF\n"
    "12/03/2026 09:30:00.510 frame good nt FE FF 03 0F 12 34 02 85\n"
    "12/03/2026 09:30:00.520 frame good te 00 85 7F\n"
    "12/03/2026 09:30:00.530 frame good nt 00 85 73\n"
    "12/03/2026 09:30:01.000 frame good te 00 85 00 00 08 01 01 05 04 03 80 90 A3\n"
    "12/03/2026 09:30:01.010 frame good nt 00 85 01 02\n"
    "12/03/2026 09:30:01.020 frame bad nt 02 85 00 02 08 01 81 02\n"
    "12/03/2026 09:30:02.000 frame good te 00 85 02 00 08 01 01 45 08 02 80 90\n"
    "12/03/2026 09:30:02.010 frame good nt 00 85 01 04\n"
    "12/03/2026 09:30:05.000 frame good te 00 85 53\n";

// The tables as the text shows them, pinned: the small capture, the generated calls (three
// TEIs assigned and set up, then twelve calls of which every fourth is not answered, every I
// frame acknowledged by an RR and each answered call polling three times) and the generated
// errors (six frames of every bad status, two overflow marks, FRMR, XID, DM, an over-long UI
// frame and seven layer-1 events).
TEST(StatisticsTest, TablesOfASmallCaptureAndOfGeneratedOnes) {
    test::PinnedTexts pinned("analysis/statistics.txt");
    const Statistics s = statisticsOf(kSmall);
    pinned.expectText("small capture", statisticsText(s));
    EXPECT_EQ(s.frames(), 11u);
    EXPECT_EQ(s.count("frameTypes", {"REJ"}), 0u);
    EXPECT_EQ(s.count("causes", {"Call control", "16", "Normal call clearing"}), 1u);
    EXPECT_EQ(s.firstTime(), "12/03/2026 09:30:00.000");
    EXPECT_EQ(s.spanMs(), 5000u);
    EXPECT_DOUBLE_EQ(s.frameRate(), 2.2);
    pinned.expectText("generated calls",
                      statisticsText(statisticsOf(synth::builtinScenario("calls", 0, 1))));
    pinned.expectText("generated errors",
                      statisticsText(statisticsOf(synth::builtinScenario("errors", 0, 1))));
}

TEST(StatisticsTest, GeneratedMixAddsUp) {
    const Statistics s = statisticsOf(synth::builtinScenario("mix", 10000, 7));
    EXPECT_EQ(s.frames(), 10000u);
    EXPECT_EQ(total(s, "layers"), s.frames());
    EXPECT_EQ(total(s, "directions"), s.frames());
    EXPECT_EQ(total(s, "frameTypes"), s.frames() - s.layerCount(LayerRow::Layer1));
    EXPECT_EQ(total(s, "links"), total(s, "frameTypes"));
    EXPECT_GT(s.layerCount(LayerRow::X25), 0u);
    EXPECT_GT(s.count("messages", {"X.25", "CALL.REQ"}) + s.count("messages", {"X.25", "CALL"}),
              0u);
    EXPECT_GT(s.spanMs(), 0u);
}

TEST(StatisticsTest, EmptyStatistics) {
    const Statistics s;
    EXPECT_EQ(s.frames(), 0u);
    EXPECT_EQ(s.spanMs(), 0u);
    EXPECT_EQ(s.frameRate(), 0.0);
    EXPECT_EQ(statisticsText(s).rfind("Capture\n  Frames       0\n\nFrames per layer\n", 0), 0u);
}

} // namespace
} // namespace qv
