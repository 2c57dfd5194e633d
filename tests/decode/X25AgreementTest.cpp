// X.25 decoding against an independent reading: Wireshark's answers for a generated corpus of
// X.25 packets on SAPI 16, recorded in tests/data/x25/wireshark.jsonl by
// tools/oracle/x25_golden.py with the values the generator put into each packet. The logical
// channel, packet type, P(S), P(R), addresses, cause, diagnostic and facility codes must agree
// with Wireshark on every packet, except where one of the known differences of reading applies;
// there they must agree with the generated values instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "decode/GoldenFile.h"
#include "decode/X25ItemProvider.h"

namespace qv::test {
namespace {

// An address as the summary column shows it: no address reads "-".
std::string addressOf(const Golden &g, const std::string &key) {
    const std::string t = g.isNull(key) ? "" : g.text(key);
    return t.empty() ? "-" : t;
}

// The codes of the entries the program lists: a code it does not decode takes the rest of the
// field, so the list ends there.
std::vector<long> listedCodes(const std::vector<long> &codes) {
    static const std::vector<long> kRest = {0x01, 0x04, 0x08, 0x44, 0x49, 0xC1,
                                            0xC2, 0xC3, 0xC4, 0xC5, 0xD1};
    static const std::vector<long> kNamed = {0x42, 0x43, 0x02, 0x03, 0x47, 0x09, 0x48, 0x41, 0xC6};
    std::vector<long> out;
    for (long c : codes) {
        if (c == 0)
            break;
        out.push_back(c);
        if (std::find(kRest.begin(), kRest.end(), c) != kRest.end() ||
            std::find(kNamed.begin(), kNamed.end(), c) == kNamed.end())
            break;
    }
    return out;
}

TEST(X25Agreement, WithWiresharkOnEveryPacket) {
    std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/x25/wireshark.jsonl");
    ASSERT_TRUE(in);
    const X25ItemProvider provider(0);
    int compared = 0;
    std::string line;
    while (std::getline(in, line)) {
        const Golden g{line};
        MemoryHost host;
        host.records = {recordOf(g)};
        DecoderServices services;
        installX25(services, provider);
        CISDN decoder(host, services);
        ASSERT_GE(decoder.Decode_Frame(0), 0);
        const DecodedFrame &f = decoder.frame();
        const std::string where = g.text("kind") + ": " + g.text("octets");
        const std::string kind = g.text("kind");
        const std::uint8_t *packet = decoder.currentRecord().data.data() + f.l3Offset;
        ASSERT_EQ(f.l3Kind, kL3X25) << where;
        ++compared;
        auto item = [&](int number) {
            std::string text;
            decoder.itemText(number, text);
            return text;
        };

        if (!g.isNull("ws_lcn")) {
            EXPECT_EQ(f.lcgn * 256 + f.lcn, g.number("ws_lcn")) << where;
        }
        EXPECT_EQ(f.messageType, g.number("built_type")) << where;
        // Wireshark gives no type for an unknown type or a malformed packet.
        if (!g.isNull("ws_type")) {
            EXPECT_EQ(f.messageType, g.number("ws_type")) << where;
        }

        // Sequence numbers.
        const std::string ps = g.isNull("built_ps") ? "-" : g.raw("built_ps");
        const std::string pr = g.isNull("built_pr") ? "-" : g.raw("built_pr");
        EXPECT_EQ(item(kItemX25Ps), ps) << where;
        EXPECT_EQ(item(kItemX25Pr), pr) << where;
        const std::string wsPs = g.isNull("ws_ps") ? "-" : g.raw("ws_ps");
        const std::string wsPr = g.isNull("ws_pr") ? "-" : g.raw("ws_pr");
        if (kind == "data128") { // Wireshark swaps P(S) and P(R) of modulo 128 DATA
            EXPECT_EQ(item(kItemX25Ps), wsPr) << where;
            EXPECT_EQ(item(kItemX25Pr), wsPs) << where;
        } else if (!g.isNull("ws_type")) {
            EXPECT_EQ(item(kItemX25Ps), wsPs) << where;
            EXPECT_EQ(item(kItemX25Pr), wsPr) << where;
        }

        // Addresses.
        if (!g.isNull("built_called")) {
            EXPECT_EQ(item(kItemCalledAddress), g.text("built_called")) << where;
            EXPECT_EQ(item(kItemCallingAddress), g.text("built_calling")) << where;
            // Wireshark reads other addresses where the A bit is 1 (the lengths as semi-octets
            // of one octet, type and plan as digits), none in an extended CLEAR, and calls a
            // CLEAR.CONF malformed when no facility-length octet follows an even number of
            // digits.
            const bool wiresharkReadsOtherwise = g.number("built_a_bit") == 1 ||
                                                 kind == "clear_ext" ||
                                                 g.text("malformed") == "true";
            if (!wiresharkReadsOtherwise) {
                EXPECT_EQ(item(kItemCalledAddress), addressOf(g, "ws_called")) << where;
                EXPECT_EQ(item(kItemCallingAddress), addressOf(g, "ws_calling")) << where;
            }
            EXPECT_EQ(f.calledAddress, g.text("built_called")) << where;
            EXPECT_EQ(f.callingAddress, g.text("built_calling")) << where;
        } else {
            EXPECT_EQ(item(kItemCalledAddress), "-") << where;
            EXPECT_EQ(item(kItemCallingAddress), "-") << where;
        }

        // Cause and diagnostic.
        const std::uint16_t length = f.l3Length;
        std::uint32_t value = 0;
        if (!g.isNull("built_cause") && !g.isNull("ws_cause")) {
            const long cause = g.number("ws_cause");
            EXPECT_EQ(cause, g.number("built_cause")) << where;
            if (kind == "reset") { // a text but no numeric value: the frame's cause stays 0
                EXPECT_EQ(item(kItemCause), provider.resettingCauseText(cause)) << where;
                EXPECT_FALSE(provider.itemValue(packet, length, kItemCause, value)) << where;
            } else {
                ASSERT_TRUE(provider.itemValue(packet, length, kItemCause, value)) << where;
                EXPECT_EQ(static_cast<long>(value), cause) << where;
                EXPECT_EQ(static_cast<long>(f.cause), cause > 127 ? 0 : cause) << where;
            }
        }
        if (!g.isNull("built_diagnostic") && !g.isNull("ws_diagnostic")) {
            const long diagnostic = g.number("ws_diagnostic");
            EXPECT_EQ(diagnostic, g.number("built_diagnostic")) << where;
            std::string_view text;
            const bool known = provider.diagnosticText(static_cast<unsigned>(diagnostic), text);
            if (known)
                EXPECT_EQ(item(kItemDiagnostic), text) << where;
            else
                EXPECT_EQ(item(kItemDiagnostic), "-") << where;
            if (kind == "reset") {
                EXPECT_FALSE(provider.itemValue(packet, length, kItemDiagnostic, value)) << where;
            } else {
                ASSERT_TRUE(provider.itemValue(packet, length, kItemDiagnostic, value)) << where;
                EXPECT_EQ(static_cast<long>(value), diagnostic) << where;
            }
        }

        // Facility codes.
        X25FacilityList facilities;
        const bool complete = decodeX25Facilities(provider, packet, length, facilities);
        EXPECT_TRUE(complete) << where;
        std::vector<long> ours;
        for (const X25Facility &e : facilities.entries)
            ours.push_back(e.code);
        const std::vector<long> built = g.list("built_facilities");
        const std::vector<long> ws = g.list("ws_facilities");
        // Wireshark decodes no facilities in an extended CLEAR and looks for them after its
        // own reading of the addresses where the A bit is 1; elsewhere it lists the entries
        // after a code not decoded, which takes the rest of the field here.
        if (kind != "clear_ext" && g.number("built_a_bit") != 1) {
            EXPECT_EQ(ours, listedCodes(ws)) << where;
        }
    }
    EXPECT_GE(compared, 200);
}

} // namespace
} // namespace qv::test
