// The texts of a frame print: the summary with five-digit numbers, the detail with each
// frame's heading line, and the detail with its hexadecimal trace.
#include "capture/FramePrint.h"

#include <gtest/gtest.h>

#include "capture/FrameSource.h"
#include "decode/SummaryFieldTable.h"

namespace qv {
namespace {

class FramePrintTest : public ::testing::Test {
protected:
    FramePrintTest() {
        EXPECT_TRUE(
            doc.openCapture(std::string(QUORVANE_SOURCE_DIR) + "/data/samples/demo.lvt", {}));
    }
    RecordingUserMessages messages;
    DecoderServices services;
    CDecodeDoc doc{messages, services};
    SummaryFieldTable columns;
};

TEST_F(FramePrintTest, SummaryPrintHasTheTitlesAndFiveDigitNumbers) {
    const PrintDocument print =
        buildPrint(*FrameSource::of(doc), columns, {3, 5}, PrintKind::Summary);
    EXPECT_EQ(print.title, "");
    ASSERT_EQ(print.blocks.size(), 4u) << "the heading and three frames";
    EXPECT_EQ(print.blocks[0].lines[0].rfind("Number", 0), 0u);
    EXPECT_NE(print.blocks[0].lines[0].find("Msg.Type"), std::string::npos);
    const std::string &row = print.blocks[1].lines[0];
    EXPECT_EQ(row.rfind("00004 ", 0), 0u) << row;
    EXPECT_NE(row.find("12/03/2026"), std::string::npos);
    EXPECT_NE(row.find(" UI "), std::string::npos);
    EXPECT_NE(row.find("ID.REQUEST"), std::string::npos);
    EXPECT_EQ(print.blocks[3].lines[0].rfind("00006 ", 0), 0u);
    EXPECT_EQ(print.blocks[1].lines[0].find("Number"), std::string::npos);
}

TEST_F(FramePrintTest, ALongPrintReportsItsProgressAndCanBeCancelled) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    const std::uint32_t last = doc.frameCount() - 1;
    PrintDocument print = buildPrint(*FrameSource::of(doc), columns, {0, last}, PrintKind::Summary,
                                     [&calls](std::uint64_t done, std::uint64_t total) {
                                         calls.emplace_back(done, total);
                                         return true;
                                     });
    EXPECT_FALSE(print.cancelled);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), std::make_pair(std::uint64_t{0}, std::uint64_t{last + 1u}));
    EXPECT_EQ(calls.size(), last / 256 + 2) << "every 256th frame, then the summary's layout";
    EXPECT_EQ(calls.back(), std::make_pair(std::uint64_t{last + 1u}, std::uint64_t{last + 1u}));

    print = buildPrint(*FrameSource::of(doc), columns, {0, last}, PrintKind::Detail,
                       [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_TRUE(print.cancelled);
    EXPECT_TRUE(print.blocks.empty());
}

TEST_F(FramePrintTest, DetailPrintsGiveEachFrameItsHeadingAndLines) {
    const PrintDocument detail =
        buildPrint(*FrameSource::of(doc), columns, {7, 7}, PrintKind::Detail);
    EXPECT_EQ(detail.title, "Detail print");
    ASSERT_EQ(detail.blocks.size(), 1u);
    const std::vector<std::string> &lines = detail.blocks[0].lines;
    EXPECT_EQ(lines[0].rfind("Frame : 8   Dir : ", 0), 0u) << lines[0];
    EXPECT_NE(
        lines[0].find("   Date : 12/03/2026   Time : 09:30:00.130   Length : 44   FCS : Good"),
        std::string::npos)
        << lines[0];
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ISDN LAYER 2"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  SAPI (Service Access Point Identifier) : 0"),
              lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "Hexadecimal Trace"), lines.end());

    const PrintDocument hexa =
        buildPrint(*FrameSource::of(doc), columns, {7, 8}, PrintKind::DetailAndHexa);
    EXPECT_EQ(hexa.title, "Detail and hexa print");
    ASSERT_EQ(hexa.blocks.size(), 2u);
    const std::vector<std::string> &first = hexa.blocks[0].lines;
    const auto trace = std::find(first.begin(), first.end(), "Hexadecimal Trace");
    ASSERT_NE(trace, first.end());
    EXPECT_EQ((trace + 1)->rfind("0000:     00 81 00 00 08 01", 0), 0u) << *(trace + 1);

    const std::string text = printText(hexa);
    EXPECT_EQ(text.rfind("Detail and hexa print\r\n\r\nFrame : 8 ", 0), 0u);
    EXPECT_NE(text.find("\r\nFrame : 9 "), std::string::npos);
}

TEST_F(FramePrintTest, FileHeaderNamesTheCapture) {
    const std::vector<std::string> lines = fileHeaderLines(doc);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "File : " + doc.pathName());
    EXPECT_EQ(lines[1].rfind("Instrument : LVT", 0), 0u) << lines[1];
    EXPECT_EQ(lines[6], "Frames : " + std::to_string(doc.frameCount()));
}

} // namespace
} // namespace qv
