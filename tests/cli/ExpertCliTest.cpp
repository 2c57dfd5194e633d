// The expert and stats commands of the command line on a capture made from a scenario text.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

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
};

// The runs of cli/expert.txt on the capture rt.lvt of the scenario.
TEST_F(ExpertCli, WarningsAndStatisticsInEveryFormat) {
    expectRuns("expert.txt");
    const CliRun r = cli("expert " + file("rt.lvt") + home() + " --bogus");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("expert: --bogus is not an option"), std::string::npos) << r.out;
}

} // namespace
