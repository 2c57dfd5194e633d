// The Examine commands of the command line: summary, detail and find on a capture made from a
// scenario text.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <filesystem>
#include <fstream>

namespace {

using qv::test::cli;
using qv::test::CliRun;

constexpr const char *kScenario =
    "31/12/2026 23:59:59.990 l1 1 te\n"
    "31/12/2026 23:59:59.995 frame good te FC FF 03 0F 12 34 01 FF\n"
    "01/01/2027 00:00:00.010 frame good nt FE FF 03 0F 12 34 02 80 82 FF\n"
    "01/01/2027 00:00:00.020 frame good te 00 81 7F\n"
    "01/01/2027 00:00:00.030 frame bad nt 00 81 73\n"
    "01/01/2027 00:00:00.040 frame good nt 02 81 87 00 01 02 03 08\n";

class ExamineCli : public qv::test::CliHome {
protected:
    void SetUp() override {
        CliHome::SetUp();
        generate(kScenario, "realtime", "rt.lvt");
    }
    std::string capture() const { return file("rt.lvt"); }
    // Runs a command on the capture with the temporary folder as installation.
    CliRun on(const std::string &command, const std::string &options = {}) {
        return cli(command + " " + capture() + home() + " " + options);
    }
};

TEST_F(ExamineCli, SummaryColumnsAndFormats) {
    qv::test::PinnedTexts pinned("cli/examine.txt");
    CliRun r = on("summary");
    ASSERT_EQ(r.code, 0) << r.out;
    pinned.expectText("summary", r.out);
    r = on("summary", "--columns 0,16,22,37 --format csv");
    ASSERT_EQ(r.code, 0) << r.out;
    pinned.expectText("summary --columns 0,16,22,37 --format csv", r.out);

    r = on("summary", "--columns 3,6,12 --format json --long");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
              "{\"TE - NT\":\"-\",\"C/R\":\"-\",\"P/F\":\"-\"}\n"
              "{\"TE - NT\":\"TE->NT\",\"C/R\":\"Command\",\"P/F\":\"Poll\"}\n");

    r = on("summary", "--columns all --format csv");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "Number,TS,Date,Time,TE - NT,Type,EFA,DLA,L3 Addr.,SAPI,C/R,EA1,TEI,EA2,N(S),N(R),"
              "P/F,MEI,RI,AI,Multiple AI,AI.Ext,Rej.Ctrl.,V(S),V(R),FRMR.CR,FRMR.Cause,PD,CRlen,"
              "CRflg,CR,LCN,Msg.Type,Calling Addr,Called Addr,Channel,Bearer Cap,HLC,Service Ind,"
              "Cause,Diagnostic,FCS,Size");
}

TEST_F(ExamineCli, SummaryFollowsTheSettings) {
    std::ofstream(file("QUORVANE.INI")) << "[Language]\nLanguage=1\n[Lvt-Fields]\nSize01=0\n"
                                           "Size02=0\nSize03=0\nSize28=0\nSize29=0\nSize30=0\n"
                                           "Size35=0\nSize38=48\n";
    const CliRun r = on("summary");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1)),
              "Numero\tType\tSAPI\tTaille\n1\tPhys.\t-\t0");
}

TEST_F(ExamineCli, DetailWithHexaTrace) {
    const CliRun r = on("detail", "--frame 6 --hexa");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("2\tFRAME REJECT (FRMR) RESPONSE:\n"
                         "3\tRejected Frame Control Field : \n4\t0x01\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(
        r.out.find("\n\n0000:     02 81 87 00 01 02 03 08" + std::string(24, ' ') + "\t........\n"),
        std::string::npos)
        << r.out;
}

// The runs of cli/examine-find.txt on the capture of the scenario: find, and wrong uses.
TEST_F(ExamineCli, FindAndRefusals) {
    expectRuns("examine-find.txt");
}

