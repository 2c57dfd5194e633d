// The Examine commands of the command line: summary, detail and find on a capture made from a
// scenario text.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <filesystem>

namespace {

using qv::test::cli;
using qv::test::CliRun;

using ExamineCli = qv::test::CliHome;

// The runs of cli/examine.txt: the summary in its formats and columns, following the settings,
// the detail with its trace, find and wrong uses, on the capture of the scenario; then the
// bundled call, X.25 and V5 samples.
TEST_F(ExamineCli, RunsAsPinned) {
    expectRuns("examine.txt");
}

TEST_F(ExamineCli, MissingTablesAreReportedAndTheSummaryGoesOn) {
    std::filesystem::remove_all(dir_ / "ISDNNOT" / "EDSS");
    const CliRun r = cli("summary " + std::string(QUORVANE_SOURCE_DIR) + "/data/samples/calls.lvt" +
                         home() + " --columns 28");
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
    EXPECT_NE(r.out.find("ISDN LAYER 3\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  Called number\n    Length: 11\n    Type/plan: 1\n"
                         "    Digits: 0897654321\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  Decode Status: -\n"), std::string::npos);
}

} // namespace
