// The pcap exchange on the command line: export --pcap and import, with their messages and exit
// statuses.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <filesystem>

namespace {

using qv::test::cli;
using qv::test::CliRun;
namespace fs = std::filesystem;

class PcapCli : public qv::test::CliHome {
protected:
    void SetUp() override {
        CliHome::SetUp();
        const CliRun g = cli("generate --scenario calls --layout realtime -o " + file("c.lvt"));
        ASSERT_EQ(g.code, 0) << g.out;
    }
    static std::string data(const std::string &name) {
        return std::string(QUORVANE_SOURCE_DIR) + "/tests/data/pcap/" + name;
    }
};

TEST_F(PcapCli, ExportWritesPcapOrPcapNgAndTakesTheFilter) {
    CliRun r = cli("export " + file("c.lvt") + " --pcap " + file("c.pcap") + home());
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, file("c.pcap") + ": 340 frames written, of 340 records\n");
    // The file header, then per frame a record header, the direction header and the octets.
    EXPECT_GT(fs::file_size(file("c.pcap")), 24u + 340u * 32u + 340u * 3u);
    r = cli("export " + file("c.lvt") + " --pcap " + file("t.pcapng") + " --sapi 63" + home());
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.rfind(file("t.pcapng") + ": ", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find(": 340 frames"), std::string::npos) << r.out;
    // The TEI requests and answers alone come back from the pcapng file.
    r = cli("import " + file("t.pcapng") + " --lvt " + file("t.lvt"));
    ASSERT_EQ(r.code, 0) << r.out;
    r = cli("summary " + file("t.lvt") + " --columns 5" + home());
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.find("\t0\n"), std::string::npos);
    EXPECT_NE(r.out.find("63\n"), std::string::npos) << r.out;
}

// The runs of cli/pcap.txt: imports, and the refusals of export and import.
TEST_F(PcapCli, ImportsAndRefusals) {
    expectRuns("pcap.txt");
    EXPECT_FALSE(fs::exists(file("n.pcap")));
    EXPECT_FALSE(fs::exists(file("o.lvt")));
    const CliRun usage = cli("");
    EXPECT_NE(usage.out.find("quorvane-cli export FILE --pcap OUT [FILTER]"), std::string::npos);
    EXPECT_NE(usage.out.find("quorvane-cli import IN --lvt OUT"), std::string::npos);
}

} // namespace
