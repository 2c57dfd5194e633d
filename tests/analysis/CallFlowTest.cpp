// The call flow of a generated call: its arrows in order and direction, the layer-2 frames on
// request, and the SVG drawn from it (labels, arrow count, direction by coordinates).
#include <regex>

#include <gtest/gtest.h>

#include "analysis/CallFlow.h"
#include "analysis/CallList.h"
#include "app/DecoderContext.h"
#include "capture/CDecodeDoc.h"
#include "capture/CaptureTestSupport.h"
#include "capture/FrameSource.h"
#include "synth/Scenario.h"
#include "synth/Traffic.h"

namespace qv::test {
namespace {

const DecoderServices &decoding() {
    static DecoderContext context;
    static bool started = [] {
        RecordingUserMessages messages;
        return context.start(Installation::fromCommandLine({}), Settings(), "EDSS", messages);
    }();
    EXPECT_TRUE(started);
    return context.services();
}

struct SvgArrow {
    bool layer2;
    int x1, x2;
};

std::vector<SvgArrow> arrowsOf(const std::string &svg) {
    std::vector<SvgArrow> out;
    const std::regex line("<line class=\"arrow( l2)?\" data-frame=\"\\d+\" x1=\"(\\d+)\" "
                          "y1=\"\\d+\" x2=\"(\\d+)\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), line); it != std::sregex_iterator();
         ++it)
        out.push_back({(*it)[1].matched, std::stoi((*it)[2]), std::stoi((*it)[3])});
    return out;
}

class CallFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        synth::Traffic t(3, {12, 3, synth::kScenarioStartYear, 9, 0, 0});
        t.teiAssignment(64);
        t.establish(0, 64);
        t.call(64, 1, "0301234567", "0897654321", false, true);
        std::string error;
        path = dir.file("call.lvt");
        ASSERT_TRUE(synth::writeCapture(path, synth::Layout::Stored, t.records(),
                                        synth::kScenarioStartYear, error));
        ASSERT_TRUE(doc.openCapture(path, {}));
        ASSERT_TRUE(buildCallList(*FrameSource::of(doc), list));
        ASSERT_EQ(list.size(), 1u);
    }

    TempDir dir;
    RecordingUserMessages messages;
    CDecodeDoc doc{messages, decoding()};
    std::string path;
    std::vector<CallEntry> list;
};

TEST_F(CallFlowTest, LayerTwoFramesOnRequest) {
    CallFlow flow;
    ASSERT_TRUE(buildCallFlow(*FrameSource::of(doc), list[0], {true}, flow));
    std::size_t layer2 = 0;
    for (const FlowArrow &a : flow.arrows)
        if (a.layer2) {
            ++layer2;
            EXPECT_EQ(a.label, "RR");
            EXPECT_EQ(a.item.rfind("N(R) ", 0), 0u) << a.item;
        }
    // Every message but the last is answered by RR within the call, and the three link checks
    // while connected are RR pairs.
    EXPECT_EQ(layer2, 7u + 6u);
    EXPECT_EQ(flow.arrows.size() - layer2, 8u);
}

TEST_F(CallFlowTest, SvgShowsTitleHeadsAndArrowsByDirection) {
    CallFlow flow;
    ASSERT_TRUE(buildCallFlow(*FrameSource::of(doc), list[0], {true}, flow));
    const std::string svg = callFlowSvg(flow);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find(">Call 1: 0301234567 -&gt; 0897654321</text>"), std::string::npos);
    EXPECT_NE(svg.find(">TE</text>"), std::string::npos);
    EXPECT_NE(svg.find(">NT</text>"), std::string::npos);
    EXPECT_NE(svg.find(">SETUP</text>"), std::string::npos);
    EXPECT_NE(svg.find(">cause 16 Normal call clearing</text>"), std::string::npos);
    EXPECT_NE(svg.find("ISDN, TEI 64, call ref. 0x01, Speech, B1 | 12/03/2026 09:00:"),
              std::string::npos);
    EXPECT_NE(svg.find("released, cause 16 Normal call clearing"), std::string::npos);
    const std::vector<SvgArrow> arrows = arrowsOf(svg);
    ASSERT_EQ(arrows.size(), flow.arrows.size());
    for (std::size_t k = 0; k < arrows.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(arrows[k].layer2, flow.arrows[k].layer2);
        EXPECT_EQ(arrows[k].x1 < arrows[k].x2, flow.arrows[k].direction == kDirectionTeNt);
    }
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");

    flow.title = "A&B <\xE9>";
    EXPECT_NE(callFlowSvg(flow).find(">A&amp;B &lt;&#xE9;&gt;</text>"), std::string::npos);
}

TEST_F(CallFlowTest, FramesListAndText) {
    CallFlow flow;
    ASSERT_TRUE(buildFrameFlow(*FrameSource::of(doc), {0, 1, 2, 3, 4}, {true}, flow));
    // TEI request and assignment, SABME, UA, SETUP.
    ASSERT_EQ(flow.arrows.size(), 5u);
    EXPECT_EQ(flow.arrows[0].label, "ID.REQUEST");
    EXPECT_EQ(flow.arrows[1].item, "Ai 64");
    EXPECT_EQ(flow.arrows[2].label, "SABME");
    EXPECT_EQ(flow.title, "Frames 1 to 5");
    const std::string text = callFlowText(flow);
    EXPECT_NE(text.find("\t5\tTE --> NT\tSETUP\t0301234567 -> 0897654321\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\t4\tTE <-- NT\tUA\t\n"), std::string::npos) << text;
    ASSERT_TRUE(buildFrameFlow(*FrameSource::of(doc), {0, 1, 2, 3, 4, 999999}, {}, flow));
    EXPECT_EQ(flow.arrows.size(), 1u) << "layer 3 only; a frame beyond the capture is left out";
}

} // namespace
} // namespace qv::test
