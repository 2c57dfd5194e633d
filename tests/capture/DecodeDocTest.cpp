// The capture document: opening, the choice of decoder, navigation, the comment, Save As and
// the print range.
#include <map>

#include <gtest/gtest.h>

#include "capture/CDecodeDoc.h"
#include "capture/CaptureTestSupport.h"
#include "decode/CV5.h"

namespace qv::test {
namespace {

struct RecordingStatus : DocumentStatus {
    void setStatusPane(int pane, const std::string &text) override {
        panes[pane] = text;
        history.push_back(std::to_string(pane) + ":" + text);
    }
    std::map<int, std::string> panes;
    std::vector<std::string> history;
};

// Answers from a table; frames not in it pass.
struct TableFilter : OffLineFilter {
    std::map<std::uint32_t, int> verdicts;
    bool ordered = false;
    std::vector<std::uint32_t> tested;
    int test(CDecoder &, std::uint32_t frame) override {
        tested.push_back(frame);
        auto it = verdicts.find(frame);
        return it == verdicts.end() ? kFilterKeep : it->second;
    }
    bool needsOrderedWalk() const override { return ordered; }
    bool active() const override { return true; }
    std::unique_ptr<OffLineFilter> fresh() const override {
        auto copy = std::make_unique<TableFilter>();
        copy->verdicts = verdicts;
        copy->ordered = ordered;
        return copy;
    }
};

class DecodeDocTest : public ::testing::Test {
protected:
    bool open(const std::string &path, CaptureOpenOptions options = {}) {
        return doc.openCapture(path, options);
    }
    TableFilter &useFilter(std::map<std::uint32_t, int> verdicts, bool ordered = false) {
        auto filter = std::make_unique<TableFilter>();
        filter->verdicts = std::move(verdicts);
        filter->ordered = ordered;
        TableFilter &ref = *filter;
        doc.applyOffLineFilters(std::move(filter));
        ref.tested.clear();
        return ref;
    }

    TempDir dir;
    RecordingUserMessages messages;
    RecordingStatus status;
    DecoderServices services;
    CDecodeDoc doc{messages, services, &status};
};

TEST_F(DecodeDocTest, OpensAndShowsTheFirstFrame) {
    ASSERT_TRUE(open(writeStored(dir.file("m1.lvt"), 20)));
    EXPECT_EQ(doc.frameCount(), 20u);
    EXPECT_EQ(doc.currentFrame(), 0u);
    EXPECT_EQ(doc.pathName(), dir.file("m1.lvt"));
    EXPECT_EQ(status.panes[1], "Frame number 1");
    EXPECT_EQ(status.panes[2], "Good");
    EXPECT_EQ(doc.decodable()->decoderKind(), DecoderKind::Isdn);
    EXPECT_TRUE(messages.entries().empty());

    doc.setNumberingOffset(1000);
    doc.showFrameStatus(4);
    EXPECT_EQ(status.panes[1], "Frame number 1005");
    doc.showFrameStatus(kNoFrame);
    EXPECT_EQ(status.panes[1], "");
    EXPECT_EQ(status.panes[2], "");
}

TEST_F(DecodeDocTest, CaptureModeShowsTheLastFrame) {
    CaptureOpenOptions options;
    options.captureMode = true;
    std::vector<std::pair<std::uint32_t, bool>> shown;
    doc.onFrameShown = [&](std::uint32_t frame, bool select) { shown.push_back({frame, select}); };
    ASSERT_TRUE(open(writeRealTime(dir.file("rtcapt.lvt"), 7), options));
    EXPECT_EQ(doc.currentFrame(), 6u);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], std::make_pair(6u, true));
    EXPECT_EQ(status.panes[1], "Frame number 7");
}

TEST_F(DecodeDocTest, RefusesWhatItCannotShow) {
    struct Case {
        const char *name;
        std::vector<std::uint8_t> bytes;
        const char *message;
    } cases[] = {
        {"foreign.lvt", {'X', 1, 2, 3, 4}, kMsgFirstGroup},
        {"empty.lvt", {}, kMsgFirstGroup},
    };
    for (const Case &c : cases) {
        writeFile(dir.file(c.name), c.bytes);
        messages.clear();
        EXPECT_FALSE(open(dir.file(c.name))) << c.name;
        ASSERT_FALSE(messages.entries().empty()) << c.name;
        EXPECT_EQ(messages.entries().back().text, c.message) << c.name;
        EXPECT_EQ(doc.decodable(), nullptr) << "a failed open leaves no document";
    }
    messages.clear();
    EXPECT_FALSE(open(dir.file("missing.lvt")));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kMsgFirstGroup});

    messages.clear();
    EXPECT_FALSE(open(writeRealTime(dir.file("none.lvt"), 0)));
    EXPECT_EQ(messages.texts().back(), kMsgNoFrame);
}

