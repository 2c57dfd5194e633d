// X.25 decoding against an independent reading: Wireshark's answers for a generated corpus of
// X.25 packets on SAPI 16, recorded in tests/data/x25/wireshark.jsonl by
// tools/oracle/x25_golden.py with the values the generator put into each packet. The logical
// channel, packet type, P(S), P(R), addresses, cause, diagnostic and facility codes must agree
// with Wireshark on every packet, except where one of the known differences of reading applies;
// there they must agree with the generated values instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>

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

struct Tally {
    std::map<std::string, int> agreed, differed;
    std::map<std::string, std::vector<std::string>> examples;
    void agree(const std::string &field) { ++agreed[field]; }
    void differ(const std::string &rule, const std::string &where) {
        ++differed[rule];
        if (examples[rule].size() < 2)
            examples[rule].push_back(where);
    }
};

TEST(X25Agreement, WithWiresharkOnEveryPacket) {
    std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/x25/wireshark.jsonl");
    ASSERT_TRUE(in);
    const X25ItemProvider provider(0);
    Tally tally;
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
            tally.agree("LCN");
        }
        EXPECT_EQ(f.messageType, g.number("built_type")) << where;
        if (!g.isNull("ws_type")) {
            EXPECT_EQ(f.messageType, g.number("ws_type")) << where;
            tally.agree("packet type");
        } else {
            tally.differ("Wireshark gives no packet type (unknown type or malformed packet)",
                         where);
        }

        // Sequence numbers.
        const std::string ps = g.isNull("built_ps") ? "-" : g.raw("built_ps");
        const std::string pr = g.isNull("built_pr") ? "-" : g.raw("built_pr");
        EXPECT_EQ(item(kItemX25Ps), ps) << where;
        EXPECT_EQ(item(kItemX25Pr), pr) << where;
        const std::string wsPs = g.isNull("ws_ps") ? "-" : g.raw("ws_ps");
        const std::string wsPr = g.isNull("ws_pr") ? "-" : g.raw("ws_pr");
        if (kind == "data128") {
            EXPECT_EQ(item(kItemX25Ps), wsPr) << where;
            EXPECT_EQ(item(kItemX25Pr), wsPs) << where;
            if (ps != pr)
                tally.differ("modulo 128 DATA: Wireshark swaps P(S) and P(R)", where);
        } else if (!g.isNull("ws_type")) {
            EXPECT_EQ(item(kItemX25Ps), wsPs) << where;
            EXPECT_EQ(item(kItemX25Pr), wsPr) << where;
            tally.agree("P(S)/P(R)");
        }

        // Addresses.
        if (!g.isNull("built_called")) {
            EXPECT_EQ(item(kItemCalledAddress), g.text("built_called")) << where;
            EXPECT_EQ(item(kItemCallingAddress), g.text("built_calling")) << where;
            const bool same = item(kItemCalledAddress) == addressOf(g, "ws_called") &&
                              item(kItemCallingAddress) == addressOf(g, "ws_calling");
            if (g.number("built_a_bit") == 1) {
                if (!same)
                    tally.differ("A bit 1: Wireshark reads the lengths as semi-octets of one "
                                 "octet and shows type and plan as digits",
                                 where);
            } else if (kind == "clear_ext") {
                if (!same)
                    tally.differ("extended CLEAR: Wireshark decodes no addresses", where);
            } else if (g.text("malformed") == "true") {
                if (!same)
                    tally.differ("CLEAR.CONF without facility-length octet after an even "
                                 "number of digits: Wireshark reports a malformed packet",
                                 where);
            } else {
                EXPECT_TRUE(same) << where << " called " << item(kItemCalledAddress) << "/"
                                  << addressOf(g, "ws_called") << " calling "
                                  << item(kItemCallingAddress) << "/" << addressOf(g, "ws_calling");
                tally.agree("addresses");
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
            if (kind == "reset") {
                EXPECT_EQ(item(kItemCause), provider.resettingCauseText(cause)) << where;
                EXPECT_FALSE(provider.itemValue(packet, length, kItemCause, value)) << where;
                tally.differ("RESET: the cause has a text but no numeric value (frame cause 0)",
                             where);
            } else {
                ASSERT_TRUE(provider.itemValue(packet, length, kItemCause, value)) << where;
                EXPECT_EQ(static_cast<long>(value), cause) << where;
                EXPECT_EQ(static_cast<long>(f.cause), cause > 127 ? 0 : cause) << where;
                tally.agree("cause");
            }
        } else if (!g.isNull("built_cause")) {
            tally.differ("Wireshark gives no cause (packet without its diagnostic octet)", where);
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
            tally.agree("diagnostic");
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
        EXPECT_EQ(ours, listedCodes(built)) << where;
        if (kind == "clear_ext") {
            if (ours != ws)
                tally.differ("extended CLEAR: Wireshark decodes no facilities", where);
        } else if (g.number("built_a_bit") == 1) {
            if (ours != ws)
                tally.differ("A bit 1: Wireshark looks for the facilities after its own reading "
                             "of the addresses",
                             where);
        } else {
            EXPECT_EQ(ours, listedCodes(ws)) << where;
            if (ws != ours)
                tally.differ("a code not decoded takes the rest of the field: Wireshark lists "
                             "the entries after it",
                             where);
            else
                tally.agree("facility codes");
        }
    }
    EXPECT_GE(compared, 200);
    std::cout << compared << " packets compared\n";
    for (const auto &[field, count] : tally.agreed)
        std::cout << "  agree  " << field << ": " << count << "\n";
    for (const auto &[rule, count] : tally.differed) {
        std::cout << "  differ " << rule << ": " << count << "\n";
        for (const std::string &e : tally.examples[rule])
            std::cout << "           " << e << "\n";
    }
}

} // namespace
} // namespace qv::test
