// The walks over a whole capture read a source of their own: the document they start from keeps
// its frame, its decoder and its filters; a source keeps the filter the document had when it was
// made; two walks run at once on two threads and agree; a stopped export leaves no file.
#include "capture/FrameSource.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/CallList.h"
#include "analysis/LinkAnalysis.h"
#include "analysis/Statistics.h"
#include "app/DecoderContext.h"
#include "capture/CDecodeDoc.h"
#include "capture/CaptureTestSupport.h"
#include "capture/FramePrint.h"
#include "capture/PcapExport.h"
#include "decode/SummaryColumn.h"
#include "decode/SummaryFieldTable.h"
#include "filters/OffLineFrameFilter.h"
#include "synth/Scenario.h"

namespace qv::test {
namespace {

DecoderContext &decoding() {
    static DecoderContext context;
    static const bool started = [] {
        RecordingUserMessages messages;
        return context.start(Installation::fromCommandLine({}), Settings(), "EDSS", messages);
    }();
    EXPECT_TRUE(started);
    return context;
}

// Every frame's summary and detail texts, as a walk of source sees them.
std::string everyDetail(FrameSource &source) {
    std::string text;
    std::string cell;
    source.forEachFrame([&](std::uint32_t n, CDecoder &decoder) {
        decoder.columnText(columnNumber(SummaryColumn::MessageType), cell, false);
        text += std::to_string(n) + " " + cell + "\n";
        decoder.Format_Detail(DetailOptions{});
        for (const DetailLine &line : decoder.detailLines())
            text += line.text + "\n";
    });
    return text;
}

std::string detailOf(CDecoder &decoder) {
    std::string text;
    decoder.Format_Detail(DetailOptions{});
    for (const DetailLine &line : decoder.detailLines())
        text += line.text + "\n";
    return text;
}

class FrameSourceTest : public ::testing::Test {
protected:
    FrameSourceTest() {
        std::string error;
        path = dir.file("mix.lvt");
        EXPECT_TRUE(synth::writeCapture(path, synth::Layout::RealTime,
                                        synth::builtinScenario("mix", 3000, 7),
                                        synth::kScenarioStartYear, error))
            << error;
        EXPECT_TRUE(doc.openCapture(path, {}));
    }

    TempDir dir;
    std::string path;
    RecordingUserMessages messages;
    CDecodeDoc doc{messages, decoding().services()};
};

TEST_F(FrameSourceTest, WalksLeaveTheDocumentOnItsFrame) {
    ASSERT_TRUE(doc.goToFrame(1234));
    const std::string before = detailOf(*doc.decoder());
    std::vector<CallEntry> calls;
    ASSERT_TRUE(buildCallList(*FrameSource::of(doc), calls));
    EXPECT_FALSE(calls.empty());
    LinkAnalysis links;
    EXPECT_TRUE(analyseLinks(*FrameSource::of(doc), links));
    Statistics statistics;
    EXPECT_TRUE(collectStatistics(*FrameSource::of(doc), statistics));
    EXPECT_EQ(statistics.frames(), 3000u);
    SummaryFieldTable columns;
    EXPECT_EQ(
        buildPrint(*FrameSource::of(doc), columns, {0, 2999}, PrintKind::Detail).blocks.size(),
        3000u);
    EXPECT_TRUE(exportPcap(*FrameSource::of(doc), false, dir.file("mix.pcap")).ok);

    EXPECT_EQ(doc.currentFrame(), 1234u);
    EXPECT_EQ(doc.decoder()->frameNumber(), 1234u);
    EXPECT_EQ(detailOf(*doc.decoder()), before);
}

TEST_F(FrameSourceTest, ASourceKeepsTheFilterTheDocumentHadWhenItWasMade) {
    FilterCriteria layer3Only;
    layer3Only.layer1 = layer3Only.layer2 = false;
    doc.applyOffLineFilters(std::make_unique<OffLineFrameFilter>(layer3Only));
    std::vector<std::uint32_t> expected;
    ShownFrames shownByDocument(*doc.decodable());
    for (std::uint32_t n = 0; shownByDocument.next(n);)
        expected.push_back(n);
    FrameSource filtered(FrameSource::setupOf(doc));
    doc.applyOffLineFilters(nullptr);
    FrameSource whole(FrameSource::setupOf(doc));
    ASSERT_TRUE(filtered.open());
    ASSERT_TRUE(whole.open());
    EXPECT_TRUE(filtered.filtersActive());
    EXPECT_FALSE(whole.filtersActive());

    std::vector<std::uint32_t> shown, all;
    filtered.forEachShown([&](std::uint32_t n) { return shown.push_back(n), true; });
    whole.forEachShown([&](std::uint32_t n) { return all.push_back(n), true; });
    EXPECT_EQ(shown, expected);
    EXPECT_GT(shown.size(), 0u);
    EXPECT_LT(shown.size(), 3000u);
    EXPECT_EQ(all.size(), 3000u);
}

TEST_F(FrameSourceTest, TwoWalksOnTwoThreadsDecodeAsOneWalkAlone) {
    FrameSource alone(FrameSource::setupOf(doc));
    ASSERT_TRUE(alone.open());
    const std::string expected = everyDetail(alone);
    ASSERT_NE(expected.find("Bearer capability"), std::string::npos)
        << "the interpreter's full decode is part of what is compared";

    auto walk = [this] {
        return [setup = FrameSource::setupOf(doc)](JobControl &) mutable {
            FrameSource source(std::move(setup));
            return source.open() ? everyDetail(source) : std::string();
        };
    };
    BackgroundJob<std::string> first(walk());
    BackgroundJob<std::string> second(walk());
    first.wait();
    second.wait();
    EXPECT_EQ(first.take(), expected);
    EXPECT_EQ(second.take(), expected);
}

TEST_F(FrameSourceTest, AStoppedExportWritesNothing) {
    const std::string out = dir.file("stopped.pcap");
    int calls = 0;
    const PcapExportResult result =
        exportPcap(*FrameSource::of(doc), false, out,
                   [&calls](std::uint64_t, std::uint64_t) { return ++calls < 1; });
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(std::filesystem::path(out).parent_path()),
                      {}),
        1)
        << "only the capture is left in the folder";
}

} // namespace
} // namespace qv::test