TEST_F(DecodeDocTest, V5DecodingNeedsAV5Capture) {
    CaptureOpenOptions v5;
    v5.v5Decoding = true;
    ASSERT_TRUE(open(writeStored(dir.file("plain.lvt"), 3), v5));
    EXPECT_EQ(doc.decodable()->decoderKind(), DecoderKind::Isdn);
    EXPECT_FALSE(doc.decodable()->isV5Capture());

    StoredFileDescription flagged = lvt30Description();
    flagged.captureFlags = 0x02 | (5 << 2);
    CDecodeDoc second(messages, services);
    ASSERT_TRUE(second.openCapture(writeStored(dir.file("v5.lvt"), 3, flagged), v5));
    EXPECT_TRUE(second.decodable()->isV5Capture());
    EXPECT_EQ(second.decodable()->decoderKind(), DecoderKind::V5);
    const auto *v5Decoder = dynamic_cast<const CV5 *>(second.decoder());
    ASSERT_NE(v5Decoder, nullptr);
    EXPECT_EQ(v5Decoder->timeSlot(), 5) << "the capture V5 setting";

    CDecodeDoc third(messages, services);
    ASSERT_TRUE(third.openCapture(dir.file("v5.lvt"), CaptureOpenOptions{}));
    EXPECT_EQ(third.decodable()->decoderKind(), DecoderKind::Isdn)
        << "without the setting every capture is ISDN";

    DecodableObject raw(dir.file("plain.lvt"), "", 0, true, messages, services);
    raw.createDecoder(DecoderKind::Isdn);
    EXPECT_TRUE(raw.readFrame(0).notV5Capture);
    EXPECT_FALSE(raw.readFrame(1).notV5Capture) << "only the first access tells";
}

TEST_F(DecodeDocTest, NavigationStaysInsideTheCapture) {
    ASSERT_TRUE(open(writeStored(dir.file("m.lvt"), 10)));
    EXPECT_TRUE(doc.goToFrame(4));
    EXPECT_EQ(doc.currentFrame(), 4u);
    EXPECT_EQ(doc.decoder()->currentRecord().dataLength, numberedRecord(4).dataLength);
    EXPECT_FALSE(doc.goToFrame(10)) << "one past the last frame";
    EXPECT_EQ(doc.currentFrame(), 4u);
    EXPECT_EQ(doc.decodable()->decodeTo(10, 3), WalkAnswer::Hidden);
    EXPECT_EQ(doc.decodable()->decodeTo(0, 0xFFFFFFFF), WalkAnswer::Hidden);
    const std::vector<std::string> lastMove(status.history.end() - 4, status.history.end());
    EXPECT_EQ(lastMove, (std::vector<std::string>{"1:Processing Frame 5", "2:", "2:Overflow",
                                                  "1:Frame number 5"}));
}

TEST_F(DecodeDocTest, StepOrJumpToTheLastFrame) {
    ASSERT_TRUE(open(writeStored(dir.file("m.lvt"), 10)));
    DecodableObject &d = *doc.decodable();
    EXPECT_EQ(d.decodeTo(7, 8), WalkAnswer::Keep);
    EXPECT_FALSE(d.endReached());
    EXPECT_EQ(d.decodeTo(8, 9), WalkAnswer::Keep);
    EXPECT_TRUE(d.endReached()) << "a single step onto the last frame";
    EXPECT_TRUE(d.atLastFrame());
    EXPECT_EQ(d.lastPassing(), 9u);

    useFilter({{9, kFilterDrop}});
    EXPECT_EQ(d.decodeTo(0, 9), WalkAnswer::Hidden);
    EXPECT_TRUE(d.passedEnd()) << "a jump onto a dropped last frame";
    EXPECT_FALSE(d.endReached());
    EXPECT_EQ(d.decodeTo(9, 8), WalkAnswer::Keep);
    EXPECT_FALSE(d.passedEnd());
    EXPECT_TRUE(d.endReached());
    EXPECT_EQ(d.lastPassing(), 8u);
    EXPECT_EQ(d.decodeTo(8, 9), WalkAnswer::BeyondLastShown);
    EXPECT_FALSE(doc.goToFrame(9));
}

