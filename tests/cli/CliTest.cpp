// The command line end to end: generate captures, then inspect them.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <filesystem>
#include <fstream>

namespace {

using qv::test::cli;
using qv::test::CliRun;

using CliTest = qv::test::CliFolder;

TEST_F(CliTest, GeneratedCapturesOfBothLayoutsAreInspected) {
    for (const char *layout : {"stored", "realtime"}) {
        std::string path = file(std::string(layout) + ".lvt");
        CliRun g = cli("generate --scenario mix --frames 2500 --seed 3 --layout " +
                       std::string(layout) + " -o " + path);
        ASSERT_EQ(g.code, 0) << g.out;
        CliRun info = cli("info " + path);
        ASSERT_EQ(info.code, 0) << info.out;
        EXPECT_NE(info.out.find("Frames        : 2500\n"), std::string::npos) << info.out;
        EXPECT_NE(info.out.find(std::string("Layout        : ") +
                                (layout == std::string("stored") ? "stored" : "real-time")),
                  std::string::npos);
        EXPECT_NE(info.out.find("Instrument : LVT-30"), std::string::npos);
        EXPECT_EQ(cli("type " + path).out, layout == std::string("stored")
                                               ? "6\tstored capture\n"
                                               : "11\treal-time capture\n");
    }
    const CliRun missing = cli("type " + file("missing.lvt"));
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "Error Message: Error while searching this file type!\n");
}

TEST_F(CliTest, RecordsPrintsTheChosenRange) {
    std::string scenario = file("s.txt");
    std::ofstream(scenario) << "12/03/2026 10:00:00.000 frame good te 02 01 7F\n"
                               "12/03/2026 10:00:00.020 frame bad nt 02 01 73\n"
                               "12/03/2026 10:00:01.000 l1 0 nt\n"
                               "12/03/2026 10:00:02.000 overflow 1 nt\n";
    std::string path = file("s.lvt");
    ASSERT_EQ(cli("generate --scenario " + scenario + " --layout stored -o " + path).code, 0);
    CliRun r = cli("records " + path + " --first 2 --last 4");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out,
              "2\t12/03/2026\t10:00:00.020\tframe\tBad\t     <== NT->TE\t3\t02 01 73\n"
              "3\t12/03/2026\t10:00:01.000\tL1\tTE I0 - NT I0\t-\t0\t\n"
              "4\t12/03/2026\t10:00:02.000\toverflow\tOverflow in Real-Time mode on the Tester "
              "equipment\t     <== NT->TE\t0\t\n");
}

TEST_F(CliTest, NotesRoundTripAndFailures) {
    for (const char *layout : {"stored", "realtime"}) {
        std::string path = file(std::string("n-") + layout + ".lvt");
        ASSERT_EQ(
            cli("generate --scenario errors --layout " + std::string(layout) + " -o " + path).code,
            0);
        EXPECT_NE(cli("notes " + path).out.find("Notes : "), std::string::npos);
        ASSERT_EQ(cli("notes " + path + " --set 'Line check at the PBX'").code, 0);
        EXPECT_EQ(cli("notes " + path).out, "Line check at the PBX\n");
    }
    EXPECT_EQ(cli("notes " + file("missing.lvt")).code, 1);
    EXPECT_NE(cli("info " + file("missing.lvt")).out.find("Unable to open file !"),
              std::string::npos);
    CliRun bad =
        cli("generate --scenario " + file("none.txt") + " --layout stored -o " + file("x"));
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(cli("records").code, 2);
    EXPECT_EQ(cli("generate --scenario demo --layout sideways -o " + file("x")).code, 2);
    EXPECT_EQ(cli("records " + file("x") + " --first one").code, 2);
}

} // namespace
