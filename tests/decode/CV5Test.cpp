// The V5 decoder: envelope function addresses, user-port frames, the V5 protocols' headers,
// columns, message names and detail.
#include <gtest/gtest.h>

#include "decode/CV5.h"
#include "decode/DecoderTestSupport.h"
#include "decode/SummaryColumn.h"
#include "support/Pinned.h"

namespace qv::test {
namespace {

// The summary columns by name.
using enum SummaryColumn;

struct V5Decoded {
    explicit V5Decoded(const LvtRecord &record, int language = 0) {
        host.language = language;
        host.records = {record};
        decoder = std::make_unique<CV5>(host, services);
        decoder->setTimeSlot(16);
        host.decoder = decoder.get();
        status = decoder->Decode_Frame(0);
    }
    std::string column(SummaryColumn which, bool longForm = false) {
        std::string text;
        decoder->columnText(columnNumber(which), text, longForm);
        return text;
    }
    std::vector<std::string> lines() {
        EXPECT_EQ(decoder->Format_Detail(DetailOptions{}), 0);
        return detailEntries(decoder->detailLines());
    }
    MemoryHost host;
    DecoderServices services;
    std::unique_ptr<CV5> decoder;
    int status = 0;
};

// A V5 protocol frame: envelope of efa, DLA 1, an I frame, then the layer-3 octets.
LvtRecord protocolFrame(std::uint16_t efa, std::vector<std::uint8_t> l3, Dir dir = Dir::NtTe) {
    std::vector<std::uint8_t> octets = {static_cast<std::uint8_t>((efa >> 5) & 0xFC),
                                        static_cast<std::uint8_t>(((efa << 1) & 0xFE) | 1),
                                        0x00,
                                        0x03,
                                        0x02,
                                        0x04};
    octets.insert(octets.end(), l3.begin(), l3.end());
    return longFrame(dir, octets, static_cast<std::uint16_t>(octets.size()));
}

// The columns of frames of every envelope and protocol, from decode/v5-columns.txt.
TEST(CV5, ColumnsOfEachEnvelopeAndProtocol) {
    expectColumns<V5Decoded>("decode/v5-columns.txt");
    const auto frame = [](std::vector<std::uint8_t> octets) {
        return longFrame(Dir::TeNt, octets, static_cast<std::uint16_t>(octets.size()));
    };
    V5Decoded pstn(frame({0xFF, 0xE1, 0x00, 0x03, 0x03}));
    EXPECT_EQ(pstn.decoder->frame().efa, 8176);
    EXPECT_TRUE(pstn.decoder->isV5Frame());
    EXPECT_EQ(V5Decoded(protocolFrame(8176, {0x48, 0x00, 0x23, 0x00})).decoder->frame().l3Kind,
              kL3Pstn);
    EXPECT_EQ(V5Decoded(protocolFrame(8177, {0x48, 0x04, 0x10, 0x10})).decoder->layer3Address(),
              ((0x04 & 0xFC) << 5) | 8);
    EXPECT_EQ(V5Decoded(protocolFrame(8178, {0x48, 0x01, 0x85, 0x21})).decoder->layer3Address(),
              (0x01 << 6) | 0x05);
    V5Decoded none(frameRecord(Dir::TeNt, {0xFF, 0xE1, 0x00, 0x03, 0x03}));
    none.decoder->setTimeSlot(255);
    EXPECT_EQ(none.column(TimeSlot), "-");
}

TEST(CV5, UserPortFramesComeFromTheInnerDecoder) {
    // EFA 1 carrying TEI assignment on SAPI 63.
    V5Decoded tei(
        longFrame(Dir::NtTe, {0x00, 0x03, 0xFE, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x02, 0xFF}, 10));
    EXPECT_FALSE(tei.decoder->isV5Frame());
    EXPECT_EQ(tei.column(Sapi), "63");
    EXPECT_EQ(tei.column(MessageType), "ID.ASSIGN");
    EXPECT_EQ(tei.column(Ri), "0x1234");
    EXPECT_EQ(tei.column(Direction, true), "LE->AN") << "directions are named the V5 way";
    EXPECT_EQ(tei.column(Efa), "S");
    EXPECT_EQ(tei.column(Dla), "-");
    EXPECT_EQ(tei.column(Size), "10");
    EXPECT_EQ(tei.decoder->frame().efa, 1);
    EXPECT_EQ(tei.decoder->LayerCategory(), -2);
    const std::vector<std::string> lines = tei.lines();
    EXPECT_EQ(lines[0], "1 V5/");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "2 TEI MANAGEMENT INFORMATION:"), lines.end());
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "3 Envelope Function Address (EFA) : ISDN (S Type)"),
        lines.end());

    V5Decoded x25(longFrame(Dir::TeNt, {0x00, 0x03, 0x40, 0x81, 0x00, 0x00, 0x10, 0x01, 0x0B}, 9));
    EXPECT_EQ(x25.lines()[0], "1 X25/D");
}

TEST(CV5, DetailOfAProtocolFrame) {
    V5Decoded bcc(protocolFrame(8178, {0x48, 0x01, 0x85, 0x20}));
    bcc.services.protocolName = "EDSS-1";
    PinnedTexts pinned("decode/v5-detail.txt");
    pinned.expect("BCC allocation", bcc.lines());

    V5Decoded french(protocolFrame(8176, {0x48, 0x00, 0x23, 0x02}), 1);
    french.services.v5FullDecode = [](const std::uint8_t *info, std::uint16_t length,
                                      std::vector<Layer3DetailItem> &out) {
        if (length != 4 || info[3] != 0x02)
            return false;
        out.push_back({true, "Element", "Steady signal"});
        return true;
    };
    pinned.expect("PSTN signal in French with its full decode", french.lines());

    french.services.v5FullDecode = [](const std::uint8_t *, std::uint16_t,
                                      std::vector<Layer3DetailItem> &) { return false; };
    EXPECT_EQ(french.decoder->Format_Detail(DetailOptions{}), -3);
    EXPECT_EQ(french.host.recorded.texts().back(), "Layer 3 detail error: -1!");
}

TEST(CV5, MessageNames) {
    EXPECT_EQ(v5MessageName(kV5Pstn, 0x09, true), "DISCONNECT COMPLETE");
    EXPECT_EQ(v5MessageName(kV5Pstn, 0x09, false), "DISC.COMP.");
    EXPECT_EQ(v5MessageName(kV5Bcc, 0x29, true), "AN FAULT AKNOWLEDGE");
    EXPECT_EQ(v5MessageName(kV5Protection, 0x1A, false), "OS.SW.OV.C");
    EXPECT_EQ(v5MessageName(kV5Control, 0x00, true), "?");
}

} // namespace
} // namespace qv::test