TEST_F(DecodeDocTest, AHiddenFrameOffersTheNearestShownOne) {
    ASSERT_TRUE(open(writeStored(dir.file("m.lvt"), 10)));
    useFilter(
        {{2, kFilterDrop}, {3, kFilterDrop}, {4, kFilterDrop}, {8, kFilterDrop}, {9, kFilterDrop}});
    ASSERT_TRUE(doc.goToFrame(1));
    messages.clear();

    messages.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(doc.reachFrame(3));
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text, kMsgFrameSuppressed);
    EXPECT_EQ(doc.currentFrame(), 1u);
    EXPECT_EQ(doc.decoder()->frameNumber(), 1u) << "the decoder is back on the current frame";

    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(doc.reachFrame(3));
    EXPECT_EQ(doc.currentFrame(), 5u) << "1 and 5 are as near: the one after";
    EXPECT_TRUE(doc.reachFrame(2)) << "1 is nearer";
    EXPECT_EQ(doc.currentFrame(), 1u);
    EXPECT_TRUE(doc.reachFrame(9)) << "nothing shown after it";
    EXPECT_EQ(doc.currentFrame(), 7u);
    EXPECT_EQ(doc.nearestShownFrame(6), 7u) << "5 and 7 are as near";

    messages.clear();
    EXPECT_TRUE(doc.reachFrame(6));
    EXPECT_TRUE(messages.entries().empty()) << "a shown frame asks nothing";
    EXPECT_FALSE(doc.reachFrame(10)) << "outside the capture";
    EXPECT_TRUE(messages.entries().empty());

    // A filter that hides the current frame moves to the nearest one; one that hides every
    // frame leaves nothing to reach.
    useFilter({{6, kFilterDrop}});
    EXPECT_EQ(doc.currentFrame(), 7u);
    std::map<std::uint32_t, int> none;
    for (std::uint32_t n = 0; n < 10; ++n)
        none[n] = kFilterDrop;
    useFilter(none);
    EXPECT_EQ(doc.nearestShownFrame(4), kNoFrame);
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(doc.reachFrame(4));
}

TEST_F(DecodeDocTest, TheEndIsKnownOnlyFromAnUnbrokenRunOfTestedFrames) {
    ASSERT_TRUE(open(writeStored(dir.file("m.lvt"), 10)));
    ASSERT_TRUE(doc.goToFrame(9));
    const std::map<std::uint32_t, int> tailHidden{{8, kFilterDrop}, {9, kFilterDrop}};
    useFilter(tailHidden);
    EXPECT_EQ(doc.currentFrame(), 7u) << "a filter hiding the last frame, shown at the time";

    useFilter(tailHidden);
    DecodableObject &d = *doc.decodable();
    EXPECT_EQ(d.decodeTo(0, 9), WalkAnswer::Hidden);
    EXPECT_EQ(d.decodeTo(9, 2), WalkAnswer::Keep);
    EXPECT_FALSE(d.endReached()) << "frames 3 to 8 are untested";
    EXPECT_EQ(d.decodeTo(2, 5), WalkAnswer::Keep);
    EXPECT_EQ(d.decodeTo(5, 8), WalkAnswer::Hidden);
    EXPECT_EQ(d.decodeTo(8, 7), WalkAnswer::Keep);
    EXPECT_TRUE(d.endReached()) << "back from the end: 9 and 8 hidden, 7 shown";
    EXPECT_EQ(d.lastPassing(), 7u);
    EXPECT_EQ(d.decodeTo(7, 8), WalkAnswer::BeyondLastShown);
    EXPECT_EQ(d.decodeTo(7, 6), WalkAnswer::Keep);
}

