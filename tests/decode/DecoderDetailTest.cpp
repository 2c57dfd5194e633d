// The protocol detail, the hexa lines and the search over frames.
#include <gtest/gtest.h>

#include "decode/DecoderTestSupport.h"
#include "decode/HexaTrace.h"
#include "support/Pinned.h"

namespace qv::test {
namespace {

std::vector<std::string> lineTexts(const CDecoder &decoder) {
    return detailEntries(decoder.detailLines());
}

// The whole detail of each frame of decode/detail.txt, and the colours of its blocks.
TEST(DecoderDetail, EachKindOfFrameInOrder) {
    PinnedTexts pinned("decode/detail.txt");
    for (const PinnedTexts::Case &c : pinned.cases()) {
        Decoded d(describedRecord(c.input.at(0)));
        d.services.protocolName = "EDSS-1";
        ASSERT_EQ(d.decoder->Format_Detail(DetailOptions{}), 0) << c.name;
        pinned.expect(c.name, lineTexts(*d.decoder));
    }
    Decoded tei(frameRecord(Dir::TeNt, {0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF}));
    ASSERT_EQ(tei.decoder->Format_Detail(DetailOptions{}), 0);
    EXPECT_EQ(tei.decoder->detailLines()[0].colour, TextColour::Layer3IsdnTeNt);
    EXPECT_EQ(tei.decoder->detailLines()[1].colour, TextColour::Layer2TeNt);
    Decoded x25(frameRecord(Dir::TeNt, {0x40, 0x81, 0x00, 0x00, 0x10, 0x01, 0x0B}));
    ASSERT_EQ(x25.decoder->Format_Detail(DetailOptions{}), 0);
    EXPECT_EQ(x25.decoder->detailLines()[0].colour, TextColour::Layer3X25TeNt);
    Decoded event(layer1Record(4, Dir::NtTe));
    ASSERT_EQ(event.decoder->Format_Detail(DetailOptions{}), 0);
    EXPECT_EQ(event.decoder->detailLines().back().colour, TextColour::Layer1NtTe);
}

TEST(DecoderDetail, OptionsLeaveOutTheLayerTwoLines) {
    Decoded d(frameRecord(Dir::TeNt, {0x00, 0x81, 0x01, 0x0B}));
    DetailOptions options;
    options.layer2Lines = false;
    options.start = 10;
    options.unit = 4;
    ASSERT_EQ(d.decoder->Format_Detail(options), 0);
    ASSERT_EQ(d.decoder->detailLines().size(), 1u);
    EXPECT_EQ(d.decoder->detailLines()[0].start, 10);
    EXPECT_EQ(d.decoder->detailLines()[0].end, 22) << "the title spans three units";
}

TEST(DecoderDetail, CallControlBlockReportsAFailedFullDecode) {
    Decoded d(frameRecord(Dir::TeNt, {0x00, 0x81, 0x00, 0x00, 0x08, 0x01, 0x05, 0x05}));
    d.services.callControlFullDecode = [](const std::uint8_t *info, std::uint16_t length,
                                          std::vector<Layer3DetailItem> &out) {
        if (length != 4 || info[0] != 0x08)
            return false;
        out.push_back({false, "Information element", "Bearer capability"});
        out.push_back({true, "Coding standard", "CCITT"});
        return true;
    };
    ASSERT_EQ(d.decoder->Format_Detail(DetailOptions{}), 0);
    std::vector<std::string> texts = lineTexts(*d.decoder);
    const std::vector<std::string> expected = {
        "2 ISDN LAYER 3",
        "3 Protocol Discriminator : 0x08",
        "3 Call Reference Length : 1",
        "3 Call Reference Flag : Call Origin Side",
        "3 Call Reference Value : 0x05",
        "3 Message Type : ?",
        "3 Cause : -",
        "3 Information element : Bearer capability",
        "5 Coding standard : CCITT",
    };
    EXPECT_EQ(std::vector<std::string>(texts.end() - 9, texts.end()), expected);
    EXPECT_EQ(texts[2], "3 Decode Status : -");

    d.services.callControlFullDecode = [](const std::uint8_t *, std::uint16_t,
                                          std::vector<Layer3DetailItem> &) { return false; };
    ASSERT_EQ(d.decoder->Format_Detail(DetailOptions{}), 0);
    texts = lineTexts(*d.decoder);
    EXPECT_EQ(texts[2], "3 Decode Status : Problem with the PDU Interpreter")
        << "the decode status line takes the error found while the detail was made";
    EXPECT_EQ(texts.back(), "3 Cause : -");
}

// Lines carry the octets they describe, so that a view can mark them in the hexa trace.
TEST(DecoderDetail, LinesNameTheOctetsTheyDescribe) {
    Decoded d(frameRecord(
        Dir::TeNt, {0x00, 0x81, 0x02, 0x04, 0x08, 0x01, 0x05, 0x05, 0x04, 0x02, 0x80, 0x90}));
    d.services.callControlFullDecode = [](const std::uint8_t *, std::uint16_t,
                                          std::vector<Layer3DetailItem> &out) {
        out.push_back({false, "Information Element Identifier", "Bearer capability", 4, 1});
        out.push_back({true, "Coding standard", "CCITT", 6, 2});
        out.push_back({true, "No octets", "x"});
        return true;
    };
    ASSERT_EQ(d.decoder->Format_Detail(DetailOptions{}), 0);
    auto extent = [&](const std::string &label) {
        for (const DetailLine &line : d.decoder->detailLines())
            if (line.text == label + " : ")
                return std::to_string(line.frameOffset) + "+" + std::to_string(line.byteCount);
        return std::string("(no line)");
    };
    EXPECT_EQ(extent("SAPI (Service Access Point Identifier)"), "0+1");
    EXPECT_EQ(extent("TEI (Terminal Endpoint Identifier)"), "1+1");
    EXPECT_EQ(extent("Type"), "2+2") << "an I frame's control field has two octets";
    EXPECT_EQ(extent("N(S) (Send Sequence Number)"), "2+1");
    EXPECT_EQ(extent("Poll/Final"), "3+1");
    EXPECT_EQ(extent("Information Element Identifier"), "8+1") << "after the 4 layer-2 octets";
    EXPECT_EQ(extent("Coding standard"), "10+2");
    EXPECT_EQ(extent("No octets"), "-1+0");
    EXPECT_EQ(extent("Direction"), "-1+0");

    Decoded ui(frameRecord(Dir::TeNt, {0x02, 0x81, 0x13, 0x08, 0x01, 0x05, 0x05}));
    ASSERT_EQ(ui.decoder->Format_Detail(DetailOptions{}), 0);
    for (const DetailLine &line : ui.decoder->detailLines()) {
        if (line.text == "Type : ") {
            EXPECT_EQ(line.frameOffset * 10 + line.byteCount, 21) << "a U frame's one octet";
        } else if (line.text == "N(S) (Send Sequence Number) : ") {
            EXPECT_EQ(line.frameOffset, -1);
        } else if (line.text == "Poll/Final : ") {
            EXPECT_EQ(line.frameOffset, 2);
        }
    }
}

TEST(DecoderDetail, NeedsADecodedFrame) {
    MemoryHost host;
    DecoderServices services;
    CISDN decoder(host, services);
    EXPECT_EQ(decoder.Format_Detail(DetailOptions{}), -4);
    EXPECT_EQ(host.recorded.texts(),
              std::vector<std::string>{"CISDN::Format_Detail() error: ev_p = NULL"});
    EXPECT_EQ(decoder.Decode_Frame(3), -1);
    EXPECT_EQ(host.recorded.texts().back(), "Error while reading frames!");
    EXPECT_EQ(host.recorded.entries().back().caption, "Error Message");
}

TEST(HexaFind, ForwardAndBackwardFromAPosition) {
    const std::uint8_t octets[] = {0x08, 0x01, 0x05, 0x08, 0x01, 0x7D, 0x08};
    const std::vector<std::uint8_t> pattern = {0x08, 0x01};
    EXPECT_EQ(findOctets(octets, 7, pattern, 0, true), 0);
    EXPECT_EQ(findOctets(octets, 7, pattern, 1, true), 3);
    EXPECT_EQ(findOctets(octets, 7, pattern, 4, true), -1) << "the last 08 has no 01 after it";
    EXPECT_EQ(findOctets(octets, 7, pattern, 6, false), 3);
    EXPECT_EQ(findOctets(octets, 7, pattern, 2, false), 0);
    EXPECT_EQ(findOctets(octets, 7, pattern, -1, false), -1);
    EXPECT_EQ(findOctets(octets, 1, pattern, 0, true), -1) << "longer than the frame";
    EXPECT_EQ(findOctets(octets, 7, {}, 0, true), -1);
}

TEST(HexaLines, SixteenOctetsPerLine) {
    std::vector<std::uint8_t> octets(32);
    for (int i = 0; i < 32; ++i)
        octets[i] = static_cast<std::uint8_t>(0x70 + i);
    Decoded d(longFrame(Dir::TeNt, octets, 32));
    std::string hex, ascii;
    EXPECT_EQ(d.decoder->hexaLine(0, hex, ascii), 16);
    EXPECT_EQ(hex, " 70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D 7E 7F");
    EXPECT_EQ(ascii, "pqrstuvwxyz{|}~.") << "DEL (0x7F) has no picture: a dot";
    EXPECT_EQ(d.decoder->hexaLine(1, hex, ascii), 16);
    EXPECT_EQ(ascii.substr(0, 3), "...") << "0x80 and above show as dots";
    EXPECT_EQ(d.decoder->hexaLine(2, hex, ascii), -2);
    EXPECT_TRUE(hex.empty());

    MemoryHost host;
    DecoderServices services;
    CISDN fresh(host, services);
    EXPECT_EQ(fresh.hexaLine(0, hex, ascii), -1);
}

TEST(HexaLines, TraceLaysOutOffsetsPaddingAndAscii) {
    std::vector<std::uint8_t> octets(20, 0x41);
    Decoded d(longFrame(Dir::TeNt, octets, 20));
    const std::string trace = hexaTrace(*d.decoder);
    const std::string first = "0000:     41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41\t"
                              "AAAAAAAAAAAAAAAA\r\n";
    const std::string second = "0010:     41 41 41 41" + std::string(36, ' ') + "\tAAAA\r\n";
    EXPECT_EQ(trace, first + second);
    Decoded event(layer1Record(0));
    EXPECT_EQ(hexaTrace(*event.decoder), "");
}

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.records = {
            frameRecord(Dir::TeNt, {0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF}), // 0
            frameRecord(Dir::NtTe, {0xFE, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x02, 0x81}), // 1
            frameRecord(Dir::TeNt, {0x00, 0x81, 0x7F}),                               // 2
            frameRecord(Dir::NtTe, {0x00, 0x81, 0x73}),                               // 3
            frameRecord(Dir::TeNt, {0xFC, 0xFF, 0x03, 0x0F, 0x56, 0x78, 0x01, 0xFF}), // 4
        };
        decoder = std::make_unique<CISDN>(host, services);
        host.decoder = decoder.get();
    }
    FindRequest request(FindCriterion criterion, std::string text, int step = 1) {
        FindRequest r;
        r.criterion = criterion;
        r.text = std::move(text);
        r.step = step;
        r.firstFrame = step > 0 ? 0 : 4;
        r.lastFrame = step > 0 ? 4 : 0;
        r.startPosition = step > 0 ? 0 : 100;
        return r;
    }
    MemoryHost host;
    DecoderServices services;
    std::unique_ptr<CISDN> decoder;
    // Type at display position 5, SAPI at 9, Msg.Type at 32.
    std::vector<SearchColumn> columns = {{0, 0}, {4, 5}, {5, 9}, {28, 32}};
};

TEST_F(SearchTest, UnreadableFramesAreSkipped) {
    host.records.resize(3);
    FindRequest r = request(FindCriterion::SummaryText, "ID.REQ");
    r.firstFrame = 1;
    FindResult found;
    EXPECT_EQ(decoder->search(r, columns, found), kFindExhausted);
}

} // namespace
} // namespace qv::test
