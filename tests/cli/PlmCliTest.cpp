// The PLM-45 commands of the command line: a generated project, its lines in the three formats
// and the columns of the settings, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "capture/CaptureTestSupport.h"
#include "cli/CliSupport.h"

namespace {

using qv::test::cli;
using qv::test::CliRun;

constexpr const char *kLine =
    "12,A01-1,250,20,255,80,3,2,4,12,4095,36,120,45,123,254,255,,,\"ok\",,67,2,1,1,1-2,150\r\n";

class PlmCli : public ::testing::Test {
protected:
    std::string project() {
        const std::string path = dir_.file("p12.plm");
        std::ofstream(path, std::ios::binary) << kLine;
        return path;
    }
    std::string home() const { return " --home " + dir_.file(""); }
    qv::test::TempDir dir_;
};

TEST_F(PlmCli, GeneratesAProjectAndListsItsLines) {
    const std::string out = dir_.file("p07.plm");
    CliRun r = cli("generate --scenario plm --project 7 --lines 25 -o " + out);
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, out + ": project 07, 25 lines\n");
    r = cli("plm " + out + home());
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Project 07, 25 lines");
    EXPECT_NE(r.out.find("\nLine num.\tVelocity\tImpedance\tPairs\tCable Type\tUsed Pins\t"),
              std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 27);
    EXPECT_EQ(cli("generate --scenario plm --project 100 -o " + out).code, 2);
}

TEST_F(PlmCli, TheThreeFormatsShowTheDisplayTexts) {
    const std::string file = project();
    CliRun r = cli("plm " + file + home() + " --format csv");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1),
              "A01-1,67,120,\"36,45\",tp,1-2,150,12,36,45,-2,10,not meas.,40,yes,no,low,"
              "not meas.,120,12.3,hi-Z,not meas.,,none,\"\"\"ok\"\"\",\n");
    r = cli("plm " + file + home() + " --format json");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.rfind("{\"project\":12,\"Line num.\":\"A01-1\",\"Velocity\":\"67\",", 0), 0u);
    EXPECT_NE(r.out.find("\"Short \":\"none\",\"Order\":\"\\\"ok\\\"\""), std::string::npos);
}

TEST_F(PlmCli, TheSettingsChooseTheColumnsUnlessAllAreAsked) {
    std::ofstream(dir_.file("QUORVANE.INI"))
        << "[Plm-45Fields]\n"
        << "Size01=0\nSize02=0\nSize03=0\nSize04=0\nSize05=0\nSize06=0\nSize07=0\nSize08=0\n"
        << "Size09=0\nSize10=0\nSize11=0\nSize12=0\nSize13=0\nSize14=0\nSize15=0\nSize16=0\n"
        << "Size17=0\nSize18=0\nSize20=0\nSize21=0\nSize22=0\nSize23=0\nSize24=0\nSize25=0\n";
    const std::string file = project();
    CliRun r = cli("plm " + file + home() + " --format csv");
    EXPECT_EQ(r.out, "Line num.,DC Wire Resist.\nA01-1,12.3\n");
    r = cli("plm " + file + home() + " --format csv --columns all");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
    EXPECT_NE(r.out.find("Split pairs\n"), std::string::npos);
}

TEST_F(PlmCli, RefusesWhatIsNoProject) {
    const std::string bad = dir_.file("bad.plm");
    std::ofstream(bad, std::ios::binary) << "12,A01-1,250\r\n";
    CliRun r = cli("plm " + bad + home());
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Error: file format"), std::string::npos);
    r = cli("plm " + dir_.file("missing.plm") + home());
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Unable to open file !"), std::string::npos);
    EXPECT_EQ(cli("plm " + project() + home() + " --format xml").code, 2);
}

} // namespace
