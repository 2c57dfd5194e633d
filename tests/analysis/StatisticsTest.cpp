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

TEST(StatisticsTest, ExactCountsOfASmallCapture) {
    const Statistics s = statisticsOf(kSmall);
    EXPECT_EQ(s.frames(), 11u);
    const std::uint64_t layers[] = {1, 5, 2, 0, 2, 0, 1};
    for (int k = 0; k < static_cast<int>(LayerRow::Count); ++k)
        EXPECT_EQ(s.layerCount(static_cast<LayerRow>(k)), layers[k])
            << layerRowText(static_cast<LayerRow>(k));
    struct Row {
        const char *table;
        std::vector<std::string> cells;
        std::uint64_t count;
    } rows[] = {
        {"frameTypes", {"I"}, 2},
        {"frameTypes", {"RR"}, 2},
        {"frameTypes", {"SABME"}, 1},
        {"frameTypes", {"UA"}, 1},
        {"frameTypes", {"DISC"}, 1},
        {"frameTypes", {"UI"}, 2},
        {"frameTypes", {"REJ"}, 0},
        {"messages", {"Call control", "SETUP"}, 1},
        {"messages", {"Call control", "DISCONNECT"}, 1},
        {"messages", {"TEI management", "ID.REQUEST"}, 1},
        {"messages", {"TEI management", "ID.ASSIGN"}, 1},
        {"causes", {"Call control", "16", "Normal call clearing"}, 1},
        {"links", {"66", "0"}, 7},
        {"links", {"127", "63"}, 2},
        {"directions", {"TE->NT"}, 5},
        {"directions", {"NT->TE"}, 6},
        {"errors", {"Frame status: Bad"}, 1},
    };
    for (const Row &r : rows)
        EXPECT_EQ(s.count(r.table, r.cells), r.count) << r.table << " " << r.cells[0];
    EXPECT_EQ(total(s, "errors"), 1u);
    EXPECT_EQ(s.firstTime(), "12/03/2026 09:30:00.000");
    EXPECT_EQ(s.lastTime(), "12/03/2026 09:30:05.000");
    EXPECT_EQ(s.spanMs(), 5000u);
    EXPECT_DOUBLE_EQ(s.frameRate(), 2.2);
}

TEST(StatisticsTest, TextTablesAreAligned) {
    const std::string text = statisticsText(statisticsOf(kSmall));
    for (const char *line :
         {"  Frames       11\n", "  Time span    5.000 s\n", "  Frame rate   2.200 frames/s\n",
          "  Layer 3 call control           2\n",
          "  Protocol      Cause  Text                  Frames\n"
          "  Call control     16  Normal call clearing       1\n",
          "  TEI  SAPI  Frames\n"
          "   66     0       7\n"
          "  127    63       2\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
}

TEST(StatisticsTest, GeneratedCalls) {
    // Three TEIs assigned and set up, then twelve calls of which every fourth is not answered;
    // every I frame is acknowledged by an RR, and each answered call polls three times.
    const Statistics s = statisticsOf(synth::builtinScenario("calls", 0, 1));
    const std::uint64_t i = s.count("frameTypes", {"I"});
    EXPECT_EQ(s.count("frameTypes", {"RR"}), i + 9 * 3 * 2);
    EXPECT_EQ(s.count("frameTypes", {"UI"}), 6u);
    EXPECT_EQ(s.count("frameTypes", {"SABME"}), 3u);
    EXPECT_EQ(s.count("frameTypes", {"UA"}), 3u);
    EXPECT_EQ(s.layerCount(LayerRow::CallControl), i);
    EXPECT_EQ(s.layerCount(LayerRow::TeiManagement), 6u);
    EXPECT_EQ(s.count("messages", {"Call control", "SETUP"}), 12u);
    EXPECT_EQ(s.count("messages", {"Call control", "RELEASE COMPLETE"}), 12u);
    EXPECT_EQ(s.count("messages", {"Call control", "CONNECT"}), 9u);
    EXPECT_EQ(s.count("causes", {"Call control", "16", "Normal call clearing"}), 9u);
    EXPECT_EQ(s.count("causes", {"Call control", "19", "Alerted, no answer"}), 3u);
    EXPECT_EQ(total(s, "messages"), i + 6);
    EXPECT_EQ(total(s, "frameTypes"), s.frames());
    EXPECT_EQ(s.count("directions", {"TE->NT"}), s.frames() / 2);
    EXPECT_EQ(total(s, "errors"), 0u);
}

TEST(StatisticsTest, GeneratedErrors) {
    // A link set up, six frames of every bad status, two overflow marks, FRMR, XID, DM, an
    // over-long UI frame and seven layer-1 events.
    const Statistics s = statisticsOf(synth::builtinScenario("errors", 0, 1));
    EXPECT_EQ(s.frames(), 21u);
    EXPECT_EQ(s.layerCount(LayerRow::Layer1), 7u);
    EXPECT_EQ(s.layerCount(LayerRow::NotDecoded), 8u);
    EXPECT_EQ(s.count("errors", {"Overflow mark: Overflow in Real-Time mode on the Tester "
                                 "equipment"}),
              2u);
    EXPECT_EQ(s.count("errors", {"Frame status: Frame aborted"}), 1u);
    EXPECT_EQ(s.count("errors", {"Decode error: Frame is too long"}), 1u);
    EXPECT_EQ(total(s, "errors"), 9u);
    for (const char *type : {"SABME", "UA", "FRMR", "XID", "DM"})
        EXPECT_EQ(s.count("frameTypes", {type}), 1u) << type;
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
