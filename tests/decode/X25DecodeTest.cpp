// The X.25 packet layer on SAPI 16: packet names by direction, summary items in both address
// formats, cause and diagnostic texts, the facility field and the X.25 detail block.
#include <gtest/gtest.h>

#include <sstream>

#include "base/Numbers.h"
#include "base/Texts.h"
#include "decode/DecoderTestSupport.h"
#include "decode/SummaryColumn.h"
#include "decode/X25ItemProvider.h"
#include "support/Pinned.h"

namespace qv::test {
namespace {

// The summary columns by name.
using enum SummaryColumn;

// One X.25 packet in an I frame of SAPI 16 TEI 64, decoded with the X.25 services installed.
struct X25Decoded {
    X25Decoded(Dir dir, std::vector<std::uint8_t> packet, int language = 0) : provider(language) {
        LvtRecord r = frameRecord(
            dir, {static_cast<std::uint8_t>(dir == Dir::TeNt ? 0x40 : 0x42), 0x81, 0x00, 0x00});
        for (std::uint8_t o : packet)
            r.data[r.dataLength++] = o;
        host.language = language;
        host.records = {r};
        installX25(services, provider);
        decoder = std::make_unique<CISDN>(host, services);
        host.decoder = decoder.get();
        status = decoder->Decode_Frame(0);
    }
    std::string column(SummaryColumn which, bool longForm = false) {
        std::string text;
        decoder->columnText(columnNumber(which), text, longForm);
        return text;
    }
    const DecodedFrame &frame() const { return decoder->frame(); }
    // The detail lines as "kind text", X.25 block only.
    std::vector<std::string> lines() {
        DetailOptions options;
        options.layer2Lines = false;
        EXPECT_EQ(decoder->Format_Detail(options), 0);
        return detailEntries(decoder->detailLines(), 1);
    }

