// The expert and stats commands of the command line on a capture made from a scenario text.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <fstream>

namespace {

using qv::test::cli;
using qv::test::CliRun;

// TEI 66 set up; the TE's I frame N(S)=1 is missing and the network rejects.
constexpr const char *kScenario = "01/03/2026 10:00:00.000 frame good te FC FF 03 0F 12 34 01 FF\n"
                                  "01/03/2026 10:00:00.010 frame good nt FE FF 03 0F 12 34 02 85\n"
                                  "01/03/2026 10:00:00.020 frame good te 00 85 7F\n"
                                  "01/03/2026 10:00:00.030 frame good nt 00 85 73\n"
                                  "01/03/2026 10:00:01.000 frame good te 00 85 00 00\n"
                                  "01/03/2026 10:00:01.010 frame good te 00 85 04 00\n"
                                  "01/03/2026 10:00:01.020 frame good nt 00 85 09 02\n"
                                  "01/03/2026 10:00:01.030 frame good te 00 85 02 00\n"
                                  "01/03/2026 10:00:01.040 frame good te 00 85 04 00\n"
                                  "01/03/2026 10:00:01.050 frame good nt 00 85 01 06\n"
                                  "01/03/2026 10:00:02.000 l1 4 nt\n";

class ExpertCli : public qv::test::CliHome {
protected:
    void SetUp() override {
        CliHome::SetUp();
        generate(kScenario, "realtime", "rt.lvt");
    }
    std::string capture() const { return file("rt.lvt"); }
    CliRun on(const std::string &command, const std::string &options = {}) {
        return cli(command + " " + capture() + home() + " " + options);
    }
};

TEST_F(ExpertCli, ListsTheWarningsInFrameOrder) {
    const CliRun r = on("expert");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "6\tError\tSequence\tN(S)=2 expected 1: 1 I frame lost (TEI 66 SAPI 0, "
                     "TE->NT)\n"
                     "7\tWarning\tRetransmission\tREJ: the receiver asks for the I frames from "
                     "N(S)=1 again (TEI 66 SAPI 0, NT->TE)\n"
                     "8\tNote\tRetransmission\tREJ recovery: N(S)=1 retransmitted after the REJ "
                     "of frame 7 (TEI 66 SAPI 0, TE->NT)\n"
                     "9\tNote\tRetransmission\tREJ recovery: N(S)=2 retransmitted after the REJ "
                     "of frame 7 (first sent in frame 6) (TEI 66 SAPI 0, TE->NT)\n"
                     "4 items (1 error, 1 warning, 2 notes in 1 data link)\n");
}

TEST_F(ExpertCli, FormatsAndSeverity) {
    CliRun r = on("expert", "--format csv --severity warning");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out,
              "Frame,Severity,Group,Text\n"
              "6,Error,Sequence,\"N(S)=2 expected 1: 1 I frame lost (TEI 66 SAPI 0, TE->NT)\"\n"
              "7,Warning,Retransmission,\"REJ: the receiver asks for the I frames from "
              "N(S)=1 again (TEI 66 SAPI 0, NT->TE)\"\n");
    r = on("expert", "--format json --severity ERROR");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "{\"frame\":6,\"severity\":\"Error\",\"group\":\"Sequence\",\"text\":"
                     "\"N(S)=2 expected 1: 1 I frame lost (TEI 66 SAPI 0, TE->NT)\"}\n");
}

TEST_F(ExpertCli, BadArgumentsAndFiles) {
    CliRun r = on("expert", "--severity fatal");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "expert: --severity takes note, warning or error\n");
    r = on("stats", "--format csv");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "stats: --format takes text or json\n");
    r = on("expert", "--bogus");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("expert: --bogus is not an option"), std::string::npos) << r.out;
    std::ofstream(file("junk.lvt")) << "not a capture at all";
    r = cli("expert " + file("junk.lvt") + " --home " + dir_.string());
    EXPECT_EQ(r.code, 1) << r.out;
    r = cli("stats " + file("missing.lvt") + " --home " + dir_.string());
    EXPECT_EQ(r.code, 1) << r.out;
}

TEST_F(ExpertCli, StatsAsTextAndJson) {
    CliRun r = on("stats");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find("\n\n")), "Capture\n"
                                                   "  Frames       11\n"
                                                   "  First frame  01/03/2026 10:00:00.000\n"
                                                   "  Last frame   01/03/2026 10:00:02.000\n"
                                                   "  Time span    2.000 s\n"
                                                   "  Frame rate   5.500 frames/s");
    EXPECT_NE(r.out.find("Layer-2 frame types\n  Type   Frames\n  I           4\n  RR          1\n"
                         "  RNR         0\n  REJ         1\n"),
              std::string::npos)
        << r.out;
    r = on("stats", "--format json");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.rfind("{\"frames\":11,\"first\":\"01/03/2026 10:00:00.000\",\"last\":"
                          "\"01/03/2026 10:00:02.000\",\"spanMs\":2000,\"framesPerSecond\":5.500,"
                          "\"layers\":[{\"Layer\":\"Layer 1 events\",\"Frames\":1},",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("\"links\":[{\"TEI\":\"66\",\"SAPI\":\"0\",\"Frames\":8},"
                         "{\"TEI\":\"127\",\"SAPI\":\"63\",\"Frames\":2}]"),
              std::string::npos)
        << r.out;
}

} // namespace
