// Call-control decoding against an independent reading: Wireshark's answers for a generated
// corpus of Q.931 / EDSS-1 messages, recorded in tests/data/q931/wireshark.jsonl by
// tools/oracle/q931_golden.py. The message type and its name, the call reference, the cause
// and the called and calling digits and the B-channel must agree on every message.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "decode/DecoderTestSupport.h"
#include "pdu/interface/IsdnItemProvider.h"

namespace qv::test {
namespace {

// The few JSON shapes of the golden file: numbers, null, strings and lists of them.
struct Golden {
    std::string line;

    std::string raw(const std::string& key) const {
        const std::string quoted = "\"" + key + "\": ";
        const std::size_t at = line.find(quoted);
        if (at == std::string::npos)
            return "null";
        std::size_t start = at + quoted.size(), end = start;
        if (line[start] == '"') {
            end = line.find('"', start + 1) + 1;
        } else if (line[start] == '[') {
            end = line.find(']', start) + 1;
        } else {
            while (end < line.size() && line[end] != ',' && line[end] != '}')
                ++end;
        }
        return line.substr(start, end - start);
    }
    bool isNull(const std::string& key) const { return raw(key) == "null"; }
    long number(const std::string& key) const { return std::stol(raw(key)); }
    std::string text(const std::string& key) const {
        const std::string r = raw(key);
        return r.size() >= 2 ? r.substr(1, r.size() - 2) : r;
    }
    long firstOfList(const std::string& key, long otherwise) const {
        const std::string r = raw(key);
        if (r.size() < 3 || r == "[]")
            return otherwise;
        return std::stol(r.substr(1));
    }
};

LvtRecord recordOf(const Golden& g) {
    LvtRecord r = frameRecord(g.text("dir") == "U" ? Dir::TeNt : Dir::NtTe, {});
    std::istringstream hex(g.text("octets"));
    std::string octet;
    while (hex >> octet)
        r.data[r.dataLength++] = static_cast<std::uint8_t>(std::stoul(octet, nullptr, 16));
    return r;
}

TEST(CallControlAgreement, WithWiresharkOnEveryMessage) {
    std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/q931/wireshark.jsonl");
    ASSERT_TRUE(in);
    RecordingUserMessages messages;
    IsdnItemProvider names;
    ASSERT_TRUE(names.Initialise(0, std::string(QUORVANE_SOURCE_DIR) + "/data/notation/common",
                                 messages));
    int compared = 0;
    std::string line;
    while (std::getline(in, line)) {
        const Golden g{line};
        MemoryHost host;
        host.records = {recordOf(g)};
        DecoderServices services;
        services.isdnItems = &names;
        CISDN decoder(host, services);
        ASSERT_EQ(decoder.Decode_Frame(0), 0);
        const DecodedFrame& f = decoder.frame();
        const std::string where = g.text("octets");
        ++compared;

        EXPECT_EQ(f.messageType, g.number("msg_type")) << where;
        std::string text;
        decoder.messageTypeText(text, true);
        std::string expectedName = g.text("msg_name");
        for (char& c : expectedName)
            c = c == '_' ? ' ' : c;
        EXPECT_EQ(text, expectedName) << where;

        EXPECT_EQ(f.crLength, g.number("cr_len")) << where;
        if (f.crLength != 0) {
            EXPECT_EQ(f.callRef, g.number("cr_value")) << where;
            EXPECT_EQ(f.crFlag, g.number("cr_flag")) << where;
        }

        const long type = g.number("msg_type");
        if (type == 0x45 || type == 0x4D || type == 0x5A)
            EXPECT_EQ(static_cast<long>(f.cause), g.firstOfList("causes", 0)) << where;

        if (type == 0x05 || type == 0x7B) {
            decoder.columnText(30, text, false);
            EXPECT_EQ(text, g.isNull("called_digits") ? "-" : g.text("called_digits")) << where;
        }
        if (type == 0x05) {
            decoder.columnText(29, text, false);
            EXPECT_EQ(text, g.isNull("calling_digits") ? "-" : g.text("calling_digits")) << where;
        }

        if ((type == 0x01 || type == 0x02 || type == 0x05 || type == 0x07 || type == 0x0D) &&
            !g.isNull("chan_selection")) {
            const long selection = g.number("chan_selection");
            const long expected =
                g.firstOfList("chan_numbers", selection == 1 || selection == 2 ? selection : 0);
            EXPECT_EQ(static_cast<long>(f.channel), expected) << where;
        }
    }
    EXPECT_GE(compared, 300);
}

} // namespace
} // namespace qv::test
