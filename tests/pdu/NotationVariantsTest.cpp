// The shipped notation folders of every protocol variant and of V5 against their corpora
// (tests/data/notation/<CODE>/corpus.txt) and pinned decodes (pinned.txt): every folder loads
// without a loader message, every corpus message decodes without a DECODING ERROR row, and the
// pinned messages give exactly their recorded rows, printed as quorvane-cli pdu prints them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/DecoderContext.h"
#include "decode/CISDN.h"
#include "decode/DecoderTestSupport.h"
#include "decode/GoldenFile.h"
#include "pdu/interface/PduInterpreterObject.h"
#include "pdu/interface/ProtocolVariant.h"

namespace qv {
namespace {

const std::string kRoot =
    (std::filesystem::path(QUORVANE_CLI_PATH).parent_path() / "ISDNNOT").string();
const std::string kData = std::string(QUORVANE_SOURCE_DIR) + "/tests/data/notation/";

std::vector<std::uint8_t> octetsOf(const std::string &hex) {
    return parseHexOctets(hex).value_or(std::vector<std::uint8_t>{});
}

std::string beforeComment(const std::string &line) {
    const std::string text = line.substr(0, line.find(';'));
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::vector<std::string> corpusOf(const std::string &code) {
    std::vector<std::string> out;
    std::ifstream in(kData + code + "/corpus.txt");
    for (std::string line; std::getline(in, line);)
        if (const std::string text = beforeComment(line); !text.empty())
            out.push_back(text);
    return out;
}

struct Pinned {
    std::string hex;
    std::vector<std::string> rows;
};

std::vector<Pinned> pinnedOf(const std::string &code) {
    std::vector<Pinned> out;
    std::ifstream in(kData + code + "/pinned.txt");
    bool inBlock = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("> ", 0) == 0) {
            out.push_back({beforeComment(line.substr(2)), {}});
            inBlock = true;
        } else if (line.empty()) {
            inBlock = false;
        } else if (inBlock) {
            out.back().rows.push_back(line);
        }
    }
    return out;
}

class Folder {
public:
    explicit Folder(const std::string &code) : v5_(code == kV5Code) {
        if (v5_) {
            result_ = initialiseV5(object_, kRoot, messages_);
        } else {
            ProtocolSelection selection;
            selection.select(findVariantByCode(code)->displayName, kRoot + "/", messages_);
            result_ = initialiseVariant(object_, selection, messages_);
        }
    }
    int result() const { return result_; }
    const RecordingUserMessages &messages() const { return messages_; }

    std::vector<std::string> rows(const std::string &hex) {
        const std::vector<std::uint8_t> message = octetsOf(hex);
        pdu::PduRowList list;
        if (v5_)
            object_.DecodeV5(message.data(), message.size(), list, 0, 0);
        else
            object_.Decode(message.data(), message.size(), list, 0, 0);
        std::vector<std::string> out;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const pdu::PduRowView row = list[i];
            out.push_back(std::to_string(row.frameOffset) + '\t' + std::to_string(row.byteCount) +
                          '\t' + (row.header ? 'H' : 'F') + '\t' + std::string(row.fieldName) +
                          '\t' + std::string(row.value));
        }
        return out;
    }

private:
    bool v5_;
    PduInterpreterObject object_;
    RecordingUserMessages messages_;
    int result_ = 0;
};

std::vector<std::string> allCodes() {
    std::vector<std::string> codes;
    for (const ProtocolVariant &v : kProtocolVariants)
        codes.emplace_back(v.code);
    codes.emplace_back(kV5Code);
    return codes;
}

TEST(NotationVariants, EveryFolderLoadsAndDecodesItsWholeCorpus) {
    for (const std::string &code : allCodes()) {
        Folder folder(code);
        ASSERT_EQ(folder.result(), 0) << code;
        EXPECT_TRUE(folder.messages().entries().empty())
            << code << ": "
            << (folder.messages().entries().empty() ? "" : folder.messages().texts()[0]);
        const std::vector<std::string> corpus = corpusOf(code);
        EXPECT_GE(corpus.size(), code == kV5Code ? 100u : 50u) << code;
        std::size_t failed = 0;
        for (const std::string &hex : corpus) {
            const std::vector<std::string> rows = folder.rows(hex);
            for (const std::string &row : rows) {
                if (row.find(pdu::kDecodingErrorText) != std::string::npos) {
                    if (++failed <= 3)
                        ADD_FAILURE() << code << " " << hex << ": " << row;
                    break;
                }
            }
        }
        EXPECT_EQ(failed, 0u) << code;
    }
}

// Writes the rows of each pinned message as they now come out, keeping every other line.
void rewritePinned(const std::string &code, Folder &folder) {
    const std::string path = kData + code + "/pinned.txt";
    std::vector<std::string> lines;
    {
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out << lines[i] << "\n";
        if (lines[i].rfind("> ", 0) != 0)
            continue;
        for (const std::string &row : folder.rows(beforeComment(lines[i].substr(2))))
            out << row << "\n";
        while (i + 1 < lines.size() && !lines[i + 1].empty())
            ++i;
    }
}

