// Call-control decoding against an independent reading: Wireshark's answers for a generated
// corpus of Q.931 / EDSS-1 messages, recorded in tests/data/q931/wireshark.jsonl by
// tools/oracle/q931_golden.py. The message type and its name, the call reference, the cause,
// the called and calling digits and the B-channel must agree on every message; the full decode
// by the shipped tables must show every element Wireshark shows, with the same type of number,
// numbering plan, transfer capability and progress description, and no decoding error.
#include <gtest/gtest.h>

#include <fstream>

#include "decode/GoldenFile.h"
#include "pdu/interface/IsdnItemProvider.h"
#include "pdu/interface/PduInterpreterObject.h"

namespace qv::test {
namespace {

TEST(CallControlAgreement, WithWiresharkOnEveryMessage) {
    std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/q931/wireshark.jsonl");
    ASSERT_TRUE(in);
    RecordingUserMessages messages;
    IsdnItemProvider names;
    ASSERT_TRUE(
        names.Initialise(0, std::string(QUORVANE_SOURCE_DIR) + "/data/notation/common", messages));
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
        const DecodedFrame &f = decoder.frame();
        const std::string where = g.text("octets");
        ++compared;

        EXPECT_EQ(f.messageType, g.number("msg_type")) << where;
        std::string text;
        decoder.messageTypeText(text, true);
        std::string expectedName = g.text("msg_name");
        for (char &c : expectedName)
            c = c == '_' ? ' ' : c;
        EXPECT_EQ(text, expectedName) << where;

        EXPECT_EQ(f.crLength, g.number("cr_len")) << where;
        if (f.crLength != 0) {
            EXPECT_EQ(f.callRef, g.number("cr_value")) << where;
            EXPECT_EQ(f.crFlag, g.number("cr_flag")) << where;
        }

        const long type = g.number("msg_type");
        if (type == 0x45 || type == 0x4D || type == 0x5A) {
            EXPECT_EQ(static_cast<long>(f.cause), g.firstOfList("causes", 0)) << where;
        }

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

// A name without case, blanks or hyphens: "High-layer compatibility" is "High layer
// compatibility".
std::string folded(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != ' ' && c != '-')
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return out;
}

// The information elements of a Wireshark "ies" list, by name: "Display  'abc'" is Display.
std::vector<std::string> elementNames(const std::string &list) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while ((at = list.find('"', at)) != std::string::npos) {
        const std::size_t end = list.find('"', at + 1);
        std::string name = list.substr(at + 1, end - at - 1);
        for (const char *cut : {":", "  '", " '"})
            name = name.substr(0, name.find(cut));
        names.push_back(name);
        at = end + 1;
    }
    return names;
}

// The value of field in the rows of element, empty when it has none.
std::string fieldOf(const pdu::PduRowList &rows, std::string_view element, std::string_view field) {
    bool inside = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const pdu::PduRowView r = rows[i];
        if (r.header && r.fieldName.rfind("Information Element Identifier", 0) == 0)
            inside = folded(r.value) == folded(element);
        else if (inside && !r.header && r.fieldName == field)
            return std::string(r.value);
    }
    return {};
}

// How the tables name the codes Wireshark gives.
const char *typeOfNumber(long code) {
    static const char *names[] = {"Unknown",         "International", "National",
                                  "Network specifi", "Subscriber",    "",
                                  "Abbreviated",     "Extension"};
    return code >= 0 && code < 8 ? names[code] : "";
}
const char *numberingPlan(long code) {
    switch (code) {
    case 0:
        return "Unknown";
    case 1:
        return "ISDN (E.164)";
    case 3:
        return "Data (X.121)";
    case 4:
        return "Telex (F.69)";
    case 8:
        return "National";
    case 9:
        return "Private";
    default:
        return "";
    }
}
const char *transferCapability(long code) {
    switch (code) {
    case 0:
        return "Speech";
    case 8:
        return "Unrestr digital";
    case 9:
        return "Restr. digital";
    case 16:
        return "3.1 kHz audio";
    case 17:
        return "UDI with tones";
    case 24:
        return "Video";
    default:
        return "";
    }
}

TEST(CallControlAgreement, FullDecodeShowsWhatWiresharkShows) {
    std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/q931/wireshark.jsonl");
    ASSERT_TRUE(in);
    RecordingUserMessages messages;
    PduInterpreterObject tables;
    ASSERT_EQ(tables.Initialise(std::string(QUORVANE_SOURCE_DIR) + "/data/notation/common",
                                "LIST.LST", messages),
              0);
    EXPECT_TRUE(messages.entries().empty());
    pdu::PduRowList rows;
    int compared = 0;
    std::string line;
    while (std::getline(in, line)) {
        const Golden g{line};
        const LvtRecord r = recordOf(g);
        rows.clear();
        ASSERT_EQ(tables.Decode(r.data.data() + 4, r.dataLength - 4, rows, 0, 4), 0);
        const std::string where = g.text("octets");
        ++compared;
        std::vector<std::string> ours;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_NE(rows[i].value, "DECODING ERROR") << rows[i].fieldName << " in " << where;
            if (rows[i].header && rows[i].fieldName.rfind("Information Element Identifier", 0) == 0)
                ours.push_back(folded(rows[i].value));
        }
        for (const std::string &name : elementNames(g.raw("ies")))
            EXPECT_NE(std::find(ours.begin(), ours.end(), folded(name)), ours.end())
                << name << " missing in " << where;
        for (const char *side : {"called", "calling"}) {
            const std::string element =
                std::string(side) == "called" ? "Called party number" : "Calling party number";
            if (!g.isNull(std::string(side) + "_type")) {
                EXPECT_EQ(fieldOf(rows, element, "Type"),
                          typeOfNumber(g.number(std::string(side) + "_type")))
                    << element << " in " << where;
                EXPECT_EQ(fieldOf(rows, element, "Plan"),
                          numberingPlan(g.number(std::string(side) + "_plan")))
                    << element << " in " << where;
            }
        }
        if (!g.isNull("itc")) {
            // Wireshark reports the capability of the bearer, or of the low layer
            // compatibility when the message has no bearer capability.
            std::string capability = fieldOf(rows, "Bearer capability", "Transfer cap.");
            if (capability.empty())
                capability = fieldOf(rows, "Low layer compatibility", "Transfer cap.");
            EXPECT_EQ(capability, transferCapability(g.number("itc"))) << where;
        }
        const long progress = g.firstOfList("progress", -1);
        if (progress >= 0) {
            const std::string description = fieldOf(rows, "Progress indicator", "Description");
            EXPECT_NE(description.find("(" + std::to_string(progress) + ")"), std::string::npos)
                << description << " in " << where;
        }
    }
    EXPECT_GE(compared, 300);
}

} // namespace
} // namespace qv::test
