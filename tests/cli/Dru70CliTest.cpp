// The DRU-70 commands of the command line: the generated recording, its listing in the three
// formats and through the event filter, its information and note, and the DRU-70 profiles.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliSupport.h"

namespace {

using qv::test::cli;
using qv::test::CliRun;
using qv::test::lines;

class Dru70Cli : public qv::test::CliFolder {
protected:
    void SetUp() override {
        const CliRun g = cli("generate --scenario dru70 -o " + file());
        ASSERT_EQ(g.code, 0) << g.out;
        EXPECT_EQ(g.out, file() + ": 250 events\n");
    }
    using CliFolder::file;
    std::string file() const { return file("line.dru"); }
};

TEST_F(Dru70Cli, ListsTheEventsInEveryFormat) {
    CliRun run = cli("dru " + file() + home());
    ASSERT_EQ(run.code, 0) << run.out;
    std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 251u);
    EXPECT_EQ(rows[0], "Number\tDate\tTime\tNT - LT\tEvents\tComments");
    EXPECT_EQ(rows[1], "0\t12/03/2026\t09:30:36.045\t-\tU Deactivated\tU interface inactive.");

    run = cli("dru " + file() + " --columns all --format csv --long" + home());
    rows = lines(run.out);
    EXPECT_EQ(rows[0], "Number,Date,Time,NT - LT,Events,EOC,Comments");
    EXPECT_EQ(rows[4], "3,000d,00:01:54.171,NT<-LT,Loop req. B1,448,The network requests to "
                       "loop-back the B1 channel.");
    run = cli("dru " + file() + " --format json" + home());
    EXPECT_EQ(lines(run.out)[0].rfind("{\"Number\":\"0\",\"Date\":\"12/03/2026\",\"Time", 0), 0u);
}

TEST_F(Dru70Cli, TheEventFilterAndItsProfiles) {
    CliRun run = cli("dru " + file() + " --events power --format csv" + home());
    // All Power Normal, Secondary Power Out, Primary Power Out, Dying Gasp.
    for (const std::string &row : lines(run.out)) {
        if (row[0] != 'N') {
            EXPECT_TRUE(row.find("Power") != std::string::npos ||
                        row.find("Dying Gasp") != std::string::npos)
                << row;
        }
    }

    ASSERT_EQ(cli("filter save quiet --dru70 --events activation,eoc" + home()).code, 0);
    EXPECT_GT(lines(cli("dru " + file() + " --filter quiet" + home()).out).size(),
              lines(cli("dru " + file() + " --filter quiet --events eoc" + home()).out).size());
    expectRuns("dru70-profiles.txt");
}

// The runs of cli/dru70-note.txt: the information and the note of the recording.
TEST_F(Dru70Cli, InformationAndNote) {
    expectRuns("dru70-note.txt");
    EXPECT_EQ(lines(cli("dru " + file() + home()).out).size(), 251u) << "the events are intact";
}

} // namespace
