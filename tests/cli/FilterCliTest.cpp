// Frame filters on the command line: inline criteria and saved profiles on summary, find and
// export, on a capture of EDSS-1 calls between four numbers.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace {

using qv::test::cli;
using qv::test::CliRun;
using qv::test::lines;

namespace fs = std::filesystem;

std::string bytesOf(const std::string &path) {
    return qv::test::TempDir::readBytes(path);
}

class FilterCli : public qv::test::CliHome {
protected:
    void SetUp() override {
        CliHome::SetUp();
        const CliRun g = cli("generate --scenario calls --layout stored -o " + file("calls.lvt"));
        ASSERT_EQ(g.code, 0) << g.out;
    }
    CliRun run(const std::string &command) { return cli(command + home()); }
    // summary of the calls with the given options, as CSV rows without the title row.
    std::vector<std::string> rows(const std::string &options) {
        const CliRun r = run("summary " + file("calls.lvt") + " --format csv " + options);
        EXPECT_EQ(r.code, 0) << r.out;
        std::vector<std::string> out = lines(r.out);
        if (!out.empty())
            out.erase(out.begin());
        return out;
    }
};

TEST_F(FilterCli, AddressCriteriaKeepTheFramesOfTheirCalls) {
    // The three calls 0301234567 makes: frames 13 to 33, 115 to 159 (overlap sending) and 241
    // to 261.
    const std::vector<std::string> kept = rows("--local 0301234567 --layers 3 --columns 0,28,29");
    ASSERT_FALSE(kept.empty());
    std::vector<std::string> setups;
    for (const std::string &row : kept) {
        const int n = std::stoi(row);
        EXPECT_TRUE((n >= 13 && n <= 33) || (n >= 115 && n <= 159) || (n >= 241 && n <= 261))
            << row;
        if (row.find(",SETUP,") != std::string::npos)
            setups.push_back(row);
    }
    EXPECT_EQ(setups, (std::vector<std::string>{"13,SETUP,0301234567", "115,SETUP,0301234567",
                                                "241,SETUP,0301234567"}));
    EXPECT_EQ(kept.back(), "261,REL COMP,-");

    // The calls to it, by a pattern of its last digits; the call of frame 205 dials it digit
    // by digit after its SETUP.
    const std::vector<std::string> called =
        rows("--remote '*234567' --message setup --layers 3 --columns 0,29,30");
    EXPECT_EQ(called, (std::vector<std::string>{"103,069555777,0301234567", "205,069555777,-",
                                                "329,069555777,0301234567"}));
}

TEST_F(FilterCli, LayersMessagesCausesAndFind) {
    std::set<std::string> types;
    for (const std::string &row : rows("--layers 2 --no-rr --columns 4"))
        types.insert(row);
    EXPECT_EQ(types, (std::set<std::string>{"SABME", "UA", "UI"}));

    EXPECT_EQ(rows("--frame-type sabme --direction te --layers 2 --columns 0,4"),
              (std::vector<std::string>{"7,SABME", "9,SABME", "11,SABME"}));

    const std::vector<std::string> completes =
        rows("--message release.comp --layers 3 --columns 28");
    EXPECT_FALSE(completes.empty());
    EXPECT_EQ(std::set<std::string>(completes.begin(), completes.end()),
              std::set<std::string>{"REL COMP"});

    // The same cause by its name, its number and in hexa.
    const std::vector<std::string> byName =
        rows("--cause 'normal call clearing' --layers 3 --columns 0,28,35");
    ASSERT_EQ(byName.size(), 9u);
    EXPECT_EQ(byName[0], "29,DISCONNECT,Normal call clearing");
    EXPECT_EQ(rows("--cause 16 --layers 3 --columns 0,28,35"), byName);
    EXPECT_EQ(rows("--cause 10 --cause-format HEXA --layers 3 --columns 0,28,35"), byName);

    // On find --message is the search; the filter's message is --only-message.
    const std::string calls = file("calls.lvt");
    CliRun r = run("find " + calls + " --message DISCONNECT --all --local 0301234567");
    EXPECT_EQ(r.out, "29\n155\n257\nMessage found 3 times\n");
    r = run("find " + calls + " --text SETUP --all --tei 65 --only-message SETUP");
    EXPECT_EQ(r.out, "35\t32\n115\t32\n205\t32\n285\t32\nString found 4 times\n");
}

TEST_F(FilterCli, ProfilesRoundTrip) {
    const std::string calls = file("calls.lvt");
    CliRun r = run("filter save calls64 --layers 3 --local 0301234567 --message SETUP");
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "calls64: off-line filter saved\n");
    EXPECT_TRUE(fs::is_regular_file(dir_ / "Filter" / "LVTO_calls64.flt"));
    EXPECT_EQ(run("filter save wide").code, 0);
    EXPECT_EQ(run("filter list").out, "calls64\nwide\n");
    EXPECT_EQ(run("filter load calls64").out, "layers: 3\nlocal: 0301234567\nmessage: SETUP\n");
    EXPECT_EQ(run("filter load wide").out, "all frames shown\n");

    EXPECT_EQ(rows("--filter calls64 --columns 0,28"),
              (std::vector<std::string>{"13,SETUP", "115,SETUP", "241,SETUP"}));
    // Inline criteria change the profile for one run.
    EXPECT_EQ(rows("--filter calls64 --message release.comp --columns 0,28"),
              (std::vector<std::string>{"33,REL COMP", "159,REL COMP", "261,REL COMP"}));

    r = run("filter save rt --realtime --tei 64 --no-rr");
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(run("filter load rt --realtime").out, "tei: 64\nkeep-rr: no\n");
    EXPECT_EQ(run("filter list --realtime").out, "rt\n");
    r = run("filter save rt --realtime --message SETUP");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("--message: a criterion of off-line filters only"), std::string::npos);

    r = run("filter delete calls64");
    EXPECT_EQ(r.out, "calls64: off-line filter deleted\n");
    r = run("filter delete calls64");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "calls64: no such off-line filter\n");
    EXPECT_EQ(run("filter load calls64").code, 1);
    r = run("summary " + calls + " --filter calls64");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("calls64: no such off-line filter"), std::string::npos) << r.out;
    r = run("filter save ../up");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("../up: not a filter name"), std::string::npos) << r.out;
}

