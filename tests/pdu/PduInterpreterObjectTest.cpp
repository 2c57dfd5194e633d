// The program's side of the interpreter: variants, their folders and List Files, and the
// decode of a call-control message without its call reference.
#include <gtest/gtest.h>

#include "base/UserMessages.h"
#include "pdu/PduTestSupport.h"
#include "pdu/interface/IsdnItemProvider.h"
#include "pdu/interface/PduInterpreterObject.h"
#include "pdu/interface/ProtocolVariant.h"

namespace qv::pdu::test {
namespace {

TEST(ProtocolVariants, TableFoldersAndListFiles) {
    EXPECT_EQ(kProtocolVariantCount, 17);
    ASSERT_NE(findVariantByName("DMS-100/NTI (PRA)"), nullptr);
    EXPECT_STREQ(findVariantByName("DMS-100/NTI (PRA)")->code, "NTIPRA");
    EXPECT_STREQ(findVariantByCode("EDSS")->displayName, "EDSS-1");
    EXPECT_EQ(findVariantByName("edss-1"), nullptr) << "names compare exactly";
    EXPECT_EQ(listFileName("NTIPRA"), "NTIPRAEN.LST");
    EXPECT_EQ(variantFolder("/opt/quorvane/ISDNNOT", "NTIPRA"), "/opt/quorvane/ISDNNOT/NTIPRA/");
    EXPECT_EQ(listFileName(kV5Code), "V5EN.LST");

    RecordingUserMessages messages;
    ProtocolSelection selection;
    ASSERT_TRUE(selection.select("DMS-100/NTI (PRA)", "/q/ISDNNOT/", messages));
    EXPECT_EQ(selection.code, "NTIPRA");
    EXPECT_EQ(selection.folderPath, "/q/ISDNNOT/NTIPRA/");
    EXPECT_EQ(selection.listFile, "NTIPRAEN.LST");
    EXPECT_FALSE(selection.select("ISDN-2000", "/q/ISDNNOT/", messages));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unknown protocol!"});
    EXPECT_EQ(selection.code, "NTIPRA") << "an unknown name changes nothing";
}

TEST(ProtocolVariants, EveryVariantHasItsShippedFolder) {
    const std::filesystem::path root =
        std::filesystem::path(QUORVANE_CLI_PATH).parent_path() / "ISDNNOT";
    RecordingUserMessages messages;
    for (const ProtocolVariant &v : kProtocolVariants) {
        IsdnItemProvider names;
        EXPECT_TRUE(names.Initialise(0, variantFolder(root.string(), v.code), messages)) << v.code;
        EXPECT_GE(names.entries().size(), 33u) << v.code;
    }
    EXPECT_TRUE(std::filesystem::is_directory(root / kV5Code));
    EXPECT_TRUE(messages.entries().empty());
}

TEST(PduInterpreterObject, MissingListFileIsReportedByName) {
    NotationFolder root;
    std::filesystem::create_directories(root.path() + "/NTIPRA");
    RecordingUserMessages messages;
    ProtocolSelection selection;
    ASSERT_TRUE(selection.select("DMS-100/NTI (PRA)", root.path(), messages));
    PduInterpreterObject object;
    EXPECT_EQ(object.arenaSize(), PduInterpreterObject::kDefaultArenaSize);
    EXPECT_EQ(initialiseVariant(object, selection, messages), -4);
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text,
              "Can't open file NTIPRAEN.LST. Please, check notation files path ...");
    EXPECT_EQ(messages.entries()[0].caption, "PDU Interpreter Internal Error");
    PduRowList rows;
    const std::uint8_t setup[] = {0x08, 0x01, 0x05, 0x05};
    EXPECT_EQ(object.Decode(setup, sizeof setup, rows, 0, 4), -1) << "no tables, no decode";

    ProtocolSelection elsewhere;
    ASSERT_TRUE(elsewhere.select("QSIG", root.path(), messages));
    EXPECT_EQ(initialiseVariant(object, elsewhere, messages), -2) << "no folder QSIG";
}

class CallReferenceRemoval : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("Q931EN.LST", {"03 : START.NOT : Y"});
        folder.write("START.NOT", {rec("000B00", "PD", 0, "08"), rec("000001", "Type", 1, "XX"),
                                   rec("000200", " Rest :", 2, "XX")});
        ASSERT_EQ(object.Initialise(folder.path(), "Q931EN.LST", messages), 0);
    }
    std::string decode(const std::vector<std::uint8_t> &message, std::uint16_t l3Offset = 4) {
        rows.clear();
        EXPECT_EQ(object.Decode(message.data(), message.size(), rows, 7, l3Offset), 0);
        std::string out;
        for (std::size_t i = 0; i < rows.size(); ++i)
            out += std::to_string(rows[i].rowNumber) + "@" + std::to_string(rows[i].frameOffset) +
                   " " + std::string(rows[i].fieldName) + "=" + std::string(rows[i].value) + ";";
        return out;
    }
    NotationFolder folder;
    RecordingUserMessages messages;
    PduInterpreterObject object;
    PduRowList rows;
};

TEST_F(CallReferenceRemoval, ByItsLength) {
    EXPECT_EQ(decode({0x08, 0x02, 0x80, 0x05, 0x45, 0x01, 0x02}), "7@9 Rest=01 02;")
        << "two call-reference octets and their length go";
    EXPECT_EQ(decode({0x08, 0x01, 0x05, 0x45, 0xAA}), "7@8 Rest=AA;");
    EXPECT_EQ(decode({0x08, 0x00, 0x45, 0x01}, 0), "7@3 Rest=01;")
        << "a dummy call reference loses only its length octet";
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(CallReferenceRemoval, LongMessagesAreDecodedWhole) {
    std::vector<std::uint8_t> message = {0x08, 0x01, 0x05, 0x45};
    for (int i = 0; i < 296; ++i)
        message.push_back(static_cast<std::uint8_t>(i));
    const std::string out = decode(message);
    EXPECT_EQ(out.find("DECODING ERROR"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 4), "=27;") << "the last byte, 295 = 0x127, shows as 27";
}

} // namespace
} // namespace qv::pdu::test