TEST(NotationVariants, PinnedDecodesGiveTheirRecordedRows) {
    std::size_t pinned = 0;
    for (const std::string &code : allCodes()) {
        Folder folder(code);
        if (std::getenv("QUORVANE_REWRITE_GOLDEN"))
            rewritePinned(code, folder);
        for (const Pinned &p : pinnedOf(code)) {
            ++pinned;
            EXPECT_EQ(folder.rows(p.hex), p.rows) << code << " " << p.hex;
        }
    }
    EXPECT_GE(pinned, 17u * 4u);
}

// The same frame decodes by the variant in force: the German national protocol's own
// discriminator is call control under 1TR6 and an unknown one under EDSS-1.
TEST(NotationVariants, TheChosenVariantDecidesHowAFrameDecodes) {
    const Installation installation = Installation::fromCommandLine({});
    Settings settings;
    // A 1TR6 SETUP (N1): channel identification, destination address 1234, then a shift to
    // codeset 6 and the service indicator.
    const std::vector<std::uint8_t> message = octetsOf("41010105180183700581313233349601020101");
    LvtRecord record = test::frameRecord(test::Dir::TeNt, {0x00, 0x81, 0x00, 0x00});
    for (std::uint8_t o : message)
        record.data[record.dataLength++] = o;
    auto detailOf = [&](const char *code, std::string &messageType) {
        RecordingUserMessages messages;
        DecoderContext context;
        EXPECT_TRUE(context.start(installation, settings, code, messages));
        test::MemoryHost host;
        host.records = {record};
        CISDN decoder(host, context.services());
        EXPECT_EQ(decoder.Decode_Frame(0), 0);
        decoder.columnText(28, messageType, true);
        decoder.Format_Detail(DetailOptions{});
        std::string text;
        for (const DetailLine &line : decoder.detailLines())
            text += line.text + '\n';
        return text;
    };
    std::string typeUnder1tr6, typeUnderEdss;
    const std::string under1tr6 = detailOf("1TR6", typeUnder1tr6);
    const std::string underEdss = detailOf("EDSS", typeUnderEdss);
    EXPECT_EQ(under1tr6.find(pdu::kDecodingErrorText), std::string::npos) << under1tr6;
    EXPECT_NE(under1tr6.find("Destination address"), std::string::npos) << under1tr6;
    EXPECT_NE(under1tr6.find("Service indicator"), std::string::npos) << under1tr6;
    EXPECT_EQ(under1tr6.find("Unknown Message Type"), std::string::npos) << under1tr6;
    // EDSS-1 knows no such discriminator: the message is shown as it stands.
    EXPECT_NE(underEdss.find("Unknown Message Type"), std::string::npos) << underEdss;
    EXPECT_NE(underEdss.find("Contents : \n18 01 83 70 05"), std::string::npos) << underEdss;
    EXPECT_EQ(underEdss.find("Destination address"), std::string::npos) << underEdss;
    EXPECT_NE(typeUnder1tr6, "Unknown");
    EXPECT_EQ(typeUnderEdss, "Unknown");
}

// A V5 message reaches the tables without its two-octet layer-3 address, and its rows count
// their octets from the discriminator.
TEST(NotationVariants, V5MessagesLoseTheirAddressOctets) {
    Folder folder(kV5Code);
    ASSERT_EQ(folder.result(), 0);
    const std::vector<std::string> corpus = corpusOf(kV5Code);
    ASSERT_FALSE(corpus.empty());
    for (const std::string &hex : corpus) {
        const std::vector<std::string> rows = folder.rows(hex);
        if (rows.empty())
            continue;
        EXPECT_GE(std::stoul(rows.front()), 4u) << hex << ": " << rows.front();
    }
}

// Wireshark's V5.2 dissector on the V5 corpus (tests/data/notation/V5/wireshark.jsonl, written
// by tools/oracle/v5_golden.py): the message types agree on every message, and the element
// identifiers wherever the dissector reads the message as the standards write it. It keeps a
// single-octet element only when its content bits are 0, and it loses its way after a PSTN
// attenuation element and on elements that belong to another V5 protocol; those messages are
// left out and counted.
TEST(NotationVariants, V5AgreesWithWireshark) {
    std::ifstream in(kData + "V5/wireshark.jsonl");
    ASSERT_TRUE(in);
    Folder folder(kV5Code);
    ASSERT_EQ(folder.result(), 0);
    int compared = 0, leftOut = 0;
    for (std::string line; std::getline(in, line);) {
        const test::Golden g{line};
        const std::string hex = g.text("octets");
        const std::vector<std::uint8_t> message = octetsOf(hex);
        ASSERT_GE(message.size(), 4u) << hex;
        EXPECT_EQ(message[3], g.number("message_type")) << hex;
        std::vector<long> ours;
        bool beyondTheDissector = false;
        for (const std::string &row : folder.rows(hex)) {
            if (row.find("\tInformation Element Identifier") == std::string::npos)
                continue;
            const std::uint8_t id = message.at(std::stoul(row));
            beyondTheDissector = beyondTheDissector || row.find("Unknown") != std::string::npos ||
                                 (message[3] <= 0x0F && id == 0x24);
            if (!((id & 0x80) && (id & 0x0F)))
                ours.push_back(id);
        }
        if (beyondTheDissector) {
            ++leftOut;
            continue;
        }
        ++compared;
        EXPECT_EQ(ours, g.list("elements")) << hex;
    }
    EXPECT_GE(compared, 280);
    EXPECT_LE(leftOut, 10);
}

} // namespace
} // namespace qv
