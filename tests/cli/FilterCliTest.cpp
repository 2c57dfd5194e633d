// Frame filters on the command line: inline criteria and saved profiles on summary, find and
// export, on a capture of EDSS-1 calls between four numbers.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <filesystem>
#include <fstream>
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

// The runs of cli/filters.txt: address, layer, frame type, message and cause criteria on the
// summary and on find.
TEST_F(FilterCli, CriteriaChooseTheFramesShown) {
    expectRuns("filters.txt");
}

// The runs of cli/filter-profiles.txt: profiles saved, listed, loaded, used and deleted.
TEST_F(FilterCli, ProfilesRoundTrip) {
    expectRuns("filter-profiles.txt");
    EXPECT_FALSE(fs::exists(dir_ / "Filter" / "LVTO_calls64.flt"));
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
        expected.push_back(all[std::stoul(n)].substr(n.size())); // after the title row
    std::vector<std::string> copied = lines(cli("records " + out).out);
    copied.erase(copied.begin());
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

// The runs of cli/filter-refusals.txt: wrong criteria, and what export refuses.
TEST_F(FilterCli, RefusedInput) {
    const std::string calls = file("calls.lvt");
    const std::string before = bytesOf(calls);
    expectRuns("filter-refusals.txt");
    EXPECT_FALSE(fs::exists(file("none.lvt")));
    EXPECT_EQ(bytesOf(calls), before);
    // Nothing is left behind in the target folder.
    for (const auto &entry : fs::directory_iterator(dir_))
        EXPECT_NE(entry.path().filename().string().substr(0, 1), ".") << entry.path();
}

} // namespace