TEST_F(DecodeDocTest, OrderedWalkTestsEveryFrameOnce) {
    ASSERT_TRUE(open(writeStored(dir.file("m.lvt"), 8)));
    TableFilter &filter = useFilter(
        {{1, kFilterUnsettled}, {2, kFilterUnsettled}, {3, kFilterKeep}, {5, kFilterDrop}}, true);
    DecodableObject &d = *doc.decodable();
    EXPECT_EQ(d.decodeTo(0, 4), WalkAnswer::Keep);
    EXPECT_EQ(filter.tested, (std::vector<std::uint32_t>{1, 2, 3, 4}))
        << "frame 0 was tested when the filter was applied";
    EXPECT_EQ(d.decodedUpTo(), 5u);
    EXPECT_EQ(d.lastPassing(), 4u);
    EXPECT_EQ(d.decoder()->frameNumber(), 4u);
    filter.tested.clear();
    EXPECT_EQ(d.decodeTo(4, 5), WalkAnswer::Hidden);
    EXPECT_EQ(filter.tested, (std::vector<std::uint32_t>{5}));
    EXPECT_EQ(d.lastPassing(), 4u);

    filter.verdicts[7] = kFilterUnsettled;
    EXPECT_EQ(d.decodeTo(5, 7), WalkAnswer::Hidden) << "an unsettled last frame cannot be shown";
}

TEST_F(DecodeDocTest, CommentIsStoredOnlyWhenChangedAndConfirmed) {
    const std::string path = writeStored(dir.file("m.lvt"), 4);
    ASSERT_TRUE(open(path));
    const std::string original = doc.commentForEditor();
    EXPECT_FALSE(original.empty()) << "an empty comment shows the generated header";
    const auto before = readFile(path);

    EXPECT_TRUE(doc.saveComment(original));
    EXPECT_TRUE(messages.entries().empty()) << "no question for an unchanged comment";
    EXPECT_EQ(readFile(path), before);

    messages.queueAnswer(MessageAnswer::No);
    EXPECT_TRUE(doc.saveComment("Line 2 tests"));
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text, kMsgCommentChanged);
    EXPECT_TRUE(messages.entries()[0].question);
    EXPECT_EQ(readFile(path), before);

    // Yes stores it: the desktop program's comment window test reads it back.
    messages.clear();
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(doc.saveComment(std::string(3000, 'x')));
    EXPECT_EQ(messages.texts().back(), kMsgCommentNotUpdated);
}

TEST_F(DecodeDocTest, SaveAsCopiesTheFile) {
    const std::string path = writeStored(dir.file("m.lvt"), 30);
    ASSERT_TRUE(open(path));
    EXPECT_TRUE(doc.saveAs(dir.file("copy.lvt")));
    EXPECT_EQ(readFile(dir.file("copy.lvt")), readFile(path));
    EXPECT_EQ(doc.pathName(), dir.file("copy.lvt"));

    const auto bytes = readFile(path);
    EXPECT_TRUE(copyCaptureFile(path, path)) << "a copy onto itself";
    EXPECT_EQ(readFile(path), bytes);

    EXPECT_FALSE(doc.saveAs(dir.file("no-such-folder/copy.lvt")));
    EXPECT_EQ(messages.texts().back(), kMsgSaveAsFailed);
    EXPECT_EQ(doc.pathName(), dir.file("copy.lvt"));
}

TEST_F(DecodeDocTest, PrintRange) {
    ASSERT_TRUE(open(writeStored(dir.file("m.lvt"), 12)));
    PrintRange range;
    EXPECT_TRUE(doc.printRange(PrintChoice::Range, 1, 12, range));
    EXPECT_EQ(range.first, 0u);
    EXPECT_EQ(range.last, 11u);
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_FALSE(doc.printRange(PrintChoice::Range, 1, 13, range));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kMsgPrintRange});
    EXPECT_FALSE(doc.printRange(PrintChoice::Range, 13, 13, range));
    EXPECT_FALSE(doc.printRange(PrintChoice::Range, 0, 3, range));
    EXPECT_FALSE(doc.printRange(PrintChoice::Range, 5, 3, range));

    ASSERT_TRUE(doc.goToFrame(7));
    EXPECT_TRUE(doc.printRange(PrintChoice::CurrentToEnd, 0, 0, range));
    EXPECT_EQ(range.first, 7u);
    EXPECT_EQ(range.last, 11u);
    EXPECT_TRUE(doc.printRange(PrintChoice::All, 0, 0, range));
    EXPECT_EQ(range.first, 0u);
    EXPECT_EQ(range.last, 11u);
}

} // namespace
} // namespace qv::test
