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

// The runs of cli/dru70-profiles.txt: a recording of its own listed in the three formats and
// through the event filter; the DRU-70 profiles saved, used, listed and deleted.
TEST_F(Dru70Cli, ListsTheEventsInEveryFormatAndThroughTheFilter) {
    expectRuns("dru70-profiles.txt");
}

// The runs of cli/dru70-note.txt: the information and the note of the recording.
TEST_F(Dru70Cli, InformationAndNote) {
    expectRuns("dru70-note.txt");
    EXPECT_EQ(lines(cli("dru " + file() + home()).out).size(), 251u) << "the events are intact";
}

} // namespace