    X25ItemProvider provider;
    MemoryHost host;
    DecoderServices services;
    std::unique_ptr<CISDN> decoder;
    int status = 0;
};

// ---- packet names ----------------------------------------------------------------------------

// The texts of decode/x25-texts.txt: cause and diagnostic texts, and the names of packet types
// by direction, in English and French.
TEST(X25Texts, InBothLanguages) {
    const X25ItemProvider en(0), fr(1);
    expectTable("decode/x25-texts.txt", [&](const std::string &input) {
        std::istringstream words(input);
        std::string kind, code;
        words >> kind >> code;
        const unsigned value = static_cast<unsigned>(std::stoul(code, nullptr, 0));
        if (kind == "te" || kind == "nt") {
            const Dir dir = kind == "te" ? Dir::TeNt : Dir::NtTe;
            const auto type = static_cast<std::uint8_t>(std::stoul(code, nullptr, 16));
            X25Decoded english(dir, {0x10, 0x05, type, 0x00, 0x00});
            X25Decoded french(dir, {0x10, 0x05, type, 0x00, 0x00}, 1);
            EXPECT_EQ(english.column(MessageType, true), english.column(MessageType));
            return english.column(MessageType) + " | " + french.column(MessageType) +
                   (english.frame().error == kUnknownMessageType ? " error" : "");
        }
        if (kind == "diagnostic") {
            std::string_view e, f;
            const bool known = en.diagnosticText(value, e);
            fr.diagnosticText(value, f);
            return std::string(known ? "known: " : "unknown: ") + std::string(e) + " | " +
                   std::string(f);
        }
        const auto text = [&](const X25ItemProvider &p) {
            return kind == "clearing"     ? p.clearingCauseText(value)
                   : kind == "resetting"  ? p.resettingCauseText(value)
                   : kind == "restarting" ? p.restartingCauseText(value)
                                          : p.registrationCauseText(value);
        };
        return std::string(text(en)) + " | " + std::string(text(fr));
    });
}

TEST(X25PacketTable, TooShortAPacketHasNoName) {
    X25Decoded d(Dir::TeNt, {0x10, 0x05});
    EXPECT_EQ(d.column(Lcn), "0x05");
    EXPECT_EQ(d.column(Calling), "-");
    EXPECT_EQ(d.column(MessageType), "Unknown");
    EXPECT_EQ(d.column(Lcn), "?") << "an unknown packet type is a decode error";
}

// ---- decoded frame and columns ---------------------------------------------------------------

TEST(X25Frame, CallRequestFillsTheDecodedFrame) {
    X25Decoded d(Dir::TeNt, {0x10, 0x05, 0x0B, 0x35, 0x12, 0x34, 0x56, 0x78, 0x00});
    ASSERT_EQ(d.status, 0);
    EXPECT_EQ(d.frame().l3Length, 9);
    EXPECT_EQ(d.column(Lcn), "0x05");
    EXPECT_EQ(d.column(MessageType), "CALL.REQ");
    EXPECT_EQ(d.column(Called), "12345");
    EXPECT_EQ(d.column(Calling), "678");
    EXPECT_EQ(d.column(Cause), "-");
    EXPECT_EQ(d.column(ProtocolDiscriminator), "-") << "no protocol discriminator on SAPI 16";
}

TEST(X25Frame, LogicalChannelGroupAndNormalisedTypes) {
    const struct {
        std::vector<std::uint8_t> packet;
        const char *lcn;
        std::uint16_t type;
    } cases[] = {
        {{0x1F, 0x05, 0x21}, "0x0F05", 0x01},
        {{0x21, 0xFF, 0x6A, 0x00}, "0x01FF", 0x00},
        {{0x10, 0x00, 0xFB, 0x07, 0x00}, "0x00", 0xFB},
        {{0x10, 0xFE, 0xA5}, "0xFE", 0x05},
        {{0x10, 0x01, 0xE9}, "0x01", 0x09},
        {{0x10, 0x01, 0xF3}, "0x01", 0xF3},
    };
    for (const auto &c : cases) {
        X25Decoded d(Dir::TeNt, c.packet);
        EXPECT_EQ(d.column(Lcn), c.lcn);
        EXPECT_EQ(d.frame().messageType, c.type) << c.lcn;
    }
}

TEST(X25Frame, CauseOfTheFrameDropsTheDteBit) {
    const struct {
        std::vector<std::uint8_t> packet;
        std::uint32_t cause;
        const char *column;
    } cases[] = {
        {{0x10, 0x05, 0x13, 0x01, 0x42}, 1, "Number busy"},
        {{0x10, 0x05, 0x13, 0x85, 0x00}, 0, "DTE originated"},
        {{0x10, 0x05, 0x13, 0x00, 0x00}, 0, "DTE originated"},
        {{0x10, 0x05, 0x13, 0x02, 0x00}, 2, "Unknown"},
        {{0x10, 0x00, 0xFB, 0x07, 0x00}, 7, "Network operational"},
        {{0x10, 0x00, 0xF7, 0x7F, 0x00, 0x00, 0x00}, 127, "Registr./cancel. confirmed"},
        {{0x10, 0x05, 0x1B, 0x09, 0x00}, 0, "Remote DTE operational"},
    };
    for (const auto &c : cases) {
        X25Decoded d(Dir::NtTe, c.packet);
        EXPECT_EQ(d.frame().cause, c.cause) << c.column;
        EXPECT_EQ(d.column(Cause), c.column);
    }
}

// ---- items -----------------------------------------------------------------------------------

// Every item of each packet of decode/x25-items.txt: "item answer text", the text being what
// the provider wrote even when it answers no.
TEST(X25Items, AnswerFromThePacket) {
    PinnedTexts pinned("decode/x25-items.txt");
    const X25ItemProvider provider;
    for (const PinnedTexts::Case &c : pinned.cases()) {
        const std::vector<std::uint8_t> packet = parseHexOctets(c.input.at(0)).value();
        std::vector<std::string> items;
        for (int item : {kItemCallingAddress, kItemCalledAddress, kItemCause, kItemDiagnostic,
                         kItemX25Pr, kItemX25Ps, kItemX25CalledType, kItemX25CalledPlan,
                         kItemX25CallingType, kItemX25CallingPlan}) {
            std::string out = "stale";
            const bool present = provider.itemText(
                packet.data(), static_cast<std::uint16_t>(packet.size()), item, out);
            items.push_back(std::to_string(item) + (present ? " yes " : " no ") + out);
        }
        pinned.expect(c.name, items);
    }
}

TEST(X25ItemValues, GiveTheCauseAndDiagnosticOctets) {
    const X25ItemProvider provider;
    const struct {
        std::vector<std::uint8_t> packet;
        int item;
        bool present;
        std::uint32_t value;
    } cases[] = {
        {{0x10, 0x05, 0x13, 0x85}, kItemDiagnostic, false, 0},
        {{0x10, 0x00, 0xF1, 0x26}, kItemCause, false, 0},
        {{0x10, 0x05, 0x0B, 0x00}, kItemCause, false, 0},
        {{0x10, 0x05, 0x13, 0x85, 0x42}, kItemCalledAddress, false, 0},
        {{0x10, 0x05}, kItemCause, false, 0},
    };
    for (const auto &c : cases) {
        std::uint32_t value = 0;
        EXPECT_EQ(provider.itemValue(c.packet.data(), static_cast<std::uint16_t>(c.packet.size()),
                                     c.item, value),
                  c.present)
            << int(c.packet[2]) << " item " << c.item;
        EXPECT_EQ(value, c.value);
    }
}

TEST(X25ItemValues, FormatIdentifierText) {
    const X25ItemProvider provider;
    EXPECT_EQ(provider.protocolDiscriminatorText(0x10, kEnglishTextBase, false), "X25");
    EXPECT_EQ(provider.protocolDiscriminatorText(0x9F, kEnglishTextBase, true), "X.25 (modulo 8)");
    EXPECT_EQ(provider.protocolDiscriminatorText(0x20, kEnglishTextBase, true),
              "X.25 (modulo 128)");
    EXPECT_EQ(provider.protocolDiscriminatorText(0x30, kEnglishTextBase, true), "Unknown");
}

// ---- causes and diagnostics ------------------------------------------------------------------

TEST(X25CauseTexts, ResetInFrenchThroughTheDecoder) {
    X25Decoded d(Dir::NtTe, {0x10, 0x05, 0x1B, 0x80, 0x00}, 1);
    EXPECT_EQ(d.column(MessageType), "IND.REINIT");
    EXPECT_EQ(d.column(Cause), "Origine DTE");
    EXPECT_EQ(d.column(Diagnostic), "Pas d'info supplementaire");
}

// ---- facilities ------------------------------------------------------------------------------

std::vector<std::uint8_t> callWith(std::vector<std::uint8_t> field) {
    field.insert(field.begin(), {0x10, 0x05, 0x0B, 0x00});
    return field;
}

struct FacilityCase {
    const char *name;
    std::vector<std::uint8_t> field; // from the facility-length octet on
    bool complete;
    std::vector<std::tuple<int, const char *, int>> entries; // code, name, length
};

class X25FacilityScan : public ::testing::TestWithParam<FacilityCase> {};

TEST_P(X25FacilityScan, NamesEntriesWithinTheField) {
    const FacilityCase &c = GetParam();
    const X25ItemProvider provider;
    const std::vector<std::uint8_t> p = callWith(c.field);
    X25FacilityList list;
    EXPECT_EQ(decodeX25Facilities(provider, p.data(), static_cast<std::uint16_t>(p.size()), list),
              c.complete)
        << c.name;
    ASSERT_TRUE(list.present);
    EXPECT_EQ(list.lengthAt, 4);
    EXPECT_EQ(list.fieldLength, c.field[0]);
    ASSERT_EQ(list.entries.size(), c.entries.size()) << c.name;
    std::size_t octets = 0;
    for (std::size_t k = 0; k < c.entries.size(); ++k) {
        const auto &[code, name, length] = c.entries[k];
        EXPECT_EQ(list.entries[k].code, code) << c.name;
        EXPECT_EQ(list.entries[k].name, name) << c.name;
        EXPECT_EQ(list.entries[k].length, length) << c.name;
        EXPECT_EQ(list.entries[k].octets.size(), static_cast<std::size_t>(std::abs(length)));
        octets += list.entries[k].octets.size();
    }
    EXPECT_LE(octets, std::min<std::size_t>(c.field[0], c.field.size() - 1)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    X25Fields, X25FacilityScan,
    ::testing::Values(
        FacilityCase{"every named class",
                     {0x13, 0x02, 0xAA, 0x03, 0x05, 0x09, 0x12, 0x47, 0x01, 0x23,
                      0x48, 0x00, 0x01, 0x41, 0x99, 0x99, 0xC6, 0x02, 0x31, 0x32},
                     true,
                     {{0x02, "Throughput Class Neg.", 2},
                      {0x03, "Closed User Group selection (basic)", 2},
                      {0x09, "Closed User Group with outgoing access selection (basic)", 2},
                      {0x47, "Closed User Group selection (ext)", 3},
                      {0x48, "Closed User Group with outgoing access selection (Ext.)", 3},
                      {0x41, "Bilateral Closed User Group selection", 3},
                      {0xC6, "Network User Identifier selection", 4}}},
        FacilityCase{
            "not decoded takes the rest",
            {0x07, 0x42, 0x07, 0x07, 0x01, 0x01, 0x43, 0x02},
            true,
            {{0x42, "Flow Control Param. Neg.- Packet Size", 3}, {0x01, "Not decoded", -4}}},
        FacilityCase{"not decoded of its class length",
                     {0x02, 0x01, 0x01},
                     true,
                     {{0x01, "Not decoded", 2}}},
        FacilityCase{"not defined takes the rest",
                     {0x05, 0x0A, 0x01, 0x42, 0x07, 0x07},
                     true,
                     {{0x0A, "Not defined", -5}}},
        FacilityCase{"marker ends the list",
                     {0x07, 0x02, 0xAA, 0x00, 0x00, 0x42, 0x07, 0x07},
                     true,
                     {{0x02, "Throughput Class Neg.", 2}}},
        FacilityCase{"empty field", {0x00}, true, {}},
        FacilityCase{"entry cut by the field",
                     {0x04, 0x02, 0xAA, 0x42, 0x07},
                     false,
                     {{0x02, "Throughput Class Neg.", 2},
                      {0x42, "Flow Control Param. Neg.- Packet Size", -2}}},
        FacilityCase{"field longer than the packet",
                     {0x09, 0x42, 0x07, 0x07, 0x43},
                     false,
                     {{0x42, "Flow Control Param. Neg.- Packet Size", 3},
                      {0x43, "Flow Control Param. Neg - Window Size", -1}}},
        FacilityCase{"class 11 without its length octet",
                     {0x01, 0xC6},
                     false,
                     {{0xC6, "Network User Identifier selection", -1}}},
        FacilityCase{"class 11 longer than the field",
                     {0x03, 0xC6, 0x05, 0x31},
                     false,
                     {{0xC6, "Network User Identifier selection", -3}}},
        FacilityCase{"class 10 of four octets",
                     {0x04, 0x81, 0x01, 0x02, 0x03},
                     true,
                     {{0x81, "Not defined", 4}}}));

TEST(X25Facilities, FailingScanMakesTheDecodeReturnOne) {
    X25Decoded good(Dir::TeNt, callWith({0x03, 0x42, 0x07, 0x07}));
    EXPECT_EQ(good.status, 0);
    X25Decoded cut(Dir::TeNt, callWith({0x04, 0x42, 0x07, 0x07}));
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.column(MessageType), "CALL.REQ") << "the packet is still decoded";
    X25Decoded noField(Dir::TeNt, {0x10, 0x05, 0x0B, 0x00});
    EXPECT_EQ(noField.status, 0);
}

// ---- detail ----------------------------------------------------------------------------------

// The X.25 block of the detail of each packet of decode/x25-detail.txt ("te" or "nt", then the
// packet's octets).
TEST(X25Detail, ItemLinesByPacketType) {
    PinnedTexts pinned("decode/x25-detail.txt");
    for (const PinnedTexts::Case &c : pinned.cases()) {
        const std::string &input = c.input.at(0);
        const Dir dir = input.rfind("te ", 0) == 0 ? Dir::TeNt : Dir::NtTe;
        X25Decoded d(dir, parseHexOctets(input.substr(3)).value());
        pinned.expect(c.name, d.lines());
        for (const DetailLine &line : d.decoder->detailLines())
            EXPECT_EQ(line.colour,
                      dir == Dir::TeNt ? TextColour::Layer3X25TeNt : TextColour::Layer3X25NtTe);
    }
}

TEST(X25Detail, FrenchHeadingsAndColoursOfTheNetworkSide) {
    X25Decoded d(Dir::NtTe, {0x10, 0x05, 0x0B, 0x00, 0x00}, 1);
    const std::vector<std::string> lines = d.lines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "2 NIVEAU 3 X25");
    EXPECT_EQ(lines[1], "3 Numero de Voie Logique : 0x05");
    EXPECT_EQ(lines[2], "3 Type de Message : APPEL ENTR");
    EXPECT_EQ(d.decoder->detailLines()[0].text, "X25/D");
    EXPECT_EQ(d.decoder->detailLines()[1].colour, TextColour::Layer3X25NtTe);
}

TEST(X25Detail, UnknownTypeSetsTheDecodeStatus) {
    X25Decoded d(Dir::TeNt, {0x10, 0x05, 0x0D, 0x00});
    ASSERT_EQ(d.decoder->Format_Detail(DetailOptions{}), 0);
    std::string status;
    for (std::size_t k = 0; k + 1 < d.decoder->detailLines().size(); ++k)
        if (d.decoder->detailLines()[k].text == "Decode Status : ")
            status = d.decoder->detailLines()[k + 1].text;
    EXPECT_EQ(status, "L3 error : Unknown Message Type");
}

TEST(X25Detail, RefusesAFrameThatIsNoPacket) {
    X25ItemProvider provider;
    Decoded d(frameRecord(Dir::TeNt, {0x00, 0x81, 0x00, 0x00, 0x08, 0x01, 0x05, 0x05}));
    EXPECT_LT(x25DetailBlock(provider, *d.decoder, DetailOptions{}), 0);
}

} // namespace
} // namespace qv::test