TEST_F(FilterCli, ExportCopiesTheFramesShown) {
    const std::string calls = file("calls.lvt"), out = file("out.lvt");
    ASSERT_EQ(cli("notes " + calls + " --set 'three calls'").code, 0);
    CliRun r = run("export " + calls + " --lvt " + out + " --local 0301234567");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, out + ": 239 of 340 frames\n");

    // The records of the copy are those of the frames shown, in order.
    std::vector<std::string> expected;
    const std::vector<std::string> all = lines(cli("records " + calls).out);
    for (const std::string &n : rows("--local 0301234567 --columns 0"))
        expected.push_back(all[std::stoul(n) - 1].substr(n.size()));
    std::vector<std::string> copied = lines(cli("records " + out).out);
    for (std::string &line : copied)
        line.erase(0, line.find('\t'));
    EXPECT_EQ(copied, expected);

    std::vector<std::string> source = lines(cli("info " + calls).out),
                             copy = lines(cli("info " + out).out);
    ASSERT_EQ(source.size(), copy.size());
    EXPECT_EQ(copy[7], "Frames        : 239");
    source.erase(source.begin() + 7);
    copy.erase(copy.begin() + 7);
    EXPECT_EQ(copy, source);
    EXPECT_EQ(cli("notes " + out).out, "three calls\n");

    // Without a filter every record goes, and a real-time V5 capture keeps its flags.
    ASSERT_EQ(cli("generate --scenario v5 --layout realtime -o " + file("v5.lvt")).code, 0);
    r = run("export " + file("v5.lvt") + " --lvt " + file("v5-copy.lvt"));
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(cli("records " + file("v5-copy.lvt")).out, cli("records " + file("v5.lvt")).out);
    EXPECT_EQ(lines(cli("info " + file("v5-copy.lvt")).out)[6],
              lines(cli("info " + file("v5.lvt")).out)[6]);
}

TEST_F(FilterCli, RefusedInput) {
    const std::string calls = file("calls.lvt");
    const std::string before = bytesOf(calls);
    struct Case {
        const char *options;
        const char *message;
    };
    for (const Case &c : {
             Case{"--frame-type XY", "--frame-type XY: not a layer-2 frame; the names are DISC, "
                                     "DM, FRMR, I, REJ, RNR, RR, SABME, UA, UI, XID"},
             Case{"--message SETUPP", "the names are ALERTING, CALL.PROC,"},
             Case{"--packet CALL", "CALL.ACC, CALL.CONN"},
             Case{"--tei 128", "--tei 128: takes a decimal number 0..127"},
             Case{"--callref 8000", "--callref 8000: takes a hexadecimal number 0..7FFF"},
             Case{"--layers 2,4", "--layers 2,4: takes the layers shown"},
             Case{"--local 03*1", "--local 03*1: an address pattern is digits"},
             Case{"--direction up", "--direction up: takes TE->NT, NT->TE"},
             Case{"--cause 'no such cause'", "no cause of that name; the names are"},
             Case{"--cause 128", "no cause of that number"},
             Case{"--cause 16 --cause-format roman", "takes mnemonics, decimal or hexa"},
         }) {
        const CliRun r = run("summary " + calls + " " + c.options);
        EXPECT_EQ(r.code, 2) << c.options;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.options << "\n" << r.out;
        EXPECT_EQ(r.out.find("usage:"), std::string::npos) << c.options;
    }
    CliRun r = run("summary " + calls + " --sapi");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("summary: --sapi is not an option of this command, or its value is "
                         "missing\nusage:"),
              std::string::npos);

    r = run("export " + calls + " --lvt " + calls + " --layers 3");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.out.find("that is the capture exported"), std::string::npos) << r.out;
    r = run("export " + calls + " --lvt " + file("none.lvt") + " --filter missing");
    EXPECT_EQ(r.code, 1);
    r = run("export " + calls + " --lvt " + file("none.lvt") + " --layers none");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("no frame passes the filter"), std::string::npos);
    std::ofstream(file("corrupt.lvt")) << "not a capture";
    r = run("export " + file("corrupt.lvt") + " --lvt " + file("none.lvt"));
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(fs::exists(file("none.lvt")));
    EXPECT_EQ(bytesOf(calls), before);
    // Nothing is left behind in the target folder.
    for (const auto &entry : fs::directory_iterator(dir_))
        EXPECT_NE(entry.path().filename().string().substr(0, 1), ".") << entry.path();
}

} // namespace
