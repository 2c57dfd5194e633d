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

TEST_F(PcapCli, ExportRefusals) {
    struct Case {
        std::string args;
        int code;
        std::string text;
    };
    const Case cases[] = {
        {"export " + file("c.lvt") + " --pcap " + file("c.lvt"), 2,
         "that is the capture exported; the copy needs a file of its own"},
        {"export " + file("c.lvt"), 2, "export: --lvt OUT or --pcap OUT names the capture"},
        {"export " + file("c.lvt") + " --pcap a.pcap --lvt b.lvt", 2, "--lvt OUT or --pcap OUT"},
        {"export " + file("none.lvt") + " --pcap " + file("n.pcap"), 1, ""},
        {"export " + file("c.lvt") + " --pcap " + dir_.string(), 1, "is a folder"},
    };
    for (const Case &c : cases) {
        const CliRun r = cli(c.args + home());
        EXPECT_EQ(r.code, c.code) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.text), std::string::npos) << c.args << "\n" << r.out;
    }
    EXPECT_FALSE(fs::exists(file("n.pcap")));
}

TEST_F(PcapCli, ImportsTheWanpipeCallAndListsIt) {
    CliRun r = cli("import " + data("wanpipe_pri_lapd203.pcap") + " --lvt " + file("w.lvt"));
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, file("w.lvt") + ": 171 frames\n");
    // One incoming call, answered at once; the capture stops before its clearing.
    r = cli("calls " + file("w.lvt") + home());
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(
        r.out.substr(r.out.find('\n') + 1),
        "1\tISDN\t0\t0x02\tNT\t3545850900\t1111\ten-bloc\tSpeech\tB1\t"
        "07/04/2008 20:57:07.210\t07/04/2008 20:57:07.224\t0:00:00.014\tconnected\tyes\topen\t"
        "-\t-\t-\t161\t166\t4\t-\n");
    r = cli("info " + file("w.lvt"));
    EXPECT_NE(r.out.find("Instrument    : PCAP"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Start         : 07/04/2008 20:50:28"), std::string::npos) << r.out;
}

TEST_F(PcapCli, ImportRefusals) {
    struct Case {
        std::string args;
        int code;
        std::string text;
    };
    const Case cases[] = {
        {"import " + data("orig_wanpipe_trace_linktype17.pcap") + " --lvt " + file("o.lvt"), 1,
         "link type 17 is not LAPD; only LINUX_LAPD (177) and LAPD (203) captures can be "
         "imported"},
        {"import " + file("c.lvt") + " --lvt " + file("o.lvt"), 1,
         "not a pcap or pcapng file that can be read"},
        {"import " + file("none.pcap") + " --lvt " + file("o.lvt"), 1, "none.pcap: no such file"},
        {"import " + data("wanpipe_pri_lapd203.pcap"), 2, "import: --lvt OUT names the capture"},
        {"import " + data("wanpipe_pri_lapd203.pcap") + " --lvt " +
             data("wanpipe_pri_lapd203.pcap"),
         2, "that is the file imported"},
        {"import " + data("wanpipe_pri_lapd203.pcap") + " --pcap x", 2, "--pcap"},
        {"import " + data("eyesdn_e1_dpnss.trc") + " --lvt " + file("o.lvt"), 1,
         "eyesdn_e1_dpnss.trc: holds no D-channel LAPD frame (100 records of B channels, events "
         "or other protocols); nothing written"},
    };
    for (const Case &c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.text), std::string::npos) << c.args << "\n" << r.out;
    }
    EXPECT_FALSE(fs::exists(file("o.lvt")));
    const CliRun usage = cli("");
    EXPECT_NE(usage.out.find("quorvane-cli export FILE --pcap OUT [FILTER]"), std::string::npos);
    EXPECT_NE(usage.out.find("quorvane-cli import IN --lvt OUT"), std::string::npos);
}

} // namespace
