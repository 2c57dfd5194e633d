// The layer-2 link analysis on hand-made LAPD exchanges: one case per kind of trouble, with the
// frame, severity, group and text of every warning, and clean traffic that gives none.
#include "analysis/LinkAnalysis.h"

#include <gtest/gtest.h>

#include <string>

#include "decode/DecoderTestSupport.h"
#include "support/Pinned.h"
#include "synth/Scenario.h"

namespace qv {
namespace {

// TEI 66 assigned, then SAPI 0 set up from the TE side: frames 1 to 4.
constexpr const char *kSetUp = "01/03 10:00:00.000 frame good te FC FF 03 0F 12 34 01 FF\n"
                               "01/03 10:00:00.010 frame good nt FE FF 03 0F 12 34 02 85\n"
                               "01/03 10:00:00.020 frame good te 00 85 7F\n"
                               "01/03 10:00:00.030 frame good nt 00 85 73\n";

// The analysis of records decoded one after the other, as the capture walk hands them over.
LinkAnalysis analyse(const std::vector<LvtRecord> &records) {
    test::MemoryHost host;
    host.records = records;
    DecoderServices services;
    CISDN decoder(host, services);
    host.decoder = &decoder;
    LinkAnalysis analysis;
    for (std::uint32_t n = 0; n < records.size(); ++n) {
        EXPECT_GE(decoder.Decode_Frame(n), 0) << "frame " << n + 1;
        analysis.add(n, decoder.frame(), decoder.currentRecord());
    }
    analysis.finish();
    return analysis;
}

// One line per item: "frame severity group: text".
std::string itemsOf(const std::string &scenario) {
    synth::ParsedScenario parsed;
    std::string error;
    EXPECT_TRUE(synth::parseScenarioText(scenario, parsed, error)) << error;
    std::string out;
    const LinkAnalysis analysis = analyse(parsed.records);
    for (const ExpertItem &i : analysis.items())
        out += std::to_string(i.frame) + " " + std::string(severityText(i.severity)) + " " +
               std::string(expertGroupText(i.group)) + ": " + i.text + "\n";
    return out;
}

TEST(LinkAnalysisTest, CleanLinkGivesNoWarning) {
    EXPECT_EQ(itemsOf(std::string(kSetUp) +
                      "01/03 10:00:00.100 frame good te 00 85 00 00 08 01 01 05\n"
                      "01/03 10:00:00.110 frame good nt 00 85 01 02\n"
                      "01/03 10:00:00.200 frame good nt 02 85 00 02 08 01 81 02\n"
                      "01/03 10:00:00.210 frame good te 02 85 01 02\n"
                      "01/03 10:00:00.300 frame good nt 02 85 02 02 08 01 81 01\n"
                      "01/03 10:00:00.310 frame good te 00 85 02 04 08 01 01 0F\n"
                      "01/03 10:00:00.320 frame good nt 00 85 01 04\n"
                      "01/03 10:00:00.330 frame good te 02 85 01 04\n"
                      "01/03 10:00:10.000 frame good nt 02 85 01 05\n"
                      "01/03 10:00:10.010 frame good te 02 85 01 05\n"
                      "01/03 10:00:20.000 frame good te 00 85 53\n"
                      "01/03 10:00:20.010 frame good nt 00 85 73\n"),
              "");
}

TEST(LinkAnalysisTest, GeneratedCallsAreClean) {
    const LinkAnalysis analysis = analyse(synth::builtinScenario("calls", 0, 1));
    EXPECT_TRUE(analysis.items().empty()) << analysis.items().front().text;
    EXPECT_EQ(analysis.linkCount(), 3u);
}

// Each kind of trouble of analysis/link-trouble.txt, after the set-up: its frames from frame 5
// on, and its warnings as "frame severity group: text".
TEST(LinkAnalysisTest, EachKindOfTrouble) {
    test::PinnedTexts pinned("analysis/link-trouble.txt");
    for (const test::PinnedTexts::Case &c : pinned.cases()) {
        std::string scenario = kSetUp;
        for (const std::string &frame : c.input)
            scenario += frame + "\n";
        pinned.expectText(c.name, itemsOf(scenario));
    }
}

TEST(LinkAnalysisTest, SequenceNumbersWrapAtModulo128) {
    // I frames N(S)=126, 127, 0 after a link whose numbers the capture joins midway.
    EXPECT_EQ(itemsOf("01/03 10:00:00.000 frame good te 00 05 FC 00\n"
                      "01/03 10:00:00.010 frame good nt 00 05 01 FE\n"
                      "01/03 10:00:00.020 frame good te 00 05 FE 00\n"
                      "01/03 10:00:00.030 frame good te 00 05 00 00\n"
                      "01/03 10:00:00.040 frame good nt 00 05 01 02\n"
                      "01/03 10:00:00.050 frame good te 00 05 04 00\n"
                      "01/03 10:00:00.060 frame good nt 00 05 01 06\n"),
              "6 Error Sequence: N(S)=2 expected 1: 1 I frame lost (TEI 2 SAPI 0, TE->NT)\n");
}

TEST(LinkAnalysisTest, BadFramesAndLayer1EventsAreLeftOut) {
    const std::string scenario = std::string(kSetUp) +
                                 "01/03 10:00:01.000 frame bad te 00 85 06 00\n"
                                 "01/03 10:00:01.010 l1 4 nt\n"
                                 "01/03 10:00:01.020 frame aborted te 00 85 7F\n";
    EXPECT_EQ(itemsOf(scenario), "");
    synth::ParsedScenario parsed;
    std::string error;
    ASSERT_TRUE(synth::parseScenarioText(scenario, parsed, error));
    EXPECT_EQ(analyse(parsed.records).framesAnalysed(), 4u);
}

TEST(LinkAnalysisTest, SeverityNames) {
    Severity s = Severity::Note;
    EXPECT_TRUE(parseSeverity("WARNING", s));
    EXPECT_EQ(s, Severity::Warning);
    EXPECT_TRUE(parseSeverity("error", s));
    EXPECT_EQ(severityText(s), "Error");
    EXPECT_FALSE(parseSeverity("fatal", s));
}

} // namespace
} // namespace qv
