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
    run = cli("filter load quiet --dru70" + home());
    EXPECT_EQ(run.out, "activation: yes\nerror: no\npower: no\neoc: yes\n");
    EXPECT_EQ(cli("filter list --dru70" + home()).out, "quiet\n");
    const std::vector<std::string> quiet =
        lines(cli("dru " + file() + " --filter quiet" + home()).out);
    const std::vector<std::string> narrowed =
        lines(cli("dru " + file() + " --filter quiet --events eoc" + home()).out);
    EXPECT_GT(quiet.size(), narrowed.size());
    EXPECT_GT(narrowed.size(), 1u);
    EXPECT_EQ(cli("filter delete quiet --dru70" + home()).code, 0);
    run = cli("dru " + file() + " --filter quiet" + home());
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("quiet: no such DRU-70 filter"), std::string::npos);
    EXPECT_EQ(cli("dru " + file() + " --events lamps" + home()).code, 2);
}

TEST_F(Dru70Cli, InformationAndNote) {
    CliRun run = cli("info " + file());
    EXPECT_NE(run.out.find("instrument\tDRU-70\nserial\tD7012345\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("events\t250\n"), std::string::npos);
    EXPECT_EQ(cli("notes " + file()).out,
              "Line 0301 234567, exchange side.\r\nLoop-backs requested by the exchange.\n");
    ASSERT_EQ(cli("notes " + file() + " --set 'Second visit'").code, 0);
    EXPECT_EQ(cli("notes " + file()).out, "Second visit\n");
    EXPECT_EQ(lines(cli("dru " + file() + home()).out).size(), 251u) << "the events are intact";
}

} // namespace
