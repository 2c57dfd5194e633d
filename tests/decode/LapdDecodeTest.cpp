// Layer-2 and TEI-management decoding as the summary columns and the decoded frame show it.
#include <gtest/gtest.h>

#include "decode/DecoderTestSupport.h"
#include "decode/SummaryColumn.h"
#include "support/Pinned.h"

namespace qv::test {
namespace {

// The summary columns by name.
using enum SummaryColumn;

// The columns of each frame of decode/lapd-columns.txt.
TEST(LapdColumns, ShowTheirTexts) {
    expectColumns<Decoded>("decode/lapd-columns.txt");
}

TEST(LapdColumns, LongFormsInFrench) {
    Decoded french(frameRecord(Dir::NtTe, {0x02, 0x81, 0x23}), 1);
    EXPECT_EQ(french.column(Type, true), "Inconnu");
    EXPECT_EQ(french.column(CallRefFlag, true), "-");
}

TEST(LapdDecode, TheLayerThreeStartsAfterTheControlFieldAndFramesHaveALimit) {
    Decoded i(frameRecord(Dir::TeNt, {0x41, 0x81, 0x0A, 0x07, 0x00}));
    EXPECT_EQ(i.frame().l3Kind, kL3X25);
    EXPECT_EQ(i.frame().l3Offset, 4);
    Decoded ui(frameRecord(Dir::NtTe, {0x02, 0x81, 0x13, 0x08}));
    EXPECT_EQ(ui.frame().l3Offset, 3);
    EXPECT_EQ(ui.frame().l3Kind, kL3CallControl);

    Decoded tooLong(longFrame(Dir::TeNt, {0x00, 0x81, 0x00, 0x00}, 267));
    EXPECT_EQ(tooLong.frame().error, kFrameTooLong);
    EXPECT_EQ(tooLong.frame().control, kCtrlNotParsed);
    EXPECT_EQ(tooLong.frame().l3Kind, kL3None);
    Decoded longest(longFrame(Dir::TeNt, {0x00, 0x81, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05}, 266));
    EXPECT_EQ(longest.frame().error, kDecodeOk);
    Decoded uiTooLong(longFrame(Dir::TeNt, {0x00, 0x81, 0x03}, 266));
    EXPECT_EQ(uiTooLong.frame().error, kFrameTooLong);
    Decoded uiLongest(longFrame(Dir::TeNt, {0xFC, 0xFF, 0x03}, 265));
    EXPECT_EQ(uiLongest.frame().error, kTeiUnknownEntity);
}

TEST(LapdDecode, RealTimeEntryDecodesAndAsksTheFilter) {
    MemoryHost host;
    DecoderServices services;
    CISDN decoder(host, services);
    std::vector<std::string> seen;
    decoder.setRealTimeFilter(
        [&](const DecodedFrame &f, const LvtRecord &, int category, std::uint32_t number) {
            seen.push_back(std::to_string(number) + ":" + std::to_string(category) + ":" +
                           std::to_string(f.error));
            return f.sapi == 63 ? 1 : 0;
        });
    EXPECT_EQ(decoder.DecodeFrameRealTime(
                  frameRecord(Dir::TeNt, {0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF}), 7),
              1);
    EXPECT_EQ(decoder.frame().ri, 0x1234);
    EXPECT_EQ(decoder.frameNumber(), 7u);
    std::string text;
    decoder.columnText(28, text, false);
    EXPECT_EQ(text, "ID.REQUEST");
    EXPECT_EQ(decoder.DecodeFrameRealTime(frameRecord(Dir::NtTe, {0x00, 0x81, 0x73}, 1), 8), 0);
    EXPECT_EQ(decoder.frame().error, kBadFcs);
    EXPECT_EQ(decoder.DecodeFrameRealTime(overflowRecord(1), 9), 0);
    EXPECT_EQ(decoder.frame().error, kRealTimeOverflow);
    EXPECT_EQ(decoder.DecodeFrameRealTime(layer1Record(4), 10), 0);
    EXPECT_EQ(decoder.frame().frameLength, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"7:2:0", "8:0:8", "10:1:0"}))
        << "overflow marks are not shown to the filter";
}

TEST(LapdDecode, LayerCategoryFollowsTheFrame) {
    struct Case {
        LvtRecord record;
        int category;
    } cases[] = {
        {frameRecord(Dir::TeNt, {0x00, 0x81, 0x00, 0x00, 0x08}), 3},
        {frameRecord(Dir::NtTe, {0x42, 0x81, 0x00, 0x00, 0x10}), -4},
        {frameRecord(Dir::TeNt, {0x00, 0x81, 0x01, 0x00}), 2},
        {frameRecord(Dir::NtTe, {0x00, 0x81, 0x73}), -2},
        {frameRecord(Dir::TeNt, {0xFC, 0xFF, 0x03, 0x0F, 0, 1, 1, 0xFF}), 2},
        {frameRecord(Dir::TeNt, {0x00, 0x81, 0x03, 0x08, 0x01}), 3},
        {frameRecord(Dir::NtTe, {0x00, 0x81, 0x01, 0x00}, 1), 0},
        {overflowRecord(1), 0},
    };
    for (const Case &c : cases) {
        Decoded d(c.record);
        EXPECT_EQ(d.decoder->LayerCategory(), c.category) << "control " << int(c.record.data[2]);
    }
}

TEST(LapdDecode, CallControlItemsComeFromTheProvider) {
    struct Items : L3ItemProvider {
        bool messageTypeText(const std::uint8_t *, std::uint16_t, bool longForm, std::uint8_t,
                             std::string &out) const override {
            out = longForm ? "SETUP (long)" : "SETUP";
            return known;
        }
        bool itemText(const std::uint8_t *, std::uint16_t length, int item,
                      std::string &out) const override {
            out = item == kItemChannel ? "B2" : item == kItemCallingAddress ? "12345" : "";
            seenLength = length;
            return !out.empty();
        }
        bool itemValue(const std::uint8_t *, std::uint16_t, int item,
                       std::uint32_t &out) const override {
            out = 200;
            return item == kItemCause;
        }
        std::string protocolDiscriminatorText(std::uint8_t, int, bool) const override { return {}; }
        bool known = true;
        mutable std::uint16_t seenLength = 0;
    } items;
    LvtRecord setup = frameRecord(Dir::TeNt, {0x00, 0x81, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05});
    MemoryHost host;
    host.records = {setup};
    DecoderServices services;
    services.isdnItems = &items;
    CISDN decoder(host, services);
    ASSERT_EQ(decoder.Decode_Frame(0), 0);
    EXPECT_EQ(decoder.frame().channel, 2u);
    EXPECT_EQ(decoder.frame().callingAddress, "12345");
    EXPECT_EQ(decoder.frame().cause, 0u) << "a cause above 127 is not a cause";
    EXPECT_EQ(decoder.frame().l3Length, 4);
    EXPECT_EQ(items.seenLength, 4);
    std::string text;
    decoder.columnText(29, text, false);
    EXPECT_EQ(text, "12345");
    decoder.columnText(30, text, false);
    EXPECT_EQ(text, "-");
    decoder.columnText(28, text, false);
    EXPECT_EQ(text, "SETUP");
    EXPECT_EQ(decoder.frame().error, kDecodeOk);

    items.known = false;
    decoder.columnText(28, text, false);
    EXPECT_EQ(decoder.frame().error, kUnknownMessageType)
        << "asking for an unknown message's name marks the frame";
    decoder.columnText(29, text, false);
    EXPECT_EQ(text, "?");
}

} // namespace
} // namespace qv::test
