// Find on the summary: slices over a long capture, the count of hits, the wrap questions at
// either end, the hidden-column refusal and the result texts.
#include "capture/SummaryFinder.h"

#include <gtest/gtest.h>

#include "capture/CDecodeDoc.h"
#include "capture/CaptureTestSupport.h"
#include "capture/FrameSource.h"
#include "decode/SummaryColumn.h"
#include "decode/SummaryFieldTable.h"

namespace qv::test {
namespace {

// 1,000 frames: RR everywhere, DISC at 250 and 900 (both beyond the first slice of 200).
std::string writeDiscCapture(const std::string &path) {
    StoredFileWriter w;
    w.create(path);
    for (std::uint32_t i = 0; i < 1000; ++i) {
        LvtRecord r = numberedRecord(i);
        const bool disc = i == 250 || i == 900;
        const std::uint8_t octets[] = {0x02, 0x81, static_cast<std::uint8_t>(disc ? 0x53 : 0x01),
                                       0x05};
        r.dataLength = disc ? 3 : 4;
        std::copy(std::begin(octets), std::end(octets), r.data.begin());
        r.status = 0;
        w.append(r);
    }
    w.finish(lvt30Description());
    return path;
}

class SummaryFinderTest : public ::testing::Test {
protected:
    SummaryFinderTest() { EXPECT_TRUE(doc.openCapture(writeDiscCapture(dir.file("m.lvt")), {})); }

    // Runs slices until the search stops; the number of slices it took.
    int run(SummaryFinder &finder) {
        int slices = 0;
        while (finder.state() == SummaryFinder::State::Running) {
            finder.step();
            ++slices;
        }
        return slices;
    }
    static FindQuery text(const std::string &t, bool forward = true) {
        FindQuery q;
        q.text = t;
        q.forward = forward;
        return q;
    }

    DecodableObject &capture() {
        if (!source)
            source = FrameSource::of(doc);
        return source->capture();
    }

    TempDir dir;
    RecordingUserMessages messages;
    DecoderServices services;
    CDecodeDoc doc{messages, services};
    SummaryFieldTable columns;
    std::unique_ptr<FrameSource> source;
};

TEST_F(SummaryFinderTest, HitsFollowEachOtherAndWrapAtTheEnd) {
    SummaryFinder finder(columns);
    ASSERT_TRUE(finder.start(capture(), text("disc"), 0));
    EXPECT_EQ(run(finder), 2) << "frame 250 lies in the second slice";
    ASSERT_EQ(finder.state(), SummaryFinder::State::Found);
    EXPECT_EQ(finder.hit().frame, 250u);
    EXPECT_EQ(doc.currentFrame(), 0u) << "the search runs on a source of its own";
    EXPECT_EQ(finder.text(), "String found once");

    ASSERT_TRUE(finder.start(capture(), text("disc"), 0));
    run(finder);
    EXPECT_EQ(finder.hit().frame, 900u);
    EXPECT_EQ(finder.text(), "String found twice");

    ASSERT_TRUE(finder.start(capture(), text("disc"), 0));
    run(finder);
    ASSERT_EQ(finder.state(), SummaryFinder::State::ReachedEnd);
    EXPECT_EQ(finder.text(),
              "Program has reached the last frame!\nDo you want to go to the first frame?");
    finder.wrap();
    run(finder);
    ASSERT_EQ(finder.state(), SummaryFinder::State::Found);
    EXPECT_EQ(finder.hit().frame, 250u);
    EXPECT_EQ(finder.text(), "String found 3 times");

    ASSERT_TRUE(finder.start(capture(), text("DISC", false), 600));
    EXPECT_EQ(finder.hits(), 0) << "a new query counts again";
    run(finder);
    EXPECT_EQ(finder.hit().frame, 250u);
    EXPECT_EQ(finder.text(), "String found once");
}

TEST_F(SummaryFinderTest, BackwardSearchAsksAtTheFirstFrameAndEndsWhereItBegan) {
    SummaryFinder finder(columns);
    ASSERT_TRUE(finder.start(capture(), text("DISC", false), 100));
    run(finder);
    ASSERT_EQ(finder.state(), SummaryFinder::State::ReachedEnd);
    EXPECT_EQ(finder.text(),
              "Program has reached the first frame!\nDo you want to go to the last frame?");
    finder.wrap();
    run(finder);
    EXPECT_EQ(finder.hit().frame, 900u);

    ASSERT_TRUE(finder.start(capture(), text("no such text"), 10));
    run(finder);
    ASSERT_EQ(finder.state(), SummaryFinder::State::ReachedEnd);
    finder.wrap();
    EXPECT_LE(run(finder), 1) << "the wrapped search stops at the frame it began with";
    EXPECT_EQ(finder.state(), SummaryFinder::State::NotFound);
    EXPECT_EQ(finder.text(), "String not found!");
}

TEST_F(SummaryFinderTest, StopEndsTheSearchBetweenSlices) {
    SummaryFinder finder(columns);
    ASSERT_TRUE(finder.start(capture(), text("no such text"), 0));
    finder.step();
    EXPECT_EQ(finder.state(), SummaryFinder::State::Running);
    EXPECT_EQ(finder.text(), "Press ESCAPE to stop the find function");
    finder.stop();
    EXPECT_EQ(finder.step(), SummaryFinder::State::Idle);
    EXPECT_EQ(finder.text(), "");
}

TEST_F(SummaryFinderTest, CriteriaOnHiddenColumnsAreRefused) {
    columns.field(columnNumber(SummaryColumn::Cause)).width = 0;
    SummaryFinder finder(columns);
    FindQuery cause;
    cause.criterion = FindCriterion::Cause;
    cause.cause = 16;
    EXPECT_FALSE(finder.start(capture(), cause, 0));
    EXPECT_EQ(finder.text(), "This field is not visible now. Display it with the\n \"Protocol "
                             "Information\" menu and restart the Find function");
    columns.field(columnNumber(SummaryColumn::Cause)).width = 120;
    ASSERT_TRUE(finder.start(capture(), cause, 0));
    run(finder);
    finder.wrap();
    run(finder);
    EXPECT_EQ(finder.text(), "Cause number not found!");

    FindQuery message;
    message.criterion = FindCriterion::MessageType;
    message.text = "SETUP";
    columns.field(columnNumber(SummaryColumn::MessageType)).width = 0;
    EXPECT_FALSE(finder.start(capture(), message, 0));
}

} // namespace
} // namespace qv::test