TEST_F(ExamineCli, CallControlNamesAndItems) {
    const std::string calls = std::string(QUORVANE_SOURCE_DIR) + "/data/samples/calls.lvt";
    const std::string home = " --home " + dir_.string();
    CliRun r = cli("summary " + calls + home + " --columns 0,28,29,30,31,35 --format csv");
    ASSERT_EQ(r.code, 0) << r.out;
    for (const char *row : {"13,SETUP,0301234567,0897654321,B1,-\n", "15,CALL PROC,-,-,B1,-\n",
                            "29,DISCONNECT,-,-,-,Normal call clearing\n", "33,REL COMP,-,-,-,-\n"})
        EXPECT_NE(r.out.find(row), std::string::npos) << row << r.out.substr(0, 1500);
    r = cli("summary " + calls + home + " --columns 28 --long --protocol Q931");
    EXPECT_NE(r.out.find("\nCALL PROCEEDING\n"), std::string::npos);
    r = cli("detail " + calls + home + " --frame 13");
    EXPECT_EQ(r.out.substr(0, 9), "1\tEDSS-1\n");
    EXPECT_NE(r.out.find("3\tMessage Type : \n4\tSETUP\n"), std::string::npos) << r.out;
    r = cli("find " + calls + home + " --message DISCONNECT");
    EXPECT_EQ(r.out, "29\nMessage found once\n");

    r = cli("summary " + calls + home + " --protocol NOPE");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("NOPE: no such protocol; the codes are VN4 EDSS"), std::string::npos);
    std::filesystem::remove_all(dir_ / "ISDNNOT" / "EDSS");
    r = cli("summary " + calls + home + " --columns 28");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Can't open file " + (dir_ / "ISDNNOT" / "EDSS").string() +
                         "/user_msg.pnt. Please, check notation files path ..."),
              std::string::npos)
        << r.out.substr(0, 300);
}

TEST_F(ExamineCli, DetailCarriesTheFullLayerThreeDecode) {
    // The demonstration tables stand in for the variant's own.
    const std::filesystem::path edss = dir_ / "ISDNNOT" / "EDSS";
    const std::filesystem::path demo =
        std::filesystem::path(QUORVANE_SOURCE_DIR) / "tests/data/pdu/demo";
    for (const char *name : {"START.NOT", "IE.NOT", "RELIE.NOT"})
        std::filesystem::copy_file(demo / name, edss / name,
                                   std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(demo / "DEMO.LST", edss / "EDSSEN.LST",
                               std::filesystem::copy_options::overwrite_existing);
    const std::string calls = std::string(QUORVANE_SOURCE_DIR) + "/data/samples/calls.lvt";
    const CliRun r = cli("detail " + calls + " --home " + dir_.string() + " --frame 13");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("2\tISDN LAYER 3\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("3\tInformation Element Identifier : \n4\tCalled number\n"
                         "3\tInformation Element Length : \n4\t11\n"
                         "5\tType/plan : \n6\t1\n5\tDigits : \n6\t0897654321\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("3\tDecode Status : \n4\t-\n"), std::string::npos);
}

TEST_F(ExamineCli, X25AndV5Captures) {
    const std::string samples = std::string(QUORVANE_SOURCE_DIR) + "/data/samples/";
    const std::string home = " --home " + dir_.string();
    CliRun r = cli("summary " + samples + "x25.lvt" + home + " --columns 0,27,28,35 --format csv");
    ASSERT_EQ(r.code, 0) << r.out;
    for (const char *row :
         {"5,0x00,RSTRT.IND,Network congestion\n", "9,0x01,CALL.REQ,-\n",
          "43,0x01,RESET.IND,Local procedure error\n", "47,0x01,CLEAR.REQ,DTE originated\n"})
        EXPECT_NE(r.out.find(row), std::string::npos) << row;

    r = cli("summary " + samples + "v5.lvt" + home +
            " --v5 --columns 0,3,39,40,41,28 --format csv");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Number,AN - LE,EFA,DLA,L3 Addr.,Msg.Type");
    EXPECT_NE(r.out.find("\n7,==>     ,PSTN,8176,35,ESTABLISH\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n14,==>     ,S,-,-,-\n"), std::string::npos) << r.out;
    r = cli("summary " + samples + "v5.lvt" + home + " --columns 39");
    EXPECT_NE(r.out.find("\n?\n"), std::string::npos) << "without --v5 the ISDN decoder reads it";
    r = cli("find " + samples + "v5.lvt" + home + " --v5 --message SIGNAL");
    EXPECT_EQ(r.out, "9\nMessage found once\n");
}

} // namespace
